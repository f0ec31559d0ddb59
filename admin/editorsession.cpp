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
    TradeskillData &data = dialog.data();
    return SaveWithRecovery(&dialog, QStringLiteral("data file"), [&data] { return data.save(); },
                            [&data](const QString &path) { return data.saveCopy(path); })
        .run();
}

} // namespace EditorSession
