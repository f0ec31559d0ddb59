#pragma once

#include <QMessageBox>

// The programs' message boxes. Their texts carry names, titles, IDs and
// paths from the files, so the text is always shown as plain text: a name
// such as <img src="/dev/zero"> is shown as written and loads nothing.
namespace TextMessageBox {

QMessageBox::StandardButton critical(QWidget *parent, const QString &caption, const QString &text);
QMessageBox::StandardButton warning(QWidget *parent, const QString &caption, const QString &text,
                                    QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
QMessageBox::StandardButton information(QWidget *parent, const QString &caption, const QString &text);

// A box to fill with buttons of its own; its text is plain text too.
void makePlain(QMessageBox &box);

} // namespace TextMessageBox
