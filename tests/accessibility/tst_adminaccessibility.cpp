// Opens each window of the data editor the way a user reaches it and checks
// that a screen reader can name every widget that takes the keyboard focus,
// and that Tab reaches each of them in reading order.
#include "admin/vorrakadmindialog.h"
#include "tests/support/accessibilitycheck.h"
#include "tests/support/fixtures.h"
#include "tests/support/modalanswer.h"
#include "tests/support/scratchdir.h"
#include "tests/support/tabwalk.h"
#include "tests/support/widgetinput.h"

#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

class TestAdminAccessibility : public ScratchTest
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void mainDialog_data();
    void mainDialog();
    void recordForms_data();
    void recordForms();
    void helpWindows_data();
    void helpWindows();

private:
    static void verifyReport(const AccessibilityReport &report, const QStringList &inputs);

    // The editor's main dialog, shown over the files init() writes.
    std::unique_ptr<VorrakAdminDialog> m_dialog;
};

// Each case in a fresh folder: closing the editor's windows writes the files.
void TestAdminAccessibility::init()
{
    ScratchTest::init();
    QVERIFY(m_dir->write("Vorrak.dat", dataFileBytes(richGroups())));
    QVERIFY(m_dir->write("Vorrak.hlp", helpFileBytes(richTopics())));
    m_dialog = std::make_unique<VorrakAdminDialog>();
    QVERIFY(showAndActivate(*m_dialog));
}

void TestAdminAccessibility::cleanup()
{
    m_dialog.reset();
    ScratchTest::cleanup();
}

void TestAdminAccessibility::verifyReport(const AccessibilityReport &report, const QStringList &inputs)
{
    for (const QString &input : inputs)
        QVERIFY2(report.checked.contains(input), qPrintable(input + " was not checked"));
    QVERIFY2(report.unnamed.isEmpty(), qPrintable("no accessible name: " + report.unnamed.join(", ")));
    QVERIFY2(report.unreached.isEmpty(), qPrintable("not in the accessibility tree: " + report.unreached.join(", ")));
}

void TestAdminAccessibility::mainDialog_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("inputs");

    // In reading order: the two rows, the tab bar and its page, the actions, the bottom row.
    const QStringList above{"ProcGroupList", "SortGrpBtn", "ProcessList", "SortProcBtn", "qt_tabwidget_tabbar"};
    const QStringList below{"ActionList", "TypeList", "ActionBtn", "HelpBtn", "ExitBtn"};
    QTest::newRow("items page") << 0 << (above + QStringList{"ItemsList"} + below);
    QTest::newRow("skills page") << 1 << (above + QStringList{"SkillsList"} + below);
}

void TestAdminAccessibility::mainDialog()
{
    QFETCH(int, page);
    QFETCH(QStringList, inputs);

    auto *groups = m_dialog->findChild<QComboBox *>("ProcGroupList");
    auto *tabs = m_dialog->findChild<QTabWidget *>("ReqControl");
    QVERIFY(groups && tabs);
    QCOMPARE(groups->count(), int(richGroups().size()));
    tabs->setCurrentIndex(page);

    verifyReport(checkAccessibleNames(m_dialog.get()), inputs);
    const QString tabFault = tabChainFault(m_dialog.get(), inputs);
    QVERIFY2(tabFault.isEmpty(), qPrintable(tabFault));
}

void TestAdminAccessibility::recordForms_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QStringList>("inputs");

    const QStringList reqInputs{"NameEdit", "MultiEdit", "FixedBox", "LorvexEdit", "ParentList", "OkBtn", "CancelBtn"};
    QTest::newRow("process group form") << 0 << "VorrakProcDialog" << QStringList{"NameEdit", "OkBtn", "CancelBtn"};
    QTest::newRow("process form") << 1 << "VorrakProcDialog" << QStringList{"NameEdit",   "MaxQlSpin", "MinQlSpin",
                                                                            "SpecialBox", "OkBtn",     "CancelBtn"};
    QTest::newRow("item form") << 2 << "VorrakReqDialog" << reqInputs;
    QTest::newRow("skill form") << 3 << "VorrakReqDialog" << reqInputs;
}

// The forms as "Add" opens them for each type in the main dialog.
void TestAdminAccessibility::recordForms()
{
    QFETCH(int, type);
    QFETCH(QString, form);
    QFETCH(QStringList, inputs);

    auto *typeList = m_dialog->findChild<QComboBox *>("TypeList");
    auto *actionBtn = m_dialog->findChild<QPushButton *>("ActionBtn");
    QVERIFY(typeList && actionBtn);
    QCOMPARE(actionBtn->text(), QStringLiteral("Add"));
    typeList->setCurrentIndex(type);

    AccessibilityReport report;
    QString opened;
    QString tabFault;
    QVERIFY(clickIntoModal(actionBtn, [&](QWidget *window) {
        opened = window->objectName();
        report = checkAccessibleNames(window);
        tabFault = tabChainFault(window, inputs);
    }));
    QCOMPARE(opened, form);
    verifyReport(report, inputs);
    QVERIFY2(tabFault.isEmpty(), qPrintable(tabFault));
}

void TestAdminAccessibility::helpWindows_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("inputs");

    QTest::newRow("help administration") << QString() << "VorrakHelpDialog"
                                         << QStringList{"HeaderList", "BodyView",  "AddBtn",  "EditBtn",
                                                        "DelBtn",     "EditorBtn", "CloseBtn"};
    QTest::newRow("topic form") << "AddBtn"
                                << "VorrakTopicDialog" << QStringList{"IDEdit", "HeaderEdit", "OkBtn", "CancelBtn"};
    QTest::newRow("body editor") << "EditorBtn"
                                 << "VorrakEditor" << QStringList{"CloseBtn",  "SaveBtn", "BoldBtn", "ULineBtn",
                                                                  "ItalicBtn", "UndoBtn", "RedoBtn", "BodyEdit"};
}

// The help administration opened by "Edit &help", and the windows it opens
// in turn for a selected topic.
void TestAdminAccessibility::helpWindows()
{
    QFETCH(QString, button);
    QFETCH(QString, window);
    QFETCH(QStringList, inputs);

    auto *helpBtn = m_dialog->findChild<QPushButton *>("HelpBtn");
    QVERIFY(helpBtn);

    AccessibilityReport report;
    QString opened;
    QString tabFault;
    bool innerOpened = button.isEmpty();
    const bool helpOpened = clickIntoModal(helpBtn, [&](QWidget *admin) {
        if (button.isEmpty()) {
            opened = admin->objectName();
            report = checkAccessibleNames(admin);
            tabFault = tabChainFault(admin, inputs);
            return;
        }
        auto *topics = admin->findChild<QTreeWidget *>("HeaderList");
        auto *inner = admin->findChild<QPushButton *>(button);
        if (!topics || !inner || topics->topLevelItemCount() == 0)
            return;
        topics->setCurrentItem(topics->topLevelItem(0));
        innerOpened = clickIntoModal(inner, [&](QWidget *sub) {
            opened = sub->objectName();
            report = checkAccessibleNames(sub);
            tabFault = tabChainFault(sub, inputs);
        });
    });
    QVERIFY2(helpOpened, "the help administration did not open");
    QVERIFY2(innerOpened, qPrintable(button + " opened no window"));
    QCOMPARE(opened, window);
    verifyReport(report, inputs);
    QVERIFY2(tabFault.isEmpty(), qPrintable(tabFault));
}

QTEST_MAIN(TestAdminAccessibility)
#include "tst_adminaccessibility.moc"
