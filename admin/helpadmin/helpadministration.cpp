#include "helpadministration.h"

#include "admindialogflags.h"
#include "helpfilebackup.h"
#include "vorrakhelpdialog.h"

#include <QMessageBox>

namespace HelpAdministration {

void run(QWidget *parent)
{
    VorrakHelpDialog dialog(parent, nullptr, true, AdminDialogFlags);
    dialog.exec();

    // Every way of closing keeps the changes: there is no way to throw them
    // away, so the file is written whatever exec() returned.
    const HelpData::LoadStatus status = dialog.loadStatus();
    if (status == HelpData::LoadStatus::BadMagic || status == HelpData::LoadStatus::Damaged) {
        const bool kept = HelpFileBackup::keep(HelpData::filePath(), [&dialog](const QString &text) {
            QMessageBox::warning(&dialog, QStringLiteral("VorrakAdmin"), text);
        });
        if (!kept)
            return;
    }
    dialog.helpData().save();
}

} // namespace HelpAdministration
