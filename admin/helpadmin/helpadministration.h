#pragma once

class QWidget;

namespace HelpAdministration {

// Opens the help topic administration over `parent` and, once it has been
// closed in whatever way, writes Vorrak.hlp.
void run(QWidget *parent);

} // namespace HelpAdministration
