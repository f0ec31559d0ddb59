// The checker the window tests rely on must tell named from unnamed widgets
// the way a screen reader does; otherwise those tests could not fail.
#include "tests/support/accessibilitycheck.h"

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>

class TestAccessibilityCheck : public QObject
{
    Q_OBJECT

private slots:
    void reportsUnnamedFocusableWidgets_data();
    void reportsUnnamedFocusableWidgets();
};

namespace {

// Fills the dialog with the widgets of one case.
void build(const QString &setup, QDialog &dialog)
{
    auto *layout = new QVBoxLayout(&dialog);
    if (setup == "bare line edit") {
        layout->addWidget(new QLineEdit(&dialog));
    } else if (setup == "named line edit") {
        auto *edit = new QLineEdit(&dialog);
        edit->setAccessibleName("Name");
        layout->addWidget(edit);
    } else if (setup == "buddy label") {
        auto *label = new QLabel("&Multiplier", &dialog);
        auto *edit = new QLineEdit(&dialog);
        label->setBuddy(edit);
        layout->addWidget(label);
        layout->addWidget(edit);
    } else if (setup == "label without buddy") {
        layout->addWidget(new QLabel("Product Quality", &dialog));
        layout->addWidget(new QSpinBox(&dialog));
    } else if (setup == "button with text") {
        layout->addWidget(new QPushButton("GO!", &dialog));
    } else if (setup == "button without text") {
        layout->addWidget(new QPushButton(&dialog));
    } else if (setup == "list in titled box") {
        auto *box = new QGroupBox("Skills", &dialog);
        auto *boxLayout = new QVBoxLayout(box);
        boxLayout->addWidget(new QTreeWidget(box));
        layout->addWidget(box);
    } else if (setup == "named list in titled box") {
        auto *box = new QGroupBox("Skills", &dialog);
        auto *boxLayout = new QVBoxLayout(box);
        auto *list = new QTreeWidget(box);
        list->setAccessibleName("Skills");
        boxLayout->addWidget(list);
        layout->addWidget(box);
    } else if (setup == "list with buddy label") {
        auto *label = new QLabel("Help Topics", &dialog);
        auto *list = new QTreeWidget(&dialog);
        label->setBuddy(list);
        layout->addWidget(label);
        layout->addWidget(list);
    } else if (setup == "hidden line edit") {
        auto *edit = new QLineEdit(&dialog);
        edit->hide();
        layout->addWidget(edit);
        auto *named = new QLineEdit(&dialog);
        named->setObjectName("Shown");
        named->setAccessibleName("Shown");
        layout->addWidget(named);
    } else if (setup == "widget outside the tree") {
        // Qt leaves a spin box's own editor out of the tree; standing alone,
        // such a widget could take the focus without ever being announced.
        auto *edit = new QLineEdit(&dialog);
        edit->setObjectName("qt_spinbox_lineedit");
        edit->setAccessibleName("Hidden from readers");
        layout->addWidget(edit);
    } else if (setup == "titled tabs") {
        auto *tabs = new QTabWidget(&dialog);
        tabs->addTab(new QWidget, "&Items/Tools");
        tabs->addTab(new QWidget, "S&kills");
        layout->addWidget(tabs);
    } else if (setup == "untitled tab") {
        auto *tabs = new QTabWidget(&dialog);
        tabs->addTab(new QWidget, "&Items/Tools");
        tabs->addTab(new QWidget, QString());
        layout->addWidget(tabs);
    }
    // Object names make the report readable; the checker must not use them
    // as accessible names.
    for (QWidget *w : dialog.findChildren<QWidget *>())
        if (w->objectName().isEmpty())
            w->setObjectName(QString::fromLatin1(w->metaObject()->className()).mid(1) + "Widget");
}

} // namespace

void TestAccessibilityCheck::reportsUnnamedFocusableWidgets_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QStringList>("checked");
    QTest::addColumn<QStringList>("unnamed");
    QTest::addColumn<QStringList>("unreached");

    const QStringList none;
    QTest::newRow("bare line edit") << "bare line edit" << QStringList{"LineEditWidget"}
                                    << QStringList{"QLineEdit \"LineEditWidget\""} << none;
    QTest::newRow("explicit name") << "named line edit" << QStringList{"LineEditWidget"} << none << none;
    QTest::newRow("label buddy names it") << "buddy label" << QStringList{"LineEditWidget"} << none << none;
    QTest::newRow("label without buddy does not")
        << "label without buddy" << QStringList{"SpinBoxWidget"} << QStringList{"QSpinBox \"SpinBoxWidget\""} << none;
    QTest::newRow("button text") << "button with text" << QStringList{"PushButtonWidget"} << none << none;
    QTest::newRow("button without text") << "button without text" << QStringList{"PushButtonWidget"}
                                         << QStringList{"QPushButton \"PushButtonWidget\""} << none;
    QTest::newRow("group box title does not name a list") << "list in titled box" << QStringList{"TreeWidgetWidget"}
                                                          << QStringList{"QTreeWidget \"TreeWidgetWidget\""} << none;
    QTest::newRow("list named explicitly")
        << "named list in titled box" << QStringList{"TreeWidgetWidget"} << none << none;
    // Qt's item views speak only their own accessible name, never a buddy's.
    QTest::newRow("buddy label does not name a list") << "list with buddy label" << QStringList{"TreeWidgetWidget"}
                                                      << QStringList{"QTreeWidget \"TreeWidgetWidget\""} << none;
    QTest::newRow("hidden widgets are skipped") << "hidden line edit" << QStringList{"Shown"} << none << none;
    QTest::newRow("widget outside the tree")
        << "widget outside the tree" << none << none << QStringList{"QLineEdit \"qt_spinbox_lineedit\""};
    QTest::newRow("tab bar named by its tabs") << "titled tabs" << QStringList{"qt_tabwidget_tabbar"} << none << none;
    QTest::newRow("tab without title") << "untitled tab" << QStringList{"qt_tabwidget_tabbar"}
                                       << QStringList{"QTabBar \"qt_tabwidget_tabbar\""} << none;
}

void TestAccessibilityCheck::reportsUnnamedFocusableWidgets()
{
    QFETCH(QString, setup);
    QFETCH(QStringList, checked);
    QFETCH(QStringList, unnamed);
    QFETCH(QStringList, unreached);

    QDialog dialog;
    build(setup, dialog);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    const AccessibilityReport report = checkAccessibleNames(&dialog);
    QCOMPARE(report.unnamed, unnamed);
    QCOMPARE(report.checked, checked);
    QCOMPARE(report.unreached, unreached);
}

QTEST_MAIN(TestAccessibilityCheck)
#include "tst_accessibilitycheck.moc"
