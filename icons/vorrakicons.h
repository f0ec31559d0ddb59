#pragma once

#include <QIcon>

// The 32 x 32 crossed-tools picture set on every window of both programs.
QIcon vorrakWindowIcon();
