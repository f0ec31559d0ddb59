#include "helpadministration.h"

#include "dialogwindowflags.h"
#include "messageboxparent.h"
#include "unreadablefilebackup.h"
#include "vorrakhelpdialog.h"

#include <QMessageBox>

namespace HelpAdministration {

void run(QWidget *parent)
{
    VorrakHelpDialog dialog(parent, nullptr, true, DialogWindowFlags);
    dialog.exec();

    // Every way of closing keeps the changes: there is no way to throw them
    // away, so the file is written whatever exec() returned.
    const HelpData::LoadStatus status = dialog.loadStatus();
    if (status == HelpData::LoadStatus::BadMagic || status == HelpData::LoadStatus::Damaged) {
        const bool kept = keepUnreadableFile(
            HelpData::filePath(), QStringLiteral("help file"), QStringLiteral("The help file was not written."),
            [&dialog](const QString &text) {
                QMessageBox::warning(messageBoxParent(&dialog), QStringLiteral("VorrakAdmin"), text);
            });
        if (!kept)
            return;
    }
    dialog.helpData().save();
}

} // namespace HelpAdministration
