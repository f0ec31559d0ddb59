#include "dialogwindowflags.h"
#include "vorrakdialog.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    VorrakDialog dialog(nullptr, nullptr, true, ContextHelpDialogWindowFlags);
    dialog.exec();
    return 0;
}
