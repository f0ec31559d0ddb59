#include "admin/helpadmin/helpadministration.h"

#include "admin/helpadmin/vorrakhelpdialog.h"
#include "gui/dialogwindowflags.h"
#include "gui/savewithrecovery.h"
#include "gui/sessionending.h"

namespace HelpAdministration {

void run(QWidget *parent)
{
    VorrakHelpDialog dialog(parent, nullptr, true, DialogWindowFlags);
    // Every way of closing keeps the changes: there is no way to throw them
    // away, so the file is written whatever exec() returned, or if the
    // program has to end inside it or inside a message of the save. The
    // store keeps an unreadable or changed file as a backup before writing
    // over it.
    const auto save = [&dialog] { saveWithRecovery(&dialog, QStringLiteral("help file"), dialog.helpData()); };
    SessionEnding::KeepStep keep(save);
    dialog.exec();
    save();
}

} // namespace HelpAdministration
