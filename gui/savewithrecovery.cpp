#include "gui/savewithrecovery.h"

#include "gui/emergencycopy.h"
#include "gui/messageboxparent.h"
#include "gui/programcaption.h"
#include "gui/sessionending.h"
#include "gui/textmessagebox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QPushButton>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("SaveWithRecovery", text);
}

enum class Choice { Retry, SaveCopy, GiveUp };

Choice ask(QWidget *parent, const QString &failure)
{
    QMessageBox box(QMessageBox::Warning, ProgramCaption::editor(),
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
    if (!copy) {
        result = copy;
        return false;
    }
    TextMessageBox::information(parent, ProgramCaption::editor(),
                                tr("Your changes were saved to %1.").arg(QDir::toNativeSeparators(path)));
    return true;
}

// No one can answer: the store goes to an emergency copy, and standard error
// (where the failure is already logged) names it.
bool saveUnattended(const QString &what, const QString &filePath,
                    const std::function<SaveResult(const QString &)> &saveCopyAs)
{
    const QString copy = EmergencyCopy::write(filePath, saveCopyAs);
    if (copy.isEmpty()) {
        qWarning("No emergency copy could be written: the changes to the %s are lost.", qPrintable(what));
        return false;
    }
    qWarning("The changes to the %s were saved to the emergency copy %s", qPrintable(what),
             qPrintable(QDir::toNativeSeparators(copy)));
    return true;
}

} // namespace

bool saveWithRecovery(QWidget *parent, const QString &what, const QString &filePath,
                      const std::function<SaveResult()> &save,
                      const std::function<SaveResult(const QString &path)> &saveCopyAs)
{
    QWidget *boxParent = messageBoxParent(parent);
    SaveResult result = save();
    for (;;) {
        if (result) {
            // Without a display the message is in the log already.
            if (!result.text().isEmpty() && !SessionEnding::displayLost())
                TextMessageBox::information(boxParent, ProgramCaption::editor(), result.text());
            return true;
        }
        if (SessionEnding::isEnding())
            return saveUnattended(what, filePath, saveCopyAs);
        const Choice choice = ask(boxParent, result.text());
        // The end of the session closed the question: no one answered it.
        if (SessionEnding::isEnding())
            continue;
        switch (choice) {
        case Choice::Retry:
            result = save();
            break;
        case Choice::SaveCopy:
            if (saveCopy(boxParent, saveCopyAs, result))
                return true;
            break;
        case Choice::GiveUp:
            TextMessageBox::warning(boxParent, ProgramCaption::editor(),
                                    tr("Your changes were not saved: the changes to the %1 are lost.").arg(what));
            return false;
        }
    }
}
