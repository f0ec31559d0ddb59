// Opens each window of the calculator as a user would and checks that a
// screen reader can name every widget that takes the keyboard focus, and
// that Tab reaches each of them, in the main dialog in its own order.
#include "calculator/vorrakdialog.h"
#include "tests/support/accessibilitycheck.h"
#include "tests/support/fixtures.h"
#include "tests/support/modalanswer.h"
#include "tests/support/scratchdir.h"
#include "tests/support/tabwalk.h"
#include "tests/support/widgetinput.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

class TestCalculatorAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyFocusableWidgetIsNamed_data();
    void everyFocusableWidgetIsNamed();
    void tabOrder();

private:
    ScratchDir m_dir;
};

void TestCalculatorAccessibility::initTestCase()
{
    // Data with every kind of entry, empty and non-Latin-1 names included.
    QVERIFY(m_dir.isValid());
    QVERIFY(m_dir.write("Vorrak.dat", dataFileBytes(richGroups())));
    QVERIFY(m_dir.write("Vorrak.hlp", helpFileBytes(richTopics())));
}

void TestCalculatorAccessibility::everyFocusableWidgetIsNamed_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("inputs");

    QTest::newRow("main dialog") << "main" << QStringList{"ProcGrpList", "ProcessList", "QualitySpin", "GoButton",
                                                          "ItemsList",   "SkillsList",  "HelpButton",  "ExitButton"};
    QTest::newRow("help viewer") << "help" << QStringList{"TopicsList", "BodyView", "CloseButton"};
}

void TestCalculatorAccessibility::everyFocusableWidgetIsNamed()
{
    QFETCH(QString, window);
    QFETCH(QStringList, inputs);

    VorrakDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    // Results in the lists, as after a real calculation.
    auto *groups = dialog.findChild<QComboBox *>("ProcGrpList");
    auto *go = dialog.findChild<QPushButton *>("GoButton");
    QVERIFY(groups && go);
    QCOMPARE(groups->count(), int(richGroups().size()));
    QTest::mouseClick(go, Qt::LeftButton);

    AccessibilityReport report;
    QString tabFault;
    if (window == "main") {
        report = checkAccessibleNames(&dialog);
        // The main dialog keeps its own tab order, so only reaching counts.
        tabFault = tabChainFault(&dialog);
    } else {
        auto *help = dialog.findChild<QPushButton *>("HelpButton");
        QVERIFY(help);
        QString title;
        const bool opened = clickIntoModal(help, [&](QWidget *viewer) {
            title = viewer->windowTitle();
            report = checkAccessibleNames(viewer);
            tabFault = tabChainFault(viewer, inputs);
        });
        QVERIFY2(opened, "the help viewer did not open");
        QCOMPARE(title, QStringLiteral("vorrakhelpdialog"));
    }

    for (const QString &input : inputs)
        QVERIFY2(report.checked.contains(input), qPrintable(input + " was not checked"));
    QVERIFY2(report.unnamed.isEmpty(), qPrintable("no accessible name: " + report.unnamed.join(", ")));
    QVERIFY2(report.unreached.isEmpty(), qPrintable("not in the accessibility tree: " + report.unreached.join(", ")));
    QVERIFY2(tabFault.isEmpty(), qPrintable(tabFault));
}

// The main dialog's own order: the results come last. The first process
// of the data has a range, so the spin box takes part.
void TestCalculatorAccessibility::tabOrder()
{
    VorrakDialog dialog;
    QVERIFY(showAndActivate(dialog));

    const QStringList expected{QStringLiteral("ProcGrpList"), QStringLiteral("ProcessList"),
                               QStringLiteral("QualitySpin"), QStringLiteral("HelpButton"),
                               QStringLiteral("ExitButton"),  QStringLiteral("ItemsList"),
                               QStringLiteral("SkillsList")};
    auto *first = dialog.findChild<QWidget *>(expected.first());
    first->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), first);
    QStringList visited{first->objectName()};
    for (int i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
}

QTEST_MAIN(TestCalculatorAccessibility)
#include "tst_calculatoraccessibility.moc"
