#pragma once

class VorrakAdminDialogBase;

// The editor program once its QApplication exists: run the main dialog and,
// however it was closed, write the store exactly once.
namespace EditorSession {

// Runs a modal VorrakAdminDialog and then finish(). Always returns 0.
int run();

// Writes the store of a closed main dialog to Vorrak.dat. A file that was
// present but unreadable at start-up is first kept as Vorrak.dat.bak.
// Failures are shown with the dialog as parent; returns true when saved.
bool finish(VorrakAdminDialogBase &dialog);

} // namespace EditorSession
