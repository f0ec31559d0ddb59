#pragma once

#include "admin/vorrakadmindialog.h"
#include "tradeskill/procgroup.h"

#include <QComboBox>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTreeWidget>

// The editor's main dialog, shown and active, with its widgets at hand.
struct Editor
{
    Editor();
    ~Editor();

    template <typename T>
    T *get(const char *name) const
    {
        return dialog->findChild<T *>(QString::fromLatin1(name));
    }
    QComboBox *combo(const char *name) const { return get<QComboBox>(name); }
    QTreeWidget *list(const char *name) const { return get<QTreeWidget>(name); }
    const QList<ProcGroup> &groups() const;

    VorrakAdminDialog *dialog;
    bool shown = false;
};

QStringList entries(const QComboBox *combo);
// Rows as "name|multiplier|hidden columns..." in the order shown.
QStringList rows(const QTreeWidget *list);
// Picks an entry with the arrow keys, as a user does; each step is an activation.
void choose(QComboBox *combo, int index);
