#pragma once

#include "helptopic.h"
#include "procgroup.h"

#include <QList>

class QComboBox;
class QSpinBox;
class QWidget;

// Small stores for the calculator tests, written with the libraries' own
// writers into the current directory.
Req makeReq(const QString &name, const QString &multiplier, quint8 t);
Proc makeProc(const QString &name, quint8 maxQL, quint8 minQL, const QList<Req> &reqs = {});

bool writeDataFile(const QList<ProcGroup> &groups);
bool writeHelpFile(const QList<HelpTopic> &topics);

// Picks `row` the way a user does: opens the popup and presses Return on
// the row, which reports the row as activated even when it is current.
void chooseInCombo(QComboBox *combo, int row);
// Replaces the spin box's text by typing `text`.
void typeInSpin(QSpinBox *spin, const QString &text);

// Shows the window and waits until it is the active one; false if it never becomes active.
bool showAndActivate(QWidget &window);
