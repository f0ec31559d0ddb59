#include "savewithrecovery.h"

#include "messageboxparent.h"
#include "textmessagebox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QPushButton>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("SaveWithRecovery", text);
}

const QString Caption = QStringLiteral("VorrakAdmin");

enum class Choice { Retry, SaveCopy, GiveUp };

Choice ask(QWidget *parent, const QString &failure)
{
    QMessageBox box(QMessageBox::Warning, Caption,
                    failure + QStringLiteral("\n\n") + tr("Your changes are not saved yet."), QMessageBox::NoButton,
                    parent);
    TextMessageBox::makePlain(box);
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

// True once a copy is written; a failed copy becomes the failure to show next.
bool saveCopy(QWidget *parent, const std::function<SaveResult(const QString &)> &save, SaveResult &result)
{
    // The home folder: the file's own folder is likely the one that failed.
    const QString path = QFileDialog::getSaveFileName(parent, tr("Save a copy as..."), QDir::homePath());
    if (path.isEmpty())
        return false; // back to the choice, with the same failure
    const SaveResult copy = save(path);
    if (!copy.saved) {
        result = copy;
        return false;
    }
    TextMessageBox::information(parent, Caption,
                             tr("Your changes were saved to %1.").arg(QDir::toNativeSeparators(path)));
    return true;
}

} // namespace

bool saveWithRecovery(QWidget *parent, const QString &what, const std::function<SaveResult()> &save,
                      const std::function<SaveResult(const QString &path)> &saveCopyAs)
{
    QWidget *boxParent = messageBoxParent(parent);
    SaveResult result = save();
    for (;;) {
        if (result.saved) {
            if (!result.message.isEmpty())
                TextMessageBox::information(boxParent, Caption, result.message);
            return true;
        }
        switch (ask(boxParent, result.message)) {
        case Choice::Retry:
            result = save();
            break;
        case Choice::SaveCopy:
            if (saveCopy(boxParent, saveCopyAs, result))
                return true;
            break;
        case Choice::GiveUp:
            TextMessageBox::warning(boxParent, Caption,
                                 tr("Your changes were not saved: the changes to the %1 are lost.").arg(what));
            return false;
        }
    }
}
