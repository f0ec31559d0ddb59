#include "tests/admin/admintest.h"

#include "admin/vorrakadmindialog.h"
#include "gui/dialogwindowflags.h"
#include "tests/support/widgetinput.h"

#include <QComboBox>
#include <QTest>
#include <QTreeWidget>

Editor::Editor()
    : dialog(new VorrakAdminDialog(nullptr, nullptr, false, DialogWindowFlags))
{
    shown = showAndActivate(*dialog);
}

Editor::~Editor()
{
    delete dialog;
}

const QList<ProcGroup> &Editor::groups() const
{
    return dialog->data().procGrps();
}

QStringList entries(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts.append(combo->itemText(i));
    return texts;
}

QStringList rows(const QTreeWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QStringList columns;
        for (int c = 0; c < list->columnCount(); ++c)
            columns.append(list->topLevelItem(i)->text(c));
        texts.append(columns.join(QLatin1Char('|')));
    }
    return texts;
}

void choose(QComboBox *combo, int index)
{
    combo->setFocus();
    while (combo->currentIndex() < index)
        QTest::keyClick(combo, Qt::Key_Down);
    while (combo->currentIndex() > index)
        QTest::keyClick(combo, Qt::Key_Up);
}
