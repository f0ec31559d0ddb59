#include "savewithrecovery.h"

#include "messageboxparent.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("SaveWithRecovery", text);
}

const QString Caption = QStringLiteral("VorrakAdmin");

} // namespace

SaveWithRecovery::SaveWithRecovery(QWidget *parent, QString what, Save save, SaveCopy saveCopy)
    : m_parent(messageBoxParent(parent))
    , m_what(std::move(what))
    , m_save(std::move(save))
    , m_saveCopy(std::move(saveCopy))
{
}

bool SaveWithRecovery::run()
{
    SaveResult result = m_save();
    for (;;) {
        if (result.saved) {
            if (!result.message.isEmpty())
                QMessageBox::information(m_parent, Caption, result.message);
            return true;
        }
        switch (ask(result.message)) {
        case Choice::Retry:
            result = m_save();
            break;
        case Choice::SaveCopy:
            if (saveCopy(result))
                return true;
            break;
        case Choice::GiveUp:
            QMessageBox::warning(m_parent, Caption,
                                 tr("Your changes were not saved: the changes to the %1 are lost.").arg(m_what));
            return false;
        }
    }
}

SaveWithRecovery::Choice SaveWithRecovery::ask(const QString &failure)
{
    QMessageBox box(QMessageBox::Warning, Caption,
                    failure + QStringLiteral("\n\n") + tr("Your changes are not saved yet."), QMessageBox::NoButton,
                    m_parent);
    QPushButton *retry = box.addButton(tr("Retry"), QMessageBox::AcceptRole);
    QPushButton *copy = box.addButton(tr("Save a copy as..."), QMessageBox::ActionRole);
    box.addButton(tr("Give up"), QMessageBox::DestructiveRole);
    box.setDefaultButton(retry);
    box.exec();
    if (box.clickedButton() == retry)
        return Choice::Retry;
    if (box.clickedButton() == copy)
        return Choice::SaveCopy;
    return Choice::GiveUp;
}

bool SaveWithRecovery::saveCopy(SaveResult &result)
{
    // The home folder: the file's own folder is likely the one that failed.
    const QString path = QFileDialog::getSaveFileName(m_parent, tr("Save a copy as..."), QDir::homePath());
    if (path.isEmpty())
        return false; // back to the choice, with the same failure
    const SaveResult copy = m_saveCopy(path);
    if (!copy.saved) {
        result = copy;
        return false;
    }
    QMessageBox::information(m_parent, Caption,
                             tr("Your changes were saved to %1.").arg(QDir::toNativeSeparators(path)));
    return true;
}
