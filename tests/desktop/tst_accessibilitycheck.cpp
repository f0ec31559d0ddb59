// The checker the window tests rely on must tell named from unnamed widgets
// the way a screen reader does; otherwise those tests could not fail.
#include "accessibilitycheck.h"

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
    } else if (setup == "hidden line edit") {
        auto *edit = new QLineEdit(&dialog);
        edit->hide();
        layout->addWidget(edit);
        auto *named = new QLineEdit(&dialog);
        named->setObjectName("Shown");
        named->setAccessibleName("Shown");
        layout->addWidget(named);
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

    QTest::newRow("bare line edit") << "bare line edit" << QStringList{"LineEditWidget"} << QStringList{"QLineEdit \"LineEditWidget\""};
    QTest::newRow("explicit name") << "named line edit" << QStringList{"LineEditWidget"} << QStringList{};
    QTest::newRow("label buddy names it") << "buddy label" << QStringList{"LineEditWidget"} << QStringList{};
    QTest::newRow("label without buddy does not")
        << "label without buddy" << QStringList{"SpinBoxWidget"} << QStringList{"QSpinBox \"SpinBoxWidget\""};
    QTest::newRow("button text") << "button with text" << QStringList{"PushButtonWidget"} << QStringList{};
    QTest::newRow("button without text")
        << "button without text" << QStringList{"PushButtonWidget"} << QStringList{"QPushButton \"PushButtonWidget\""};
    QTest::newRow("group box title does not name a list")
        << "list in titled box" << QStringList{"TreeWidgetWidget"} << QStringList{"QTreeWidget \"TreeWidgetWidget\""};
    QTest::newRow("list named explicitly") << "named list in titled box" << QStringList{"TreeWidgetWidget"} << QStringList{};
    QTest::newRow("hidden widgets are skipped") << "hidden line edit" << QStringList{"Shown"} << QStringList{};
    QTest::newRow("tab bar named by its tabs") << "titled tabs" << QStringList{"qt_tabwidget_tabbar"} << QStringList{};
    QTest::newRow("tab without title") << "untitled tab" << QStringList{"qt_tabwidget_tabbar"} << QStringList{"QTabBar \"qt_tabwidget_tabbar\""};
}

void TestAccessibilityCheck::reportsUnnamedFocusableWidgets()
{
    QFETCH(QString, setup);
    QFETCH(QStringList, checked);
    QFETCH(QStringList, unnamed);

    QDialog dialog;
    build(setup, dialog);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    const AccessibilityReport report = checkAccessibleNames(&dialog);
    QCOMPARE(report.unnamed, unnamed);
    QCOMPARE(report.checked, checked);
    QCOMPARE(report.unreached, QStringList{});
}

QTEST_MAIN(TestAccessibilityCheck)
#include "tst_accessibilitycheck.moc"
