#pragma once

#include "help/helptopic.h"
#include "tradeskill/procgroup.h"

#include <QByteArray>
#include <QList>

// The published calculator: one HTML file that needs nothing else, with the
// data, the help and the calculation inside. Every distinct name and
// multiplier is written once, in a string table, and referred to by its
// number. The table, the index of groups and processes and the help are read
// when the page opens; each group's requirements sit in a block of their own
// that the page reads only when the group is chosen, so large data files
// still show results quickly.
// The page's content security policy lets only its own script and style
// run: nothing is loaded, whatever the data or the help bodies hold.
namespace WebPage {

QByteArray build(const QList<ProcGroup> &groups, const QList<HelpTopic> &topics);

} // namespace WebPage
