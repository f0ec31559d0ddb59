#pragma once

#include <Qt>

// Every window of the editor has a dialog frame with a title bar, a system
// menu and a close box, but no minimise or maximise button.
inline Qt::WindowFlags editorWindowFlags()
{
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowCloseButtonHint;
}
