#pragma once

#include <QApplication>

// The style both programs show their windows in, installed when a
// ProgramStyle is made. A main dialog holds one as its only member, so the
// style is installed after the dialog's widgets are built and before it is
// shown.
class ProgramStyle
{
public:
    ProgramStyle() { QApplication::setStyle(QStringLiteral("Fusion")); }
};
