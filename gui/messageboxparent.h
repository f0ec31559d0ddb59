#pragma once

class QWidget;

// The window a message box about `window` opens over: `window` itself once
// it is shown; while it is still being built (or already closed) the shown
// window it opens over; none when there is none, which centres the box on
// the screen. A box parented to a window not shown opens at the screen's
// top-left corner.
QWidget *messageBoxParent(QWidget *window);
