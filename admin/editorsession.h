#pragma once

class VorrakAdminDialogBase;

// The editor program once its QApplication exists: run the main dialog and,
// however it was closed, write the store exactly once.
namespace EditorSession {

// Runs a modal VorrakAdminDialog and then finish(). Always returns 0.
int run();

// Writes the store of a closed main dialog to Vorrak.dat. A file that was
// unreadable at start-up, or that another program changed since, is first
// kept as a backup. A failed save offers retrying, saving a copy and giving
// up. Messages have the dialog as parent; true when the store reached a file.
// Whatever ends the session (the dialog's buttons, a signal, the session
// manager) only needs to make exec() return for this to run.
bool finish(VorrakAdminDialogBase &dialog);

} // namespace EditorSession
