#pragma once

#include <QString>

// Cuts a help body down to the formatting tags the help uses (<b>, <i>,
// <u>, <br>, headings, lists, paragraphs, <center>, <tt>, tables and the
// like), each without attributes, so that a page showing it can run and load
// nothing: scripts and styles go with their content, every other tag goes
// and leaves its text, comments go, stray '<', '>' and '&' are escaped.
namespace HelpBodySanitizer {

QString sanitize(const QString &body);

} // namespace HelpBodySanitizer
