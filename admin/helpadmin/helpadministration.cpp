#include "helpadministration.h"

#include "dialogwindowflags.h"
#include "savewithrecovery.h"
#include "vorrakhelpdialog.h"

namespace HelpAdministration {

void run(QWidget *parent)
{
    VorrakHelpDialog dialog(parent, nullptr, true, DialogWindowFlags);
    dialog.exec();

    // Every way of closing keeps the changes: there is no way to throw them
    // away, so the file is written whatever exec() returned. The store keeps
    // an unreadable or changed file as a backup before writing over it.
    saveWithRecovery(&dialog, QStringLiteral("help file"), dialog.helpData());
}

} // namespace HelpAdministration
