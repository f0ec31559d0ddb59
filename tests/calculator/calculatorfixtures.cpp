#include "calculatorfixtures.h"

#include "fixtures.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QSpinBox>
#include <QTest>
#include <QWidget>

namespace {

bool writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(QDir::current().filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

Req makeReq(const QString &name, const QString &multiplier, quint8 t)
{
    return Req{name, multiplier, t, t == 0 ? 1000 : 0};
}

Proc makeProc(const QString &name, quint8 maxQL, quint8 minQL, const QList<Req> &reqs)
{
    return Proc{name, maxQL, minQL, reqs};
}

bool writeDataFile(const QList<ProcGroup> &groups)
{
    return writeFile(QStringLiteral("Vorrak.dat"), dataFileBytes(groups));
}

bool writeHelpFile(const QList<HelpTopic> &topics)
{
    return writeFile(QStringLiteral("Vorrak.hlp"), helpFileBytes(topics));
}

void chooseInCombo(QComboBox *combo, int row)
{
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    view->setCurrentIndex(view->model()->index(row, 0));
    QTest::keyClick(view, Qt::Key_Return);
}

void typeInSpin(QSpinBox *spin, const QString &text)
{
    spin->setFocus();
    QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(spin, text);
}

bool showAndActivate(QWidget &window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}
