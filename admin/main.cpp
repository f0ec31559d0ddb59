#include "editorsession.h"
#include "sessionendhandler.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // A shutdown, a closed terminal, Ctrl+C or a logout end the session as
    // "E&xit" does, with everything saved.
    SessionEndHandler sessionEnd;
    return EditorSession::run();
}
