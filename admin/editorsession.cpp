#include "editorsession.h"

#include "datafilebackup.h"
#include "editorwindowflags.h"
#include "vorrakadmindialog.h"

#include <QMessageBox>

namespace EditorSession {

int run()
{
    VorrakAdminDialog dialog(nullptr, nullptr, true, editorWindowFlags());
    dialog.exec();
    finish(dialog);
    return 0;
}

bool finish(VorrakAdminDialogBase &dialog)
{
    const auto status = dialog.loadStatus();
    if (status == TradeskillData::LoadStatus::BadMagic || status == TradeskillData::LoadStatus::Damaged) {
        const bool kept = backUpDataFile([&dialog](const QString &text) {
            QMessageBox::warning(&dialog, QStringLiteral("VorrakAdmin"), text);
        });
        if (!kept)
            return false;
    }
    return dialog.data().save();
}

} // namespace EditorSession
