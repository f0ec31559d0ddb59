#include "admin/editorsession.h"
#include "admin/sessionendhandler.h"
#include "common/vorrakrelease.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(VORRAK_VERSION));
    // Lets the desktop match the window to its menu entry.
    QApplication::setDesktopFileName(QStringLiteral(VORRAK_APP_ID_PREFIX ".VorrakAdmin"));
    // A shutdown, a closed terminal, Ctrl+C or a logout end the session as
    // "E&xit" does, with everything saved.
    SessionEndHandler sessionEnd;
    return EditorSession::run();
}
