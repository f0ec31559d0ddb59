#pragma once

#include <Qt>

// Every window of the data editor: dialog frame, title bar and system menu
// with a close box, no minimise, maximise or context-help button.
inline constexpr Qt::WindowFlags AdminDialogFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
    | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
