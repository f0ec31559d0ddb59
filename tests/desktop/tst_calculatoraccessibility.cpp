// Opens each window of the calculator as a user would and checks that a
// screen reader can name every widget that takes the keyboard focus.
#include "accessibilitycheck.h"
#include "modalwatcher.h"
#include "smalldata.h"
#include "vorrakdialog.h"

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TestCalculatorAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyFocusableWidgetIsNamed_data();
    void everyFocusableWidgetIsNamed();

private:
    QTemporaryDir m_dir;
};

void TestCalculatorAccessibility::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir::setCurrent(m_dir.path()));
    QVERIFY(writeSmallData());
}

void TestCalculatorAccessibility::everyFocusableWidgetIsNamed_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("inputs");

    QTest::newRow("main dialog") << "main" << QStringList{"ProcGrpList", "ProcessList", "QualitySpin", "GoButton",
                                                          "ItemsList", "SkillsList", "HelpButton", "ExitButton"};
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
    auto *go = dialog.findChild<QPushButton *>("GoButton");
    QVERIFY(go);
    QTest::mouseClick(go, Qt::LeftButton);

    AccessibilityReport report;
    if (window == "main") {
        report = checkAccessibleNames(&dialog);
    } else {
        auto *help = dialog.findChild<QPushButton *>("HelpButton");
        QVERIFY(help);
        QString title;
        const bool opened = clickIntoModal(help, [&](QWidget *viewer) {
            title = viewer->windowTitle();
            report = checkAccessibleNames(viewer);
        });
        QVERIFY2(opened, "the help viewer did not open");
        QCOMPARE(title, QStringLiteral("vorrakhelpdialog"));
    }

    for (const QString &input : inputs)
        QVERIFY2(report.checked.contains(input), qPrintable(input + " was not checked"));
    QVERIFY2(report.unnamed.isEmpty(), qPrintable("no accessible name: " + report.unnamed.join(", ")));
    QVERIFY2(report.unreached.isEmpty(),
             qPrintable("not in the accessibility tree: " + report.unreached.join(", ")));
}

QTEST_MAIN(TestCalculatorAccessibility)
#include "tst_calculatoraccessibility.moc"
