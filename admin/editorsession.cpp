#include "editorsession.h"

#include "dialogwindowflags.h"
#include "unreadablefilebackup.h"
#include "vorrakadmindialog.h"

#include <QMessageBox>

namespace EditorSession {

int run()
{
    VorrakAdminDialog dialog(nullptr, nullptr, true, DialogWindowFlags);
    dialog.exec();
    finish(dialog);
    return 0;
}

bool finish(VorrakAdminDialogBase &dialog)
{
    const auto status = dialog.loadStatus();
    if (status == TradeskillData::LoadStatus::BadMagic || status == TradeskillData::LoadStatus::Damaged) {
        const bool kept = keepUnreadableFile(
            TradeskillData::filePath(), QStringLiteral("data file"),
            QStringLiteral("The data file was left as it is and your changes were not saved."),
            [&dialog](const QString &text) { QMessageBox::warning(&dialog, QStringLiteral("VorrakAdmin"), text); });
        if (!kept)
            return false;
    }
    return dialog.data().save();
}

} // namespace EditorSession
