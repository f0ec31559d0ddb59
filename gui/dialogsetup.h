#pragma once

class QDialog;

// The opening all dialog constructors share, from the arguments they all
// take: the object name given (without one, setupUi() names the dialog after
// its form), the modality and the window icon of both programs.
void setUpDialog(QDialog &dialog, const char *name, bool modal);
