#include "admin/editorsession.h"

#include "admin/vorrakadmindialog.h"
#include "gui/dialogwindowflags.h"
#include "gui/emergencycopy.h"
#include "gui/messageboxparent.h"
#include "gui/programcaption.h"
#include "gui/savewithrecovery.h"
#include "gui/sessionending.h"
#include "gui/textmessagebox.h"

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>

namespace EditorSession {

namespace {

// Once: the work an earlier session could not save here is in these copies.
void tellOfEmergencyCopies(QWidget *dialog)
{
    const QStringList copies = EmergencyCopy::takeUntold(QDir::currentPath());
    if (copies.isEmpty())
        return;
    // Paths are shown as they are, whatever they hold.
    TextMessageBox::information(messageBoxParent(dialog), ProgramCaption::editor(),
                                QCoreApplication::translate("EditorSession",
                                                            "When an earlier session ended, its changes could not be "
                                                            "saved here and were kept in an emergency copy:\n\n%1")
                                    .arg(copies.join(QLatin1Char('\n'))));
}

} // namespace

int run()
{
    VorrakAdminDialog dialog(nullptr, nullptr, true, DialogWindowFlags);
    tellOfEmergencyCopies(&dialog);
    // Should the program have to end inside exec() or inside a message of
    // the save, the store is saved there and then.
    SessionEnding::KeepStep keep([&dialog] { finish(dialog); });
    dialog.exec();
    finish(dialog);
    return 0;
}

bool finish(VorrakAdminDialogBase &dialog)
{
    return saveWithRecovery(&dialog, QStringLiteral("data file"), dialog.data());
}

} // namespace EditorSession
