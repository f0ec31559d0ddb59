#pragma once

#include "messagehandler.h"

#include <QString>

// Moves a help file that could not be read out of the way before the editor
// writes a new one, so its content is never lost: Vorrak.hlp becomes
// Vorrak.hlp.bak, replacing an older backup.
namespace HelpFileBackup {

QString backupPath(const QString &path);

// True when the file now stands at backupPath(path). On failure the reason is
// logged and handed to `showMessage`, and the file is left where it was.
bool keep(const QString &path, const MessageHandler &showMessage);

} // namespace HelpFileBackup
