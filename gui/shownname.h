#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QLineEdit;

// A name, title or ID from a file as a window shows it. Qt lays out the
// whole of a text to measure and draw it, so a name of millions of
// characters would cost seconds and gigabytes wherever it is shown; past
// MaxLength characters only its start is shown, with an ellipsis. The name
// itself is kept whole wherever it is stored.
namespace ShownName {

constexpr int MaxLength = 500;
// How much of a cut name its tooltip shows: far more than fits on a screen,
// still laid out in a moment.
constexpr int MaxTipLength = 10000;

bool isCut(const QString &name);
QString of(const QString &name);
// The tooltip of a cut name, as rich text that wraps, with the name escaped:
// the name (up to MaxTipLength characters) and its length. Empty for a name
// shown whole.
QString tip(const QString &name);

// Fills a combo box with the names, each cut ones with its tooltip.
void fill(QComboBox *combo, const QStringList &names);

// A form's field for a name. A line edit holds no more than its maxLength()
// (32767 characters) and would cut a longer name silently; such a name is
// shown cut with its tooltip and given back whole unless the user changes
// the field.
void edit(QLineEdit *field, const QString &name);
QString edited(const QLineEdit *field);

} // namespace ShownName
