#pragma once

#include <QString>
#include <functional>

// How a file reader or writer tells the user about a problem. The programs
// hand in a function that shows a message box; tests hand in one that records.
using MessageHandler = std::function<void(const QString &text)>;
