#include "editorsession.h"

#include "dialogwindowflags.h"
#include "savewithrecovery.h"
#include "vorrakadmindialog.h"

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
    return saveWithRecovery(&dialog, QStringLiteral("data file"), dialog.data());
}

} // namespace EditorSession
