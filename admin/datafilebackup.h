#pragma once

#include "messagehandler.h"

// Moves the data file found in the current directory aside as Vorrak.dat.bak,
// replacing an older backup, so that a file the editor could not read is
// never overwritten by the editor's own store. Logs both paths. On failure
// the user is told why and false comes back: the caller must then leave the
// data file alone.
bool backUpDataFile(const MessageHandler &showMessage);
