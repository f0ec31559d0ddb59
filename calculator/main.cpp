#include "calculator/vorrakdialog.h"
#include "common/vorrakrelease.h"
#include "gui/dialogwindowflags.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(VORRAK_VERSION));
    // Lets the desktop match the window to its menu entry.
    QApplication::setDesktopFileName(QStringLiteral(VORRAK_APP_ID_PREFIX ".Vorrak"));
    VorrakDialog dialog(nullptr, nullptr, true, ContextHelpDialogWindowFlags);
    dialog.exec();
    return 0;
}
