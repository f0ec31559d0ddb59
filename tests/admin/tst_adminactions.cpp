#include "admin/helpadmin/vorrakhelpdialog.h"
#include "gui/shownname.h"
#include "tests/admin/admintest.h"
#include "tests/support/fixtures.h"
#include "tests/support/logcapture.h"
#include "tests/support/modalanswer.h"
#include "tests/support/openwatch.h"
#include "tests/support/scratchdir.h"
#include "tests/support/widgetinput.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

#include <sys/stat.h>

namespace {

enum Action { Add = 0, Delete = 1, Edit = 2 };
enum Type { GroupType = 0, ProcessType = 1, ItemType = 2, SkillType = 3 };

// Chooses the action and the type and presses the action button.
void act(Editor &editor, int action, int type)
{
    choose(editor.combo("ActionList"), action);
    choose(editor.combo("TypeList"), type);
    QTest::mouseClick(editor.get<QPushButton>("ActionBtn"), Qt::LeftButton);
}

template <typename T>
T *child(QWidget *dialog, const char *name)
{
    return dialog->findChild<T *>(QString::fromLatin1(name));
}

QList<ProcGroup> sampleStore()
{
    return {makeGroup("Weapons",
                      {makeProc("Pistol", 200, 1,
                                {makeReq("Screwdriver", "0", 0, 1234), makeReq("Weaponsmithing", "4.5", 1, 77),
                                 makeReq("Gun Barrel", "2", 0, -5), makeReq("Lore", "banana", 1, 0)}),
                       makeProc("Rifle", 100, 100, {makeReq("Stock", "1", 0, 9)}), makeProc("Zero", 50, 0)}),
            makeGroup("Armor", {makeProc("Helmet", 150, 10)}), makeGroup("Implants")};
}

// A watcher for forms that must not appear: it would cancel them.
ModalAnswer noModal()
{
    return ModalAnswer("QWidget", [](QWidget *modal) { modal->close(); });
}

} // namespace

class TestAdminActions : public ScratchTest
{
    Q_OBJECT

private slots:

    void addGroup_data();
    void addGroup();
    void addProcess_data();
    void addProcess();
    void addRequirement_data();
    void addRequirement();
    void addWithoutTargetShowsNoForm_data();
    void addWithoutTargetShowsNoForm();
    void editGroup_data();
    void editGroup();
    void editProcess_data();
    void editProcess();
    void editItem_data();
    void editItem();
    void editSkillKeepsKindAndId();
    void editOrDeleteWithoutTarget_data();
    void editOrDeleteWithoutTarget();
    void deleteAsks_data();
    void deleteAsks();
    void deletingLastGroupEmptiesEverything();
    void hostileNameShownAsText_data();
    void hostileNameShownAsText();
    void typeCountsWhenPressed();
    void unknownActionIsReported();
    void fullListsRefuseAnother_data();
    void fullListsRefuseAnother();
};

// --- Add --------------------------------------------------------------------

void TestAdminActions::addGroup_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("OK") << QStringLiteral("OkBtn");
    QTest::newRow("Cancel") << QStringLiteral("CancelBtn");
    QTest::newRow("Escape") << QStringLiteral("Escape");
}

void TestAdminActions::addGroup()
{
    QFETCH(QString, answer);
    QVERIFY(writeDataFile(sampleStore()));
    Editor editor;
    choose(editor.combo("ProcGroupList"), 1);

    bool nameOnly = false;
    ModalAnswer form("VorrakProcDialog", [&](QWidget *dialog) {
        nameOnly = !child<QSpinBox>(dialog, "MaxQlSpin") && !child<QCheckBox>(dialog, "SpecialBox");
        typeInto(dialog, "NameEdit", QStringLiteral("Tools"));
        if (answer == QLatin1String("Escape"))
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
        else
            clickButton(dialog, answer.toLatin1().constData());
    });
    act(editor, Add, GroupType);
    QVERIFY(form.answered());
    QVERIFY(nameOnly);

    QList<ProcGroup> expected = sampleStore();
    if (answer == QLatin1String("OkBtn")) {
        expected.append(makeGroup("Tools"));
        QCOMPARE(editor.combo("ProcGroupList")->currentIndex(), 0);
        QCOMPARE(editor.combo("ProcGroupList")->itemText(3), QStringLiteral("Tools"));
    } else {
        QCOMPARE(editor.combo("ProcGroupList")->currentIndex(), 1);
    }
    QCOMPARE(editor.groups(), expected);
}

void TestAdminActions::addProcess_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("maxQL");
    QTest::addColumn<int>("minQL");
    QTest::addColumn<bool>("special");
    QTest::addColumn<int>("storedMax");
    QTest::addColumn<int>("storedMin");
    QTest::newRow("defaults") << "OkBtn" << 255 << 1 << false << 255 << 1;
    QTest::newRow("range") << "OkBtn" << 200 << 10 << false << 200 << 10;
    QTest::newRow("unchecked order") << "OkBtn" << 5 << 90 << false << 5 << 90;
    QTest::newRow("special takes Min QL") << "OkBtn" << 200 << 40 << true << 40 << 40;
    QTest::newRow("special with defaults") << "OkBtn" << 255 << 1 << true << 1 << 1;
    QTest::newRow("Cancel") << "CancelBtn" << 200 << 10 << false << 0 << 0;
}

void TestAdminActions::addProcess()
{
    QFETCH(QString, answer);
    QFETCH(int, maxQL);
    QFETCH(int, minQL);
    QFETCH(bool, special);
    QFETCH(int, storedMax);
    QFETCH(int, storedMin);
    QVERIFY(writeDataFile(sampleStore()));
    Editor editor;
    choose(editor.combo("ProcGroupList"), 1);

    int shownMax = 0;
    int shownMin = 0;
    ModalAnswer form("VorrakProcDialog", [&](QWidget *dialog) {
        auto *maxSpin = child<QSpinBox>(dialog, "MaxQlSpin");
        auto *minSpin = child<QSpinBox>(dialog, "MinQlSpin");
        shownMax = maxSpin->value();
        shownMin = minSpin->value();
        typeInto(dialog, "NameEdit", QStringLiteral("Boots"));
        maxSpin->setValue(maxQL);
        minSpin->setValue(minQL);
        if (special)
            QTest::mouseClick(child<QCheckBox>(dialog, "SpecialBox"), Qt::LeftButton);
        clickButton(dialog, answer.toLatin1().constData());
    });
    act(editor, Add, ProcessType);
    QVERIFY(form.answered());
    QCOMPARE(shownMax, 255);
    QCOMPARE(shownMin, 1);

    QList<ProcGroup> expected = sampleStore();
    if (answer == QLatin1String("OkBtn"))
        expected[1].procs.append(makeProc("Boots", storedMax, storedMin));
    QCOMPARE(editor.groups(), expected);
    QCOMPARE(editor.combo("ProcGroupList")->currentIndex(), 1);
    QCOMPARE(editor.combo("ProcessList")->currentIndex(), 0);
    QCOMPARE(editor.combo("ProcessList")->count(), expected.at(1).procs.size());
}

void TestAdminActions::addRequirement_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("multiplier");
    QTest::addColumn<bool>("fixed");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("storedMultiplier");
    QTest::addColumn<int>("storedId");
    QTest::newRow("item") << int(ItemType) << "2.5" << false << "1234" << "OkBtn" << "2.5" << 1234;
    QTest::newRow("item fixed") << int(ItemType) << "3" << true << "12" << "OkBtn" << "0" << 12;
    QTest::newRow("item id with letters") << int(ItemType) << "lots" << false << "x12y" << "OkBtn" << "lots" << 12;
    QTest::newRow("item negative id") << int(ItemType) << "1" << false << "-7" << "OkBtn" << "1" << -7;
    QTest::newRow("item cancelled") << int(ItemType) << "1" << false << "5" << "CancelBtn" << "" << 0;
    QTest::newRow("skill") << int(SkillType) << "4.5" << false << "" << "OkBtn" << "4.5" << 0;
    QTest::newRow("skill fixed") << int(SkillType) << "2" << true << "" << "OkBtn" << "0" << 0;
    QTest::newRow("skill cancelled") << int(SkillType) << "2" << false << "" << "CancelBtn" << "" << 0;
}

void TestAdminActions::addRequirement()
{
    QFETCH(int, type);
    QFETCH(QString, multiplier);
    QFETCH(bool, fixed);
    QFETCH(QString, id);
    QFETCH(QString, answer);
    QFETCH(QString, storedMultiplier);
    QFETCH(int, storedId);
    QVERIFY(writeDataFile(sampleStore()));
    Editor editor;
    choose(editor.combo("ProcessList"), 1);

    bool idEnabled = true;
    bool idLabelEnabled = true;
    QString idShown;
    ModalAnswer form("VorrakReqDialog", [&](QWidget *dialog) {
        idEnabled = child<QLineEdit>(dialog, "LorvexEdit")->isEnabled();
        idLabelEnabled = child<QLabel>(dialog, "LorvexLabel")->isEnabled();
        idShown = child<QLineEdit>(dialog, "LorvexEdit")->text();
        typeInto(dialog, "NameEdit", QStringLiteral("Glue"));
        typeInto(dialog, "MultiEdit", multiplier);
        if (idEnabled)
            typeInto(dialog, "LorvexEdit", id);
        if (fixed)
            QTest::mouseClick(child<QCheckBox>(dialog, "FixedBox"), Qt::LeftButton);
        clickButton(dialog, answer.toLatin1().constData());
    });
    act(editor, Add, type);
    QVERIFY(form.answered());
    QCOMPARE(idEnabled, type == ItemType);
    QCOMPARE(idLabelEnabled, type == ItemType);
    QCOMPARE(idShown, QStringLiteral("0"));

    QList<ProcGroup> expected = sampleStore();
    if (answer == QLatin1String("OkBtn"))
        expected[0].procs[1].reqs.append(makeReq("Glue", storedMultiplier, type == ItemType ? 0 : 1, storedId));
    QCOMPARE(editor.groups(), expected);
    // Group and process stay where they were; the new row shows in its list.
    QCOMPARE(editor.combo("ProcGroupList")->currentIndex(), 0);
    QCOMPARE(editor.combo("ProcessList")->currentIndex(), 1);
    QTreeWidget *list = editor.list(type == ItemType ? "ItemsList" : "SkillsList");
    QCOMPARE(list->findItems(QStringLiteral("Glue"), Qt::MatchExactly).size(),
             answer == QLatin1String("OkBtn") ? 1 : 0);
}

void TestAdminActions::addWithoutTargetShowsNoForm_data()
{
    QTest::addColumn<bool>("withGroups");
    QTest::addColumn<int>("type");
    QTest::newRow("process without group") << false << int(ProcessType);
    QTest::newRow("item without group") << false << int(ItemType);
    QTest::newRow("skill without group") << false << int(SkillType);
    QTest::newRow("item in group without process") << true << int(ItemType);
    QTest::newRow("skill in group without process") << true << int(SkillType);
}

void TestAdminActions::addWithoutTargetShowsNoForm()
{
    QFETCH(bool, withGroups);
    QFETCH(int, type);
    const QList<ProcGroup> store = withGroups ? sampleStore() : QList<ProcGroup>{};
    QVERIFY(writeDataFile(store));
    Editor editor;
    if (withGroups)
        choose(editor.combo("ProcGroupList"), 2); // "Implants" has no process
    ModalAnswer watcher = noModal();
    act(editor, Add, type);
    QVERIFY(!watcher.answered());
    QCOMPARE(editor.groups(), store);
}

// --- Edit -------------------------------------------------------------------

void TestAdminActions::editGroup_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("OK") << QStringLiteral("OkBtn");
    QTest::newRow("Cancel") << QStringLiteral("CancelBtn");
}

void TestAdminActions::editGroup()
{
    QFETCH(QString, answer);
    QVERIFY(writeDataFile(sampleStore()));
    Editor editor;
    choose(editor.combo("ProcGroupList"), 1);
    QString preset;
    ModalAnswer form("VorrakProcDialog", [&](QWidget *dialog) {
        preset = child<QLineEdit>(dialog, "NameEdit")->text();
        typeInto(dialog, "NameEdit", QStringLiteral("Body Armor"));
        clickButton(dialog, answer.toLatin1().constData());
    });
    act(editor, Edit, GroupType);
    QVERIFY(form.answered());
    QCOMPARE(preset, QStringLiteral("Armor"));
    QList<ProcGroup> expected = sampleStore();
    if (answer == QLatin1String("OkBtn")) {
        expected[1].name = QStringLiteral("Body Armor");
        QCOMPARE(editor.combo("ProcGroupList")->currentIndex(), 0);
    }
    QCOMPARE(editor.groups(), expected);
    QCOMPARE(entries(editor.combo("ProcGroupList")).at(1), expected.at(1).name);
}

void TestAdminActions::editProcess_data()
{
    QTest::addColumn<int>("process");
    QTest::addColumn<bool>("change");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("shownMax");
    QTest::addColumn<int>("shownMin");
    QTest::addColumn<bool>("shownSpecial");
    QTest::addColumn<int>("storedMax");
    QTest::addColumn<int>("storedMin");
    QTest::newRow("unchanged") << 0 << false << "OkBtn" << 200 << 1 << false << 200 << 1;
    QTest::newRow("special unchanged") << 1 << false << "OkBtn" << 100 << 100 << true << 100 << 100;
    QTest::newRow("min 0 becomes 1") << 2 << false << "OkBtn" << 50 << 1 << false << 50 << 1;
    QTest::newRow("changed") << 0 << true << "OkBtn" << 200 << 1 << false << 180 << 20;
    QTest::newRow("special changed") << 1 << true << "OkBtn" << 100 << 100 << true << 20 << 20;
    QTest::newRow("cancelled") << 0 << true << "CancelBtn" << 200 << 1 << false << 200 << 1;
}

void TestAdminActions::editProcess()
{
    QFETCH(int, process);
    QFETCH(bool, change);
    QFETCH(QString, answer);
    QFETCH(int, shownMax);
    QFETCH(int, shownMin);
    QFETCH(bool, shownSpecial);
    QFETCH(int, storedMax);
    QFETCH(int, storedMin);
    QVERIFY(writeDataFile(sampleStore()));
    Editor editor;
    choose(editor.combo("ProcessList"), process);

    QString presetName;
    int presetMax = 0;
    int presetMin = 0;
    bool presetSpecial = false;
    bool presetMaxEnabled = false;
    ModalAnswer form("VorrakProcDialog", [&](QWidget *dialog) {
        auto *maxSpin = child<QSpinBox>(dialog, "MaxQlSpin");
        auto *minSpin = child<QSpinBox>(dialog, "MinQlSpin");
        presetName = child<QLineEdit>(dialog, "NameEdit")->text();
        presetMax = maxSpin->value();
        presetMin = minSpin->value();
        presetSpecial = child<QCheckBox>(dialog, "SpecialBox")->isChecked();
        presetMaxEnabled = maxSpin->isEnabled();
        if (change) {
            typeInto(dialog, "NameEdit", QStringLiteral("Renamed"));
            maxSpin->setValue(180);
            minSpin->setValue(20);
        }
        clickButton(dialog, answer.toLatin1().constData());
    });
    act(editor, Edit, ProcessType);
    QVERIFY(form.answered());
    QCOMPARE(presetName, sampleStore().at(0).procs.at(process).name);
    QCOMPARE(presetMax, shownMax);
    QCOMPARE(presetMin, shownMin);
    QCOMPARE(presetSpecial, shownSpecial);
    QCOMPARE(presetMaxEnabled, !shownSpecial);

    QList<ProcGroup> expected = sampleStore();
    Proc &proc = expected[0].procs[process];
    if (answer == QLatin1String("OkBtn")) {
        if (change)
            proc.name = QStringLiteral("Renamed");
        proc.maxQL = quint8(storedMax);
        proc.minQL = quint8(storedMin);
        QCOMPARE(editor.combo("ProcessList")->currentIndex(), 0);
    }
    // The requirements stay with the process.
    QCOMPARE(editor.groups(), expected);
}

void TestAdminActions::editItem_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<bool>("change");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("shownMultiplier");
    QTest::addColumn<bool>("shownFixed");
    QTest::addColumn<QString>("shownId");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("storedMultiplier");
    QTest::addColumn<int>("storedId");
    QTest::newRow("fixed unchanged") << "Screwdriver" << false << "OkBtn" << "0" << true << "1234" << 0 << "0" << 1234;
    QTest::newRow("negative id survives") << "Gun Barrel" << false << "OkBtn" << "2" << false << "-5" << 2 << "2" << -5;
    QTest::newRow("changed") << "Gun Barrel" << true << "OkBtn" << "2" << false << "-5" << 2 << "3.25" << 4321;
    QTest::newRow("cancelled") << "Gun Barrel" << true << "CancelBtn" << "2" << false << "-5" << 2 << "2" << -5;
}

void TestAdminActions::editItem()
{
    QFETCH(QString, row);
    QFETCH(bool, change);
    QFETCH(QString, answer);
    QFETCH(QString, shownMultiplier);
    QFETCH(bool, shownFixed);
    QFETCH(QString, shownId);
    QFETCH(int, position);
    QFETCH(QString, storedMultiplier);
    QFETCH(int, storedId);
    QVERIFY(writeDataFile(sampleStore()));
    Editor editor;
    clickRow(editor.list("ItemsList"), row);

    QString presetName, presetMultiplier, presetId;
    bool presetFixed = false, multiplierEnabled = true;
    ModalAnswer form("VorrakReqDialog", [&](QWidget *dialog) {
        presetName = child<QLineEdit>(dialog, "NameEdit")->text();
        presetMultiplier = child<QLineEdit>(dialog, "MultiEdit")->text();
        presetId = child<QLineEdit>(dialog, "LorvexEdit")->text();
        presetFixed = child<QCheckBox>(dialog, "FixedBox")->isChecked();
        multiplierEnabled = child<QLineEdit>(dialog, "MultiEdit")->isEnabled();
        if (change) {
            typeInto(dialog, "NameEdit", QStringLiteral("Barrel"));
            typeInto(dialog, "MultiEdit", QStringLiteral("3.25"));
            typeInto(dialog, "LorvexEdit", QStringLiteral("4321"));
        }
        clickButton(dialog, answer.toLatin1().constData());
    });
    act(editor, Edit, ItemType);
    QVERIFY(form.answered());
    QCOMPARE(presetName, row);
    QCOMPARE(presetMultiplier, shownMultiplier);
    QCOMPARE(presetFixed, shownFixed);
    QCOMPARE(multiplierEnabled, !shownFixed);
    QCOMPARE(presetId, shownId);

    QList<ProcGroup> expected = sampleStore();
    Req &req = expected[0].procs[0].reqs[position];
    if (answer == QLatin1String("OkBtn") && change)
        req.name = QStringLiteral("Barrel");
    req.multiplier = storedMultiplier;
    req.id = storedId;
    QCOMPARE(editor.groups(), expected);
    QCOMPARE(editor.combo("ProcessList")->currentIndex(), 0);
}

void TestAdminActions::editSkillKeepsKindAndId()
{
    QVERIFY(writeDataFile(sampleStore()));
    Editor editor;
    for (const QString &row : {QStringLiteral("Lore"), QStringLiteral("Weaponsmithing")}) {
        clickRow(editor.list("SkillsList"), row);
        bool idEnabled = true;
        bool fixed = false;
        ModalAnswer form("VorrakReqDialog", [&](QWidget *dialog) {
            idEnabled = child<QLineEdit>(dialog, "LorvexEdit")->isEnabled()
                || child<QLabel>(dialog, "LorvexLabel")->isEnabled();
            fixed = child<QCheckBox>(dialog, "FixedBox")->isChecked();
            typeInto(dialog, "NameEdit", row + QStringLiteral(" II"));
            clickButton(dialog, "OkBtn");
        });
        act(editor, Edit, SkillType);
        QVERIFY(form.answered());
        QVERIFY(!idEnabled);
        // "banana" is no number, so the form opens fixed and stores "0".
        QCOMPARE(fixed, row == QLatin1String("Lore"));
    }
    QList<ProcGroup> expected = sampleStore();
    expected[0].procs[0].reqs[1].name = QStringLiteral("Weaponsmithing II");
    expected[0].procs[0].reqs[3].name = QStringLiteral("Lore II");
    expected[0].procs[0].reqs[3].multiplier = QStringLiteral("0");
    QCOMPARE(editor.groups(), expected);
    QCOMPARE(editor.groups().at(0).procs.at(0).reqs.at(1).id, 77);
}

void TestAdminActions::editOrDeleteWithoutTarget_data()
{
    QTest::addColumn<bool>("withGroups");
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("otherRow");
    QTest::addColumn<bool>("deselected"); // that row then unselected by Ctrl+click, staying current
    for (int action : {int(Edit), int(Delete)}) {
        const char *name = action == Edit ? "edit" : "delete";
        QTest::addRow("%s group, none", name) << false << action << int(GroupType) << QString() << false;
        QTest::addRow("%s process, no group", name) << false << action << int(ProcessType) << QString() << false;
        QTest::addRow("%s item, no row", name) << true << action << int(ItemType) << QString() << false;
        QTest::addRow("%s skill, no row", name) << true << action << int(SkillType) << QString() << false;
        QTest::addRow("%s item, skill row current", name)
            << true << action << int(ItemType) << QStringLiteral("SkillsList") << false;
        QTest::addRow("%s skill, item row current", name)
            << true << action << int(SkillType) << QStringLiteral("ItemsList") << false;
        QTest::addRow("%s item, row current but not selected", name)
            << true << action << int(ItemType) << QStringLiteral("ItemsList") << true;
    }
}

void TestAdminActions::editOrDeleteWithoutTarget()
{
    QFETCH(bool, withGroups);
    QFETCH(int, action);
    QFETCH(int, type);
    QFETCH(QString, otherRow);
    QFETCH(bool, deselected);
    const QList<ProcGroup> store = withGroups ? sampleStore() : QList<ProcGroup>{};
    QVERIFY(writeDataFile(store));
    Editor editor;
    if (!otherRow.isEmpty()) {
        QTreeWidget *list = editor.list(otherRow.toLatin1().constData());
        clickRow(list, list->topLevelItem(0)->text(0));
        if (deselected) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                              list->visualItemRect(list->topLevelItem(0)).center());
            QCOMPARE(list->currentItem(), list->topLevelItem(0));
            QVERIFY(list->selectedItems().isEmpty());
        }
    }
    ModalAnswer watcher = noModal();
    act(editor, action, type);
    QVERIFY(!watcher.answered());
    QCOMPARE(editor.groups(), store);
}

// --- Delete -----------------------------------------------------------------

void TestAdminActions::deleteAsks_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("question");
    QTest::addColumn<int>("answer");
    const struct
    {
        int type;
        const char *name;
        const char *question;
    } kinds[] = {
        {GroupType, "group",
         "Really delete process group \"Weapons\" and all of it's processes and items/tools/skills?"},
        {ProcessType, "process", "Really delete process \"Rifle\" and all of it's items/tools/skills?"},
        {ItemType, "item", "Really delete item/tool \"Gun Barrel\"?"},
        {SkillType, "skill", "Really delete skill \"Lore\"?"},
    };
    for (const auto &kind : kinds) {
        for (int answer : {int(QMessageBox::Yes), int(QMessageBox::No), int(QMessageBox::Escape)}) {
            const char *answerName = answer == QMessageBox::Yes ? "Yes" : answer == QMessageBox::No ? "No" : "Escape";
            QTest::addRow("%s %s", kind.name, answerName)
                << kind.type << QString::fromLatin1(kind.question) << answer;
        }
    }
}

void TestAdminActions::deleteAsks()
{
    QFETCH(int, type);
    QFETCH(QString, question);
    QFETCH(int, answer);
    QVERIFY(writeDataFile(sampleStore()));
    Editor editor;
    if (type == ProcessType)
        choose(editor.combo("ProcessList"), 1);
    if (type == ItemType)
        clickRow(editor.list("ItemsList"), QStringLiteral("Gun Barrel"));
    if (type == SkillType)
        clickRow(editor.list("SkillsList"), QStringLiteral("Lore"));

    QString asked, caption;
    ModalAnswer box("QMessageBox", [&](QWidget *dialog) {
        asked = messageBoxText(dialog);
        caption = dialog->windowTitle();
        if (answer == QMessageBox::Escape)
            QTest::keyClick(dialog, Qt::Key_Escape);
        else
            answerMessageBox(dialog, answer);
    });
    act(editor, Delete, type);
    QVERIFY(box.answered());
    QCOMPARE(asked, question);
    QCOMPARE(caption, QStringLiteral("VorrakAdmin"));

    QList<ProcGroup> expected = sampleStore();
    if (answer == QMessageBox::Yes) {
        if (type == GroupType)
            expected.removeAt(0);
        else if (type == ProcessType)
            expected[0].procs.removeAt(1);
        else
            expected[0].procs[0].reqs.removeAt(type == ItemType ? 2 : 3);
    }
    QCOMPARE(editor.groups(), expected);
    QCOMPARE(entries(editor.combo("ProcGroupList")).size(), expected.size());
    if (answer == QMessageBox::Yes && type == ProcessType) {
        QCOMPARE(editor.combo("ProcessList")->currentIndex(), 0);
        QCOMPARE(entries(editor.combo("ProcessList")), (QStringList{"Pistol", "Zero"}));
    }
    if (answer == QMessageBox::Yes && type >= ItemType) {
        const char *list = type == ItemType ? "ItemsList" : "SkillsList";
        const QString gone = type == ItemType ? QStringLiteral("Gun Barrel") : QStringLiteral("Lore");
        QVERIFY(editor.list(list)->findItems(gone, Qt::MatchExactly).isEmpty());
        // Positions after the removed one moved up by one.
        if (type == ItemType)
            QCOMPARE(rows(editor.list("SkillsList")), (QStringList{"Lore|banana|2", "Weaponsmithing|4.5|1"}));
        else
            QCOMPARE(rows(editor.list("SkillsList")), (QStringList{"Weaponsmithing|4.5|1"}));
    }
}

void TestAdminActions::hostileNameShownAsText_data()
{
    QTest::addColumn<int>("type"); // -1: a help topic in the help window
    QTest::addColumn<QString>("name");
    const QString longName = QStringLiteral("<b>") + QString(100000, u'x');
    const struct
    {
        int type;
        const char *kind;
    } kinds[] = {{GroupType, "group"}, {ProcessType, "process"}, {ItemType, "item"}, {SkillType, "skill"},
                 {-1, "help topic"}};
    for (const auto &kind : kinds) {
        QTest::addRow("%s image from /dev/zero", kind.kind) << kind.type << QStringLiteral("<img src=\"/dev/zero\">");
        QTest::addRow("%s image from a FIFO", kind.kind) << kind.type << QStringLiteral("<img src=\"fifo.png\">");
        QTest::addRow("%s long markup", kind.kind) << kind.type << longName;
    }
}

// A name from the file is shown as written in the question that names it,
// loads nothing, and a long one is shown cut (the store keeps it whole).
void TestAdminActions::hostileNameShownAsText()
{
    QFETCH(int, type);
    QFETCH(QString, name);
    // Opened for reading, a FIFO without a writer blocks for good.
    QCOMPARE(::mkfifo("fifo.png", 0600), 0);
    QList<ProcGroup> store = {makeGroup("Weapons", {makeProc("Pistol", 200, 1, {makeReq("Gun", "1", 0, 1), makeReq("Lore", "2", 1, 0)})})};
    if (type == GroupType)
        store[0].name = name;
    if (type == ProcessType)
        store[0].procs[0].name = name;
    if (type == ItemType)
        store[0].procs[0].reqs[0].name = name;
    if (type == SkillType)
        store[0].procs[0].reqs[1].name = name;
    QVERIFY(writeDataFile(store));
    QVERIFY(writeHelpFile({HelpTopic{QStringLiteral("1"), name, QStringLiteral("body")}}));

    Editor editor;
    VorrakHelpDialog help;
    if (type == -1) {
        help.show();
        auto *topics = help.findChild<QTreeWidget *>(QStringLiteral("HeaderList"));
        clickRow(topics, topics->topLevelItem(0));
    }
    if (type == ItemType || type == SkillType) {
        QTreeWidget *list = editor.list(type == ItemType ? "ItemsList" : "SkillsList");
        clickRow(list, list->topLevelItem(0));
    }
    OpenWatch watch;
    QVERIFY(watch.add(m_dir->path()));
    QVERIFY(watch.add(QStringLiteral("/dev/zero")));

    QString text;
    Qt::TextFormat format = Qt::AutoText;
    ModalAnswer box("QMessageBox", [&](QWidget *dialog) {
        auto *messageBox = static_cast<QMessageBox *>(dialog);
        dialog->grab(); // lays out and paints the question
        text = messageBox->text();
        format = messageBox->textFormat();
        answerMessageBox(dialog, QMessageBox::No);
    });
    if (type == -1)
        QTest::mouseClick(help.findChild<QPushButton *>(QStringLiteral("DelBtn")), Qt::LeftButton);
    else
        act(editor, Delete, type);
    QVERIFY(box.answered());
    QCOMPARE(format, Qt::PlainText);
    QVERIFY2(text.contains(QLatin1Char('"') + ShownName::of(name) + QLatin1Char('"')), qPrintable(text.left(200)));
    QVERIFY(text.size() < ShownName::MaxLength + 200);
    QCOMPARE(watch.opened(), QStringList());
    QCOMPARE(editor.groups(), store);
    if (type == GroupType)
        QCOMPARE(editor.combo("ProcGroupList")->itemText(0), ShownName::of(name));

    // A name longer than a line edit holds comes back whole from a form
    // left unchanged.
    if (type != -1 && name.size() > QLineEdit().maxLength()) {
        ModalAnswer form("QDialog", [](QWidget *dialog) { clickButton(dialog, "OkBtn"); });
        act(editor, Edit, type);
        QVERIFY(form.answered());
        QCOMPARE(editor.groups(), store);
    }
}

void TestAdminActions::deletingLastGroupEmptiesEverything()
{
    QVERIFY(writeDataFile({makeGroup("Only", {makeProc("One", 10, 1, {makeReq("R", "1", 0, 1)})})}));
    Editor editor;
    ModalAnswer box("QMessageBox", [](QWidget *dialog) { answerMessageBox(dialog, QMessageBox::Yes); });
    act(editor, Delete, GroupType);
    QVERIFY(box.answered());
    QVERIFY(editor.groups().isEmpty());
    QCOMPARE(editor.combo("ProcGroupList")->count(), 0);
    QCOMPARE(editor.combo("ProcessList")->count(), 0);
    QCOMPARE(editor.list("ItemsList")->topLevelItemCount(), 0);
    QCOMPARE(editor.list("SkillsList")->topLevelItemCount(), 0);
    QVERIFY(!editor.get<QPushButton>("SortProcBtn")->isEnabled());
}

void TestAdminActions::typeCountsWhenPressed()
{
    QVERIFY(writeDataFile(sampleStore()));
    Editor editor;
    choose(editor.combo("ActionList"), Delete);
    choose(editor.combo("TypeList"), GroupType);
    choose(editor.combo("TypeList"), ProcessType);
    QString asked;
    ModalAnswer box("QMessageBox", [&](QWidget *dialog) {
        asked = messageBoxText(dialog);
        answerMessageBox(dialog, QMessageBox::No);
    });
    QTest::mouseClick(editor.get<QPushButton>("ActionBtn"), Qt::LeftButton);
    QVERIFY(box.answered());
    QVERIFY2(asked.startsWith(QStringLiteral("Really delete process \"Pistol\"")), qPrintable(asked));
}

void TestAdminActions::unknownActionIsReported()
{
    QVERIFY(writeDataFile(sampleStore()));
    Editor editor;
    QVERIFY(QMetaObject::invokeMethod(editor.dialog, "selectAction", Q_ARG(int, 3)));
    QString text, caption;
    ModalAnswer box("QMessageBox", [&](QWidget *dialog) {
        text = messageBoxText(dialog);
        caption = dialog->windowTitle();
        answerMessageBox(dialog, QMessageBox::Ok);
    });
    QTest::mouseClick(editor.get<QPushButton>("ActionBtn"), Qt::LeftButton);
    QVERIFY(box.answered());
    QCOMPARE(text, QStringLiteral("An unknown error occured.\nUnable to determin type of action to perform."));
    QCOMPARE(caption, QStringLiteral("VorrakAdmin"));
    QCOMPARE(editor.groups(), sampleStore());
}

void TestAdminActions::fullListsRefuseAnother_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("group") << int(GroupType);
    QTest::newRow("process") << int(ProcessType);
    QTest::newRow("item") << int(ItemType);
    QTest::newRow("skill") << int(SkillType);
}

void TestAdminActions::fullListsRefuseAnother()
{
    QFETCH(int, type);
    const int full = 0xFFFF;
    QList<ProcGroup> store;
    if (type == GroupType) {
        for (int i = 0; i < full; ++i)
            store.append(makeGroup(QString::number(i)));
    } else if (type == ProcessType) {
        store.append(makeGroup("Big"));
        for (int i = 0; i < full; ++i)
            store[0].procs.append(makeProc(QString::number(i), 10, 1));
    } else {
        store.append(makeGroup("Big", {makeProc("Huge", 10, 1)}));
        for (int i = 0; i < full; ++i)
            store[0].procs[0].reqs.append(makeReq(QString::number(i), "1", quint8(i % 2), 0));
    }

    std::unique_ptr<Editor> editor;
    {
        LogCapture quiet; // one line per record while writing and loading
        QVERIFY(writeDataFile(store));
        editor = std::make_unique<Editor>();
    }
    QString text;
    ModalAnswer box("QWidget", [&](QWidget *dialog) {
        text = messageBoxText(dialog);
        dialog->close();
    });
    act(*editor, Add, type);
    QVERIFY(box.answered());
    QVERIFY2(text.contains(QStringLiteral("65535")), qPrintable(text));
    QVERIFY(editor->groups() == store);
}

QTEST_MAIN(TestAdminActions)
#include "tst_adminactions.moc"
