#include "admin/vorrakadmindialog.h"
#include "gui/dialogwindowflags.h"
#include "tests/admin/admintest.h"
#include "tests/support/fixtures.h"
#include "tests/support/logcapture.h"
#include "tests/support/modalanswer.h"
#include "tests/support/scratchdir.h"
#include "tests/support/widgetinput.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

namespace {

QList<ProcGroup> browsingStore()
{
    return {makeGroup("Weapons",
                      {makeProc("Pistol", 200, 1,
                                {makeReq("Screwdriver", "0", 0, 1234), makeReq("Weaponsmithing", "4.5", 1, 0),
                                 makeReq("Gun Barrel", "2", 0, -5)}),
                       makeProc("Rifle", 100, 100, {makeReq("Zinc", "1", 0, 3), makeReq("Copper", "1", 0, 4),
                                                    makeReq("Iron", "1", 0, 5)})}),
            makeGroup("Armor", {makeProc("Helmet", 150, 10)}), makeGroup("Implants")};
}

} // namespace

class TestAdminDialog : public QObject
{
    Q_OBJECT

private slots:
    void widgetsAndTexts();
    void startsEmptyWithoutDataFile();
    void showsFirstGroupAndProcess();
    void rowsInNameOrderKeepTheirPositions();
    void choosingGroupAndProcess();
    void sortProcButtonFollowsProcessCount();
    void actionChoiceNamesTheButton();
    void returnAtStartExits();
    void mnemonics_data();
    void mnemonics();
    void altHPressesEditHelp();
    void sortGroups_data();
    void sortGroups();
    void sortProcesses_data();
    void sortProcesses();
    void sortEmptyGroupList();
    void sortProcessesWithoutGroupDoesNothing();
};

void TestAdminDialog::widgetsAndTexts()
{
    ScratchDir dir;
    QVERIFY(dir.isValid());
    Editor editor;
    QVERIFY(editor.shown);
    QDialog &dialog = *editor.dialog;
    QCOMPARE(dialog.objectName(), QStringLiteral("VorrakAdminDialogBase"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Vorrak - Admin"));
    QVERIFY(!dialog.windowIcon().isNull());
    QCOMPARE(dialog.size(), QSize(450, 400));
    QCOMPARE(dialog.minimumSize(), QSize(450, 400));
    QCOMPARE(dialog.maximumSize(), QSize(450, 400));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(QApplication::style()->name(), QStringLiteral("fusion"));

    QCOMPARE(editor.get<QLabel>("ProcGroupLabel")->text(), QStringLiteral("&Groups:"));
    QCOMPARE(editor.get<QLabel>("ProcGroupLabel")->buddy(), editor.combo("ProcGroupList"));
    QCOMPARE(editor.get<QLabel>("ProcessLabel")->text(), QStringLiteral("&Product:"));
    QCOMPARE(editor.get<QLabel>("ProcessLabel")->buddy(), editor.combo("ProcessList"));
    QCOMPARE(editor.get<QPushButton>("SortGrpBtn")->text(), QStringLiteral("Sort"));
    QCOMPARE(editor.get<QPushButton>("SortProcBtn")->text(), QStringLiteral("Sort"));
    QCOMPARE(editor.get<QPushButton>("HelpBtn")->text(), QStringLiteral("Edit &help"));
    QCOMPARE(editor.get<QPushButton>("ExitBtn")->text(), QStringLiteral("E&xit"));
    QCOMPARE(editor.get<QGroupBox>("ActionBox")->title(), QStringLiteral("Actions"));
    QVERIFY(editor.get<QPushButton>("ExitBtn")->isDefault());
    QVERIFY(!editor.get<QPushButton>("ActionBtn")->isDefault());
    QCOMPARE(entries(editor.combo("ActionList")), (QStringList{"Add", "Delete", "Edit"}));
    QCOMPARE(entries(editor.combo("TypeList")), (QStringList{"Process Group", "Process", "Item/Tool", "Skill"}));
    for (const char *name : {"ProcGroupList", "ProcessList", "ActionList", "TypeList"})
        QVERIFY2(!editor.combo(name)->isEditable(), name);

    auto *tabs = editor.get<QTabWidget>("ReqControl");
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), QStringLiteral("&Items/Tools"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("S&kills"));
    QCOMPARE(tabs->widget(0)->objectName(), QStringLiteral("tab"));
    QCOMPARE(tabs->widget(1)->objectName(), QStringLiteral("tab_2"));
    QCOMPARE(editor.list("ItemsList")->parentWidget(), tabs->widget(0));
    QCOMPARE(editor.list("SkillsList")->parentWidget(), tabs->widget(1));

    for (const char *name : {"ItemsList", "SkillsList"}) {
        QTreeWidget *list = editor.list(name);
        const int columns = qstrcmp(name, "ItemsList") == 0 ? 4 : 3;
        QCOMPARE(list->columnCount(), columns);
        QCOMPARE(list->headerItem()->text(0), QStringLiteral("Name"));
        QCOMPARE(list->headerItem()->text(1), QStringLiteral("Multiplier"));
        QVERIFY(!list->isColumnHidden(0));
        QVERIFY(!list->isColumnHidden(1));
        for (int c = 2; c < columns; ++c) {
            QVERIFY(list->headerItem()->text(c).isEmpty());
            QVERIFY(list->isColumnHidden(c));
            QCOMPARE(list->header()->sectionSize(c), 0);
        }
        QVERIFY(!list->header()->sectionsClickable());
        for (int c = 0; c < columns; ++c)
            QVERIFY(list->header()->sectionResizeMode(c) != QHeaderView::Interactive);
        QVERIFY(list->allColumnsShowFocus());
        QVERIFY(list->rootIsDecorated());
    }
}

void TestAdminDialog::startsEmptyWithoutDataFile()
{
    ScratchDir dir;
    QVERIFY(dir.isValid());
    LogCapture log;
    Editor editor;
    QCOMPARE(editor.combo("ProcGroupList")->count(), 0);
    QCOMPARE(editor.combo("ProcessList")->count(), 0);
    QCOMPARE(editor.list("ItemsList")->topLevelItemCount(), 0);
    QCOMPARE(editor.list("SkillsList")->topLevelItemCount(), 0);
    QVERIFY(!editor.get<QPushButton>("SortProcBtn")->isEnabled());
    QVERIFY(editor.get<QPushButton>("SortGrpBtn")->isEnabled());
    QCOMPARE(editor.get<QPushButton>("ActionBtn")->text(), QStringLiteral("Add"));
    QVERIFY(log.debugLines().isEmpty());
    QVERIFY(log.warningLines().filter(QStringLiteral("data file"), Qt::CaseInsensitive).isEmpty());
}

void TestAdminDialog::showsFirstGroupAndProcess()
{
    ScratchDir dir;
    QVERIFY(writeDataFile(browsingStore()));
    LogCapture log;
    Editor editor;
    QVERIFY(log.debugLines().contains(QStringLiteral("Groups: 3")));
    QCOMPARE(entries(editor.combo("ProcGroupList")), (QStringList{"Weapons", "Armor", "Implants"}));
    QCOMPARE(editor.combo("ProcGroupList")->currentIndex(), 0);
    QCOMPARE(entries(editor.combo("ProcessList")), (QStringList{"Pistol", "Rifle"}));
    QCOMPARE(editor.combo("ProcessList")->currentIndex(), 0);
    // t 0, 1, 0: two items with positions 0 and 2, one skill at 1; the ID
    // column shows the unsigned form of the 32-bit value.
    QCOMPARE(rows(editor.list("ItemsList")),
             (QStringList{"Gun Barrel|2|4294967291|2", "Screwdriver|0|1234|0"}));
    QCOMPARE(rows(editor.list("SkillsList")), (QStringList{"Weaponsmithing|4.5|1"}));
    QVERIFY(!editor.list("ItemsList")->currentItem());
    QVERIFY(editor.list("ItemsList")->selectedItems().isEmpty());
    QCOMPARE(QApplication::focusWidget(), editor.combo("ProcGroupList"));
}

void TestAdminDialog::rowsInNameOrderKeepTheirPositions()
{
    ScratchDir dir;
    QVERIFY(writeDataFile(browsingStore()));
    Editor editor;
    choose(editor.combo("ProcessList"), 1);
    QCOMPARE(rows(editor.list("ItemsList")), (QStringList{"Copper|1|4|1", "Iron|1|5|2", "Zinc|1|3|0"}));
    QCOMPARE(editor.list("SkillsList")->topLevelItemCount(), 0);
}

void TestAdminDialog::choosingGroupAndProcess()
{
    ScratchDir dir;
    QVERIFY(writeDataFile(browsingStore()));
    Editor editor;
    choose(editor.combo("ProcessList"), 1);
    choose(editor.combo("ProcGroupList"), 1);
    QCOMPARE(entries(editor.combo("ProcessList")), (QStringList{"Helmet"}));
    QCOMPARE(editor.combo("ProcessList")->currentIndex(), 0);
    QCOMPARE(editor.list("ItemsList")->topLevelItemCount(), 0);

    choose(editor.combo("ProcGroupList"), 0);
    QCOMPARE(editor.combo("ProcessList")->currentIndex(), 0);
    QCOMPARE(editor.list("ItemsList")->topLevelItemCount(), 2);
    QCOMPARE(editor.list("SkillsList")->topLevelItemCount(), 1);

    choose(editor.combo("ProcGroupList"), 2);
    QCOMPARE(editor.combo("ProcessList")->count(), 0);
    QCOMPARE(editor.list("ItemsList")->topLevelItemCount(), 0);
    QCOMPARE(editor.list("SkillsList")->topLevelItemCount(), 0);
}

void TestAdminDialog::sortProcButtonFollowsProcessCount()
{
    ScratchDir dir;
    QVERIFY(writeDataFile(browsingStore()));
    Editor editor;
    auto *sortProc = editor.get<QPushButton>("SortProcBtn");
    QVERIFY(sortProc->isEnabled());
    choose(editor.combo("ProcGroupList"), 1);
    QVERIFY(!sortProc->isEnabled());
    choose(editor.combo("ProcGroupList"), 2);
    QVERIFY(!sortProc->isEnabled());
    choose(editor.combo("ProcGroupList"), 0);
    QVERIFY(sortProc->isEnabled());
}

void TestAdminDialog::actionChoiceNamesTheButton()
{
    ScratchDir dir;
    QVERIFY(writeDataFile(browsingStore()));
    Editor editor;
    auto *button = editor.get<QPushButton>("ActionBtn");
    choose(editor.combo("ActionList"), 1);
    QCOMPARE(button->text(), QStringLiteral("Delete"));
    choose(editor.combo("ProcGroupList"), 1);
    QCOMPARE(button->text(), QStringLiteral("Delete"));
    choose(editor.combo("ActionList"), 2);
    QCOMPARE(button->text(), QStringLiteral("Edit"));
    choose(editor.combo("ProcessList"), 0);
    QCOMPARE(button->text(), QStringLiteral("Edit"));
    choose(editor.combo("ActionList"), 0);
    QCOMPARE(button->text(), QStringLiteral("Add"));
}

void TestAdminDialog::returnAtStartExits()
{
    ScratchDir dir;
    QVERIFY(writeDataFile(browsingStore()));
    Editor editor;
    QCOMPARE(QApplication::focusWidget(), editor.combo("ProcGroupList"));
    QTest::keyClick(editor.combo("ProcGroupList"), Qt::Key_Return);
    QCOMPARE(editor.dialog->result(), int(QDialog::Accepted));
    QVERIFY(!editor.dialog->isVisible());
}

void TestAdminDialog::mnemonics_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("focused");
    QTest::addColumn<int>("page");
    QTest::newRow("Alt+G") << int(Qt::Key_G) << QStringLiteral("ProcGroupList") << 1;
    QTest::newRow("Alt+P") << int(Qt::Key_P) << QStringLiteral("ProcessList") << 1;
    QTest::newRow("Alt+I") << int(Qt::Key_I) << QString() << 0;
    QTest::newRow("Alt+K") << int(Qt::Key_K) << QString() << 1;
}

void TestAdminDialog::mnemonics()
{
    QFETCH(int, key);
    QFETCH(QString, focused);
    QFETCH(int, page);
    ScratchDir dir;
    QVERIFY(writeDataFile(browsingStore()));
    Editor editor;
    auto *tabs = editor.get<QTabWidget>("ReqControl");
    // Start from the other page and away from the target widget.
    tabs->setCurrentIndex(1 - page);
    editor.get<QPushButton>("HelpBtn")->setFocus();
    QTest::keyClick(editor.dialog, Qt::Key(key), Qt::AltModifier);
    if (!focused.isEmpty()) {
        QVERIFY(QApplication::focusWidget());
        QCOMPARE(QApplication::focusWidget()->objectName(), focused);
    } else {
        QCOMPARE(tabs->currentIndex(), page);
    }
    QVERIFY(editor.dialog->isVisible());

    // Alt+X leaves like "Exit".
    QTest::keyClick(editor.dialog, Qt::Key_X, Qt::AltModifier);
    QTRY_VERIFY(!editor.dialog->isVisible());
    QCOMPARE(editor.dialog->result(), int(QDialog::Accepted));
}

void TestAdminDialog::altHPressesEditHelp()
{
    ScratchDir dir;
    QVERIFY(writeDataFile(browsingStore()));
    const QByteArray before = dir.read(QStringLiteral("Vorrak.dat"));
    Editor editor;
    QSignalSpy pressed(editor.get<QPushButton>("HelpBtn"), &QPushButton::clicked);
    // Whatever the help administration opens is closed again at once.
    ModalAnswer closer([&editor](QWidget *modal) {
        if (modal != editor.dialog)
            modal->close();
    });
    QTest::keyClick(editor.dialog, Qt::Key_H, Qt::AltModifier);
    QTRY_COMPARE(pressed.count(), 1);
    // The help administration leaves the tradeskill store and its file alone.
    QCOMPARE(editor.groups(), browsingStore());
    QCOMPARE(dir.read(QStringLiteral("Vorrak.dat")), before);
    QVERIFY(editor.dialog->isVisible());
}

namespace {

void addSortRows()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("order");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("Weapons Armor Implants")
        << QStringList{"Weapons", "Armor", "Implants"} << QList<int>{1, 2, 0}
        << QStringList{"Weapons appended.", "Armor comes before Weapons (r = 1)",
                       "Implants comes before Weapons (r = 1)"};
    QTest::newRow("reverse") << QStringList{"C", "B", "A"} << QList<int>{2, 1, 0}
                             << QStringList{"C appended.", "B comes before C (r = 1)", "A comes before B (r = 1)"};
    QTest::newRow("sorted") << QStringList{"A", "B", "C"} << QList<int>{0, 1, 2}
                            << QStringList{"A appended.", "B appended.", "C appended."};
    QTest::newRow("stable duplicates")
        << QStringList{"Gun", "Axe", "Gun", "Axe"} << QList<int>{1, 3, 0, 2}
        << QStringList{"Gun appended.", "Axe comes before Gun (r = 1)", "Gun appended.",
                       "Axe comes before Gun (r = 1)"};
    QTest::newRow("Zeta alpha") << QStringList{"alpha", "Zeta"} << QList<int>{1, 0}
                                << QStringList{"alpha appended.", "Zeta comes before alpha (r = 1)"};
    QTest::newRow("Gun Gun Barrel") << QStringList{"Gun Barrel", "Gun"} << QList<int>{1, 0}
                                    << QStringList{"Gun Barrel appended.", "Gun comes before Gun Barrel (r = 1)"};
    QTest::newRow("one") << QStringList{"Only"} << QList<int>{0} << QStringList{"Only appended."};
}

// Entry i carries a child named "#i" so that moved entries can be told apart.
QString tagOf(int i) { return QStringLiteral("#%1").arg(i); }

// What sorting a list logs: its header, one line for each entry placed, then the save.
QStringList sortLog(const QString &header, const QStringList &lines)
{
    return QStringList{header} + lines + QStringList{"List sorted, saving...", "Sorting Complete!"};
}

// The names in the order a sort must leave them.
QStringList inOrder(const QStringList &names, const QList<int> &order)
{
    QStringList sorted;
    for (int i : order)
        sorted.append(names.at(i));
    return sorted;
}

} // namespace

void TestAdminDialog::sortGroups_data()
{
    addSortRows();
}

void TestAdminDialog::sortGroups()
{
    QFETCH(QStringList, names);
    QFETCH(QList<int>, order);
    QFETCH(QStringList, lines);
    ScratchDir dir;
    QList<ProcGroup> groups;
    for (int i = 0; i < names.size(); ++i)
        groups.append(makeGroup(names.at(i), {makeProc(tagOf(i), 10, 1, {makeReq("R", "1", 0, i)})}));
    QVERIFY(writeDataFile(groups));
    Editor editor;
    choose(editor.combo("ProcGroupList"), int(names.size()) - 1);

    LogCapture log;
    QTest::mouseClick(editor.get<QPushButton>("SortGrpBtn"), Qt::LeftButton);
    QCOMPARE(log.debugLines(), sortLog("Sorting ProcGroupList:", lines));

    const QStringList expectedNames = inOrder(names, order);
    QCOMPARE(entries(editor.combo("ProcGroupList")), expectedNames);
    QCOMPARE(editor.combo("ProcGroupList")->currentIndex(), 0);
    QCOMPARE(entries(editor.combo("ProcessList")), QStringList{tagOf(order.first())});
    QCOMPARE(rows(editor.list("ItemsList")), QStringList{QStringLiteral("R|1|%1|0").arg(order.first())});

    // Each group moved with everything below it.
    for (int shown = 0; shown < order.size(); ++shown) {
        choose(editor.combo("ProcGroupList"), shown);
        QCOMPARE(entries(editor.combo("ProcessList")), QStringList{tagOf(order.at(shown))});
    }
}

void TestAdminDialog::sortProcesses_data()
{
    addSortRows();
}

void TestAdminDialog::sortProcesses()
{
    QFETCH(QStringList, names);
    QFETCH(QList<int>, order);
    QFETCH(QStringList, lines);
    ScratchDir dir;
    QList<Proc> procs;
    for (int i = 0; i < names.size(); ++i)
        procs.append(makeProc(names.at(i), 10 + i, 1, {makeReq(tagOf(i), "1", 0, i)}));
    QVERIFY(writeDataFile({makeGroup("Zulu", {makeProc("Stay", 5, 5)}), makeGroup("Crafting", procs)}));
    Editor editor;
    choose(editor.combo("ProcGroupList"), 1);
    choose(editor.combo("ProcessList"), int(names.size()) - 1);

    LogCapture log;
    auto *sortButton = editor.get<QPushButton>("SortProcBtn");
    if (names.size() < 2) {
        // A single process cannot be sorted from the dialog.
        QVERIFY(!sortButton->isEnabled());
        QVERIFY(QMetaObject::invokeMethod(editor.dialog, "sortProcList"));
    } else {
        QTest::mouseClick(sortButton, Qt::LeftButton);
    }
    QCOMPARE(log.debugLines(), sortLog("Sorting ProcessList (Crafting):", lines));

    const QStringList expectedNames = inOrder(names, order);
    QCOMPARE(entries(editor.combo("ProcGroupList")), (QStringList{"Zulu", "Crafting"}));
    QCOMPARE(editor.combo("ProcGroupList")->currentIndex(), 1);
    QCOMPARE(entries(editor.combo("ProcessList")), expectedNames);
    QCOMPARE(editor.combo("ProcessList")->currentIndex(), 0);
    for (int shown = 0; shown < order.size(); ++shown) {
        choose(editor.combo("ProcessList"), shown);
        QCOMPARE(rows(editor.list("ItemsList")),
                 QStringList{QStringLiteral("%1|1|%2|0").arg(tagOf(order.at(shown))).arg(order.at(shown))});
    }
    choose(editor.combo("ProcGroupList"), 0);
    QCOMPARE(entries(editor.combo("ProcessList")), QStringList{"Stay"});
}

void TestAdminDialog::sortEmptyGroupList()
{
    ScratchDir dir;
    Editor editor;
    LogCapture log;
    QTest::mouseClick(editor.get<QPushButton>("SortGrpBtn"), Qt::LeftButton);
    QCOMPARE(log.debugLines(), (QStringList{"Sorting ProcGroupList:", "List sorted, saving...", "Sorting Complete!"}));
    QCOMPARE(editor.combo("ProcGroupList")->count(), 0);
}

void TestAdminDialog::sortProcessesWithoutGroupDoesNothing()
{
    ScratchDir dir;
    Editor editor;
    LogCapture log;
    QVERIFY(QMetaObject::invokeMethod(editor.dialog, "sortProcList"));
    QVERIFY(log.debugLines().isEmpty());
    QVERIFY(editor.dialog->data().procGrps().isEmpty());
    QCOMPARE(editor.combo("ProcessList")->count(), 0);
}

QTEST_MAIN(TestAdminDialog)
#include "tst_admindialog.moc"
