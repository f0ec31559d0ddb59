#pragma once

#include <Qt>

// Every dialog of both programs: a dialog frame with title bar and system
// menu (with its close box), no minimise or maximise button.
inline constexpr Qt::WindowFlags DialogWindowFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
    | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// The calculator's main dialog adds the What's This button.
inline constexpr Qt::WindowFlags ContextHelpDialogWindowFlags = DialogWindowFlags | Qt::WindowContextHelpButtonHint;
