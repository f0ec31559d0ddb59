#pragma once

#include "messagehandler.h"

#include <QString>

// Moves a file that the program could not read out of the way before the
// program writes its own version, so the unreadable content is never lost:
// `path` becomes `path`.bak, replacing an older backup. `what` names the file
// in the log and the message ("data file", "help file").
//
// True when the file now stands at the backup path. On failure the reason is
// logged and handed to `showMessage` (with `consequence`, which says what the
// program does instead), the file stays where it was and the caller must
// leave it alone.
bool keepUnreadableFile(const QString &path, const QString &what, const QString &consequence,
                        const MessageHandler &showMessage);
