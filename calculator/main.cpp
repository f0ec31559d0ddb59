#include "vorrakdialog.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    VorrakDialog dialog(nullptr, nullptr, true,
                        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                            | Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint);
    dialog.exec();
    return 0;
}
