#include "calculator/vorrakdialog.h"
#include "tests/support/fixtures.h"
#include "tests/support/logcapture.h"
#include "tests/support/modalanswer.h"
#include "tests/support/scratchdir.h"
#include "tests/support/widgetinput.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>
#include <sys/stat.h>

namespace {

// Alchemy holds a ranged, a special and a third process; Bowyery one
// process; Cooking none.
QList<ProcGroup> threeGroups()
{
    const Proc potion = makeProc(QStringLiteral("Potion"), 250, 1,
                                 {makeReq(QStringLiteral("Flask"), QStringLiteral("0"), 0, 1000),
                                  makeReq(QStringLiteral("Herbs"), QStringLiteral("0.5"), 0, 1000),
                                  makeReq(QStringLiteral("Alchemy"), QStringLiteral("2"), 1, 0)});
    const Proc elixir = makeProc(QStringLiteral("Elixir"), 120, 120,
                                 {makeReq(QStringLiteral("Crystal"), QStringLiteral("1"), 0, 1000),
                                  makeReq(QStringLiteral("Alchemy"), QStringLiteral("3"), 1, 0)});
    const Proc tonic = makeProc(QStringLiteral("Tonic"), 200, 50);
    const Proc longbow = makeProc(QStringLiteral("Longbow"), 150, 10,
                                  {makeReq(QStringLiteral("Yew Stave"), QStringLiteral("1"), 0, 1000)});
    return {ProcGroup{QStringLiteral("Alchemy"), {potion, elixir, tonic}},
            ProcGroup{QStringLiteral("Bowyery"), {longbow}}, ProcGroup{QStringLiteral("Cooking"), {}}};
}

QStringList comboTexts(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

// Each row as "name=amount", in the order the list shows them.
QStringList rows(const QTreeWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(0) + QLatin1Char('=') + list->topLevelItem(i)->text(1);
    return texts;
}

void pressGo(const QWidget &dialog)
{
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("GoButton")), Qt::LeftButton);
}

QTreeWidget *itemsList(const QWidget &dialog)
{
    return dialog.findChild<QTreeWidget *>(QStringLiteral("ItemsList"));
}

QTreeWidget *skillsList(const QWidget &dialog)
{
    return dialog.findChild<QTreeWidget *>(QStringLiteral("SkillsList"));
}

constexpr Qt::WindowFlags mainWindowFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
    | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint;

} // namespace

class TestVorrakDialog : public ScratchTest
{
    Q_OBJECT

private slots:
    void startUpWithoutData();
    void widgets_data();
    void widgets();
    void whatsThis_data();
    void whatsThis();
    void window();
    void goButtonKeepsItsFont();
    void resultLists_data();
    void resultLists();
    void unusableDataFile_data();
    void unusableDataFile();
    void startUpLogOrder();
    void selection_data();
    void selection();
    void reselectingGroupResets();
    void qualityRange();
    void calculation_data();
    void calculation();
    void resultsSortedByName();
    void pressingGoTwice();
    void resultsFollowSelection_data();
    void resultsFollowSelection();
    void goWithoutData();
    void processWithoutRequirements();
    void helpOpensViewer_data();
    void helpOpensViewer();
    void doubleClick_data();
    void doubleClick();
    void copyShortcut();
    void copyFromContextMenu_data();
    void copyFromContextMenu();
    void copyBeforeCalculation();
    void copyKeepsLastCalculation();
};

void TestVorrakDialog::startUpWithoutData()
{
    QList<MessageBoxRecord> boxes;
    ModalAnswer watcher(closeMessageBoxes(&boxes));
    LogCapture log;
    VorrakDialog dialog;

    auto *groups = dialog.findChild<QComboBox *>(QStringLiteral("ProcGrpList"));
    auto *processes = dialog.findChild<QComboBox *>(QStringLiteral("ProcessList"));
    auto *quality = dialog.findChild<QSpinBox *>(QStringLiteral("QualitySpin"));
    QVERIFY(groups && processes && quality);
    QCOMPARE(groups->count(), 0);
    QVERIFY(!groups->isEnabled());
    QCOMPARE(processes->count(), 0);
    QVERIFY(!processes->isEnabled());
    QCOMPARE(quality->minimum(), 255);
    QCOMPARE(quality->maximum(), 255);
    QCOMPARE(quality->value(), 255);
    QCOMPARE(quality->specialValueText(), QStringLiteral("* Special * "));
    QCOMPARE(quality->text(), QStringLiteral("* Special * "));
    QVERIFY(!quality->isEnabled());
    // A missing file is silent: no message box, no warning.
    QCOMPARE(boxes.size(), 0);
    QCOMPARE(log.warningLines(), QStringList());
    QCOMPARE(log.debugLines(), QStringList{QStringLiteral("Selected -1x-1: Unknown (ql 255-255)")});
}

void TestVorrakDialog::widgets_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("text");

    QTest::newRow("group label") << "ProcGrpLabel" << "QLabel" << "Tradeskill Groups";
    QTest::newRow("process label") << "ProcessLabel" << "QLabel" << "Tradeskill Process";
    QTest::newRow("quality label") << "QualityLabel" << "QLabel" << "Product Quality";
    QTest::newRow("go") << "GoButton" << "QPushButton" << "GO!";
    QTest::newRow("help") << "HelpButton" << "QPushButton" << "&Help";
    QTest::newRow("exit") << "ExitButton" << "QPushButton" << "&Exit";
    QTest::newRow("items box") << "ItemsBox" << "QGroupBox" << "Tools/Items";
    QTest::newRow("skills box") << "SkillsBox" << "QGroupBox" << "Skills";
    QTest::newRow("group list") << "ProcGrpList" << "QComboBox" << "";
    QTest::newRow("process list") << "ProcessList" << "QComboBox" << "";
    QTest::newRow("quality spin") << "QualitySpin" << "QSpinBox" << "";
    QTest::newRow("items list") << "ItemsList" << "QTreeWidget" << "";
    QTest::newRow("skills list") << "SkillsList" << "QTreeWidget" << "";
}

void TestVorrakDialog::widgets()
{
    QFETCH(QString, objectName);
    QFETCH(QString, className);
    QFETCH(QString, text);

    VorrakDialog dialog;
    QWidget *widget = dialog.findChild<QWidget *>(objectName);
    QVERIFY2(widget, qPrintable(objectName));
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
    if (auto *label = qobject_cast<QLabel *>(widget))
        QCOMPARE(label->text(), text);
    else if (auto *button = qobject_cast<QPushButton *>(widget))
        QCOMPARE(button->text(), text);
    else if (auto *box = qobject_cast<QGroupBox *>(widget))
        QCOMPARE(box->title(), text);
    // The result lists live inside their boxes.
    if (objectName == QLatin1String("ItemsList") || objectName == QLatin1String("SkillsList")) {
        const QString box = objectName == QLatin1String("ItemsList") ? QStringLiteral("ItemsBox")
                                                                     : QStringLiteral("SkillsBox");
        QCOMPARE(widget->parentWidget()->objectName(), box);
    }
}

void TestVorrakDialog::whatsThis_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("help");

    QTest::newRow("groups") << "ProcGrpList"
                            << "Select the tradeskill group you wish to use.\nBe sure to select the right process "
                               "type aswell, before pressing \"Go\".";
    QTest::newRow("processes") << "ProcessList"
                               << "Select the type of the process you wish to use (The tradeskill group might "
                                  "only contain 1 process type).";
    QTest::newRow("quality") << "QualitySpin"
                             << "Select the quality of the tradeskill product (see help for more information "
                                "about this).";
    QTest::newRow("go") << "GoButton"
                        << "Calculated the needed tools, items and skills required to complete the selected "
                           "tradeskill process.";
}

void TestVorrakDialog::whatsThis()
{
    QFETCH(QString, objectName);
    QFETCH(QString, help);

    VorrakDialog dialog;
    QWidget *widget = dialog.findChild<QWidget *>(objectName);
    QVERIFY(widget);
    QCOMPARE(widget->whatsThis(), help);
}

void TestVorrakDialog::window()
{
    VorrakDialog dialog(nullptr, nullptr, true, mainWindowFlags);
    QCOMPARE(dialog.objectName(), QStringLiteral("VorrakDialogBase"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Vorrak"));
    QCOMPARE(dialog.minimumSize(), QSize(450, 450));
    QCOMPARE(dialog.maximumSize(), QSize(450, 450));
    QCOMPARE(dialog.sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
    QCOMPARE(dialog.sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
    QVERIFY(!dialog.windowIcon().isNull());
    QVERIFY(dialog.windowFlags().testFlag(Qt::WindowContextHelpButtonHint));
    QVERIFY(dialog.isModal());
    QCOMPARE(QApplication::style()->name(), QStringLiteral("fusion"));

    VorrakDialog named(nullptr, "calculator");
    QCOMPARE(named.objectName(), QStringLiteral("calculator"));
}

void TestVorrakDialog::goButtonKeepsItsFont()
{
    VorrakDialog dialog;
    auto *go = dialog.findChild<QPushButton *>(QStringLiteral("GoButton"));
    QVERIFY(go);
    auto check = [go] {
        QCOMPARE(go->font().family(), QStringLiteral("Arial"));
        QCOMPARE(go->font().pointSize(), 16);
        QCOMPARE(go->font().weight(), QFont::Black);
    };
    check();

    const QFont original = QApplication::font();
    QApplication::setFont(QFont(QStringLiteral("Courier"), 7));
    QCoreApplication::processEvents();
    // The change reached the dialog, and "GO!" kept its font.
    auto *label = dialog.findChild<QLabel *>(QStringLiteral("ProcGrpLabel"));
    QCOMPARE(label->font().pointSize(), 7);
    check();
    QApplication::setFont(original);
    QCoreApplication::processEvents();
}

void TestVorrakDialog::resultLists_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("amountHeader");

    QTest::newRow("items") << "ItemsList" << "QL";
    QTest::newRow("skills") << "SkillsList" << "Req";
}

void TestVorrakDialog::resultLists()
{
    QFETCH(QString, objectName);
    QFETCH(QString, amountHeader);

    VorrakDialog dialog;
    auto *list = dialog.findChild<QTreeWidget *>(objectName);
    QVERIFY(list);
    QCOMPARE(list->columnCount(), 2);
    QCOMPARE(list->headerItem()->text(0), QStringLiteral("Name"));
    QCOMPARE(list->headerItem()->text(1), amountHeader);
    QCOMPARE(list->columnWidth(0), 300);
    QCOMPARE(list->columnWidth(1), 60);
    QVERIFY(!list->header()->sectionsClickable());
    QCOMPARE(list->header()->sectionResizeMode(0), QHeaderView::Fixed);
    QCOMPARE(list->header()->sectionResizeMode(1), QHeaderView::Fixed);
    QVERIFY(list->isSortingEnabled());
    QCOMPARE(list->sortColumn(), 0);
    QCOMPARE(list->header()->sortIndicatorOrder(), Qt::AscendingOrder);
    QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
}

void TestVorrakDialog::unusableDataFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QStringList>("groups");

    const QString notRecognized = QStringLiteral("Unable to load data file: Format not recognized");
    const QString badMagic = QStringLiteral("BAD MAGIC NUMBER!");
    QTest::newRow("zero magic") << hexBytes("00 00 00 00 00 00") << notRecognized << badMagic << QStringList();
    QTest::newRow("swapped magic") << hexBytes("A4 10 E5 2A 00 00") << notRecognized << badMagic << QStringList();
    QTest::newRow("shorter than the magic") << hexBytes("2A E5") << notRecognized << badMagic << QStringList();

    // Cut inside the last group: the groups read completely stay.
    QList<ProcGroup> groups = threeGroups();
    groups.removeLast();
    QByteArray cut = dataFileBytes(groups);
    cut.chop(3);
    QTest::newRow("cut short") << cut
                               << QStringLiteral("Unable to load data file: File is damaged.\n1 group was read before "
                                                 "the damage and is shown.")
                               << QStringLiteral("Data file %1/Vorrak.dat is damaged")
                               << QStringList{QStringLiteral("Alchemy")};
    // Empty bytes stand for a FIFO in the file's place, which no reader may wait on.
    QTest::newRow("FIFO") << QByteArray() << QStringLiteral("Unable to load data file: Not a regular file")
                          << QStringLiteral("Unable to load data file %1/Vorrak.dat: Not a regular file")
                          << QStringList();
}

void TestVorrakDialog::unusableDataFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QFETCH(QString, warning);
    QFETCH(QStringList, groups);

    if (bytes.isEmpty())
        QCOMPARE(::mkfifo(QFile::encodeName(m_dir->filePath(QStringLiteral("Vorrak.dat"))).constData(), 0600), 0);
    else
        QVERIFY(m_dir->write(QStringLiteral("Vorrak.dat"), bytes));
    QList<MessageBoxRecord> boxes;
    ModalAnswer watcher(closeMessageBoxes(&boxes));
    LogCapture log;
    VorrakDialog dialog;

    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().caption, QStringLiteral("Vorrak"));
    QCOMPARE(boxes.first().text, message);
    QCOMPARE(boxes.first().icon, int(QMessageBox::Critical));
    QVERIFY2(log.warningLines().contains(warning.arg(QDir::currentPath())), qPrintable(log.warningLines().join('|')));
    auto *groupList = dialog.findChild<QComboBox *>(QStringLiteral("ProcGrpList"));
    QCOMPARE(comboTexts(groupList), groups);
    QVERIFY(!groupList->isEnabled());
    // The dialog still works on what it has.
    QCOMPARE(log.debugLines().last().left(9), QStringLiteral("Selected "));
}

void TestVorrakDialog::startUpLogOrder()
{
    QVERIFY(writeDataFile({ProcGroup{QStringLiteral("Bowyery"), {threeGroups().at(1).procs}}}));
    LogCapture log;
    VorrakDialog dialog;

    const QStringList expected{
        QStringLiteral("D: ProcGroups: 1"),
        QStringLiteral("D: * Group #0: Bowyery"),
        QStringLiteral("D:   + Procs: 1"),
        QStringLiteral("D:     * Proc #0: Longbow"),
        QStringLiteral("D:       (Max QL: 150, Min QL: 10)"),
        QStringLiteral("D:       + Reqs: 1"),
        QStringLiteral("D:         * Req #0: Yew Stave - x1 (t=0) (id=1000)"),
        QStringLiteral("D: Finished loading data file"),
        QStringLiteral("D: Selected 0x0: Longbow (ql 10-150)"),
    };
    QCOMPARE(log.allLines(), expected);
}

void TestVorrakDialog::selection_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("process"); // -1: leave the process the group selected
    QTest::addColumn<QStringList>("processes");
    QTest::addColumn<bool>("processesEnabled");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("qualityEnabled");
    QTest::addColumn<QString>("logLine");

    const QStringList alchemy{QStringLiteral("Potion"), QStringLiteral("Elixir"), QStringLiteral("Tonic")};
    QTest::newRow("group with three processes") << 0 << -1 << alchemy << true << 1 << 250 << "1" << true
                                                << "Selected 0x0: Potion (ql 1-250)";
    QTest::newRow("special process") << 0 << 1 << alchemy << true << 120 << 120 << "* Special * " << false
                                     << "Selected 0x1: Elixir (ql 120-120)";
    QTest::newRow("third process") << 0 << 2 << alchemy << true << 50 << 200 << "50" << true
                                   << "Selected 0x2: Tonic (ql 50-200)";
    QTest::newRow("group with one process") << 1 << -1 << QStringList{QStringLiteral("Longbow")} << false << 10
                                            << 150 << "10" << true << "Selected 1x0: Longbow (ql 10-150)";
    QTest::newRow("group without processes") << 2 << -1 << QStringList() << false << 255 << 255 << "* Special * "
                                             << false << "Selected 2x-1: Unknown (ql 255-255)";
}

void TestVorrakDialog::selection()
{
    QFETCH(int, group);
    QFETCH(int, process);
    QFETCH(QStringList, processes);
    QFETCH(bool, processesEnabled);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(QString, shown);
    QFETCH(bool, qualityEnabled);
    QFETCH(QString, logLine);

    QVERIFY(writeDataFile(threeGroups()));
    VorrakDialog dialog;
    QVERIFY(showAndActivate(dialog));
    auto *groups = dialog.findChild<QComboBox *>(QStringLiteral("ProcGrpList"));
    auto *processList = dialog.findChild<QComboBox *>(QStringLiteral("ProcessList"));
    auto *quality = dialog.findChild<QSpinBox *>(QStringLiteral("QualitySpin"));
    QCOMPARE(comboTexts(groups), (QStringList{QStringLiteral("Alchemy"), QStringLiteral("Bowyery"),
                                              QStringLiteral("Cooking")}));
    QVERIFY(groups->isEnabled());

    LogCapture log;
    chooseInCombo(groups, group);
    if (process >= 0)
        chooseInCombo(processList, process);

    QCOMPARE(groups->currentIndex(), group);
    QCOMPARE(comboTexts(processList), processes);
    QCOMPARE(processList->isEnabled(), processesEnabled);
    QCOMPARE(quality->minimum(), minimum);
    QCOMPARE(quality->maximum(), maximum);
    QCOMPARE(quality->value(), minimum);
    QCOMPARE(quality->text(), shown);
    QCOMPARE(quality->isEnabled(), qualityEnabled);
    QCOMPARE(log.debugLines().last(), logLine);
    QCOMPARE(log.debugLines().size(), process >= 0 ? 2 : 1);
}

void TestVorrakDialog::reselectingGroupResets()
{
    QVERIFY(writeDataFile(threeGroups()));
    VorrakDialog dialog;
    QVERIFY(showAndActivate(dialog));
    auto *groups = dialog.findChild<QComboBox *>(QStringLiteral("ProcGrpList"));
    auto *processes = dialog.findChild<QComboBox *>(QStringLiteral("ProcessList"));
    auto *quality = dialog.findChild<QSpinBox *>(QStringLiteral("QualitySpin"));

    chooseInCombo(processes, 2);
    typeInSpin(quality, QStringLiteral("120"));
    QCOMPARE(quality->value(), 120);

    LogCapture log;
    chooseInCombo(groups, 0);
    QCOMPARE(processes->currentIndex(), 0);
    QCOMPARE(quality->value(), 1);
    QCOMPARE(log.debugLines(), QStringList{QStringLiteral("Selected 0x0: Potion (ql 1-250)")});
}

void TestVorrakDialog::qualityRange()
{
    QVERIFY(writeDataFile(threeGroups()));
    VorrakDialog dialog;
    QVERIFY(showAndActivate(dialog));
    auto *processes = dialog.findChild<QComboBox *>(QStringLiteral("ProcessList"));
    auto *quality = dialog.findChild<QSpinBox *>(QStringLiteral("QualitySpin"));

    typeInSpin(quality, QStringLiteral("250"));
    QCOMPARE(quality->value(), 250);
    // Above the process's Max QL the last digit is refused.
    typeInSpin(quality, QStringLiteral("251"));
    QCOMPARE(quality->value(), 25);
    QTest::keyClick(quality, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(quality, Qt::Key_PageUp);
    QVERIFY(quality->value() <= 250);

    chooseInCombo(processes, 2);
    QCOMPARE(quality->value(), 50);
    QCOMPARE(quality->minimum(), 50);
    chooseInCombo(processes, 0);
    QCOMPARE(quality->value(), 1);
}

void TestVorrakDialog::calculation_data()
{
    QTest::addColumn<QString>("multiplier");
    QTest::addColumn<int>("t");
    QTest::addColumn<int>("ql");
    QTest::addColumn<bool>("skill");
    QTest::addColumn<QString>("amount");

    QTest::newRow("zero is fixed") << "0" << 0 << 50 << false << "Fixed";
    QTest::newRow("empty text is fixed") << "" << 0 << 50 << false << "Fixed";
    QTest::newRow("word is fixed") << "abc" << 1 << 50 << true << "Fixed";
    QTest::newRow("1.5 at 100") << "1.5" << 0 << 100 << false << "150";
    QTest::newRow("0.333 at 100 rounds up") << "0.333" << 0 << 100 << false << "34";
    QTest::newRow("0.001 at 1") << "0.001" << 0 << 1 << false << "1";
    QTest::newRow("0.07 at 100 is exact") << "0.07" << 0 << 100 << false << "7";
    QTest::newRow("0.2 at 15") << "0.2" << 0 << 15 << false << "3";
    QTest::newRow("negative keeps fraction") << "-0.5" << 0 << 5 << false << "-2.5";
    QTest::newRow("leading number of 2x") << "2x" << 0 << 10 << false << "20";
    QTest::newRow("leading blank") << " 2" << 1 << 10 << true << "20";
    QTest::newRow("exponent") << "1e2" << 0 << 3 << false << "300";
    QTest::newRow("skill") << "1.5" << 1 << 100 << true << "150";
    QTest::newRow("other kind counts as skill") << "2" << 7 << 30 << true << "60";
    QTest::newRow("million without exponent") << "15000" << 1 << 100 << true << "1500000";
    QTest::newRow("beyond 32 bits") << "30000000.5" << 1 << 100 << true << "3000000050";
    QTest::newRow("beyond a double, every digit") << "1e400" << 0 << 1 << false << "1" + QString(400, u'0');
    QTest::newRow("not a number") << "nan" << 1 << 1 << true << "nan";
}

void TestVorrakDialog::calculation()
{
    QFETCH(QString, multiplier);
    QFETCH(int, t);
    QFETCH(int, ql);
    QFETCH(bool, skill);
    QFETCH(QString, amount);

    QVERIFY(writeDataFile({ProcGroup{QStringLiteral("Group"),
                                     {makeProc(QStringLiteral("Product"), 255, 1,
                                               {makeReq(QStringLiteral("Thing"), multiplier, t, t == 0 ? 1000 : 0)})}}}));
    VorrakDialog dialog;
    QVERIFY(showAndActivate(dialog));
    auto *quality = dialog.findChild<QSpinBox *>(QStringLiteral("QualitySpin"));
    auto *items = itemsList(dialog);
    auto *skills = skillsList(dialog);
    typeInSpin(quality, QString::number(ql));
    QCOMPARE(quality->value(), ql);

    LogCapture log;
    pressGo(dialog);

    const QStringList expected{QStringLiteral("Thing=") + amount};
    QCOMPARE(rows(skill ? skills : items), expected);
    QCOMPARE(rows(skill ? items : skills), QStringList());
    QCOMPARE(log.debugLines(),
             QStringList{QStringLiteral("Calculating requirements for making a QL %1 Product").arg(ql)});
}

void TestVorrakDialog::resultsSortedByName()
{
    const QList<Req> reqs{makeReq(QStringLiteral("zeta"), QStringLiteral("1"), 0, 1000),
                          makeReq(QStringLiteral("delta"), QStringLiteral("1"), 1, 0),
                          makeReq(QStringLiteral("alpha"), QStringLiteral("0"), 0, 1000),
                          makeReq(QStringLiteral("Beta"), QStringLiteral("2"), 1, 0),
                          makeReq(QStringLiteral("Gamma"), QStringLiteral("0.5"), 0, 1000)};
    QVERIFY(writeDataFile({ProcGroup{QStringLiteral("G"), {makeProc(QStringLiteral("P"), 100, 10, reqs)}}}));
    VorrakDialog dialog;
    QVERIFY(showAndActivate(dialog));
    pressGo(dialog);

    // Upper-case initials come first, as the texts compare code unit by code unit.
    QCOMPARE(rows(itemsList(dialog)),
             (QStringList{QStringLiteral("Gamma=5"), QStringLiteral("alpha=Fixed"), QStringLiteral("zeta=10")}));
    QCOMPARE(rows(skillsList(dialog)),
             (QStringList{QStringLiteral("Beta=20"), QStringLiteral("delta=10")}));
}

void TestVorrakDialog::pressingGoTwice()
{
    QVERIFY(writeDataFile(threeGroups()));
    VorrakDialog dialog;
    QVERIFY(showAndActivate(dialog));
    pressGo(dialog);
    pressGo(dialog);
    QCOMPARE(rows(itemsList(dialog)), (QStringList{QStringLiteral("Flask=Fixed"), QStringLiteral("Herbs=1")}));
    QCOMPARE(rows(skillsList(dialog)), QStringList{QStringLiteral("Alchemy=2")});
}

void TestVorrakDialog::resultsFollowSelection_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("calculation");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("group") << "ProcGrpList" << "QL 10 Longbow" << QStringList{QStringLiteral("Yew Stave=10")};
    // The special process is calculated at its one QL.
    QTest::newRow("process") << "ProcessList" << "QL 120 Elixir" << QStringList{QStringLiteral("Crystal=120")};
    QTest::newRow("QL") << "QualitySpin" << "QL 2 Potion"
                        << QStringList{QStringLiteral("Flask=Fixed"), QStringLiteral("Herbs=1")};
}

// What the lists show always belongs to what is chosen: another group,
// process or QL takes the last results away, and Ctrl+C then copies nothing.
void TestVorrakDialog::resultsFollowSelection()
{
    QFETCH(QString, change);
    QFETCH(QString, calculation);
    QFETCH(QStringList, items);
    QVERIFY(writeDataFile(threeGroups()));
    VorrakDialog dialog;
    QVERIFY(showAndActivate(dialog));
    auto *itemRows = itemsList(dialog);
    auto *skillRows = skillsList(dialog);
    pressGo(dialog);
    QVERIFY(!rows(itemRows).isEmpty());
    QVERIFY(!rows(skillRows).isEmpty());

    if (change == QLatin1String("QualitySpin")) {
        auto *quality = dialog.findChild<QSpinBox *>(change);
        quality->setFocus();
        QTest::keyClick(quality, Qt::Key_Up);
    } else {
        chooseInCombo(dialog.findChild<QComboBox *>(change), 1);
    }
    QCOMPARE(rows(itemRows), QStringList());
    QCOMPARE(rows(skillRows), QStringList());
    QApplication::clipboard()->setText(QStringLiteral("before"));
    itemRows->setFocus();
    QTest::keyClick(itemRows, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));

    LogCapture log;
    pressGo(dialog);
    QCOMPARE(rows(itemRows), items);
    QCOMPARE(log.debugLines(), QStringList{QStringLiteral("Calculating requirements for making a ") + calculation});
}

void TestVorrakDialog::goWithoutData()
{
    VorrakDialog dialog;
    QVERIFY(showAndActivate(dialog));
    LogCapture log;
    pressGo(dialog);
    QCOMPARE(itemsList(dialog)->topLevelItemCount(), 0);
    QCOMPARE(skillsList(dialog)->topLevelItemCount(), 0);
    QCOMPARE(log.debugLines(),
             QStringList{QStringLiteral("Calculating requirements for making a QL 255 Unknown")});
}

void TestVorrakDialog::processWithoutRequirements()
{
    QVERIFY(writeDataFile(threeGroups()));
    VorrakDialog dialog;
    QVERIFY(showAndActivate(dialog));
    auto *items = itemsList(dialog);
    auto *skills = skillsList(dialog);
    pressGo(dialog);
    QVERIFY(items->topLevelItemCount() > 0);

    chooseInCombo(dialog.findChild<QComboBox *>(QStringLiteral("ProcessList")), 2);
    pressGo(dialog);
    QCOMPARE(items->topLevelItemCount(), 0);
    QCOMPARE(skills->topLevelItemCount(), 0);
}

void TestVorrakDialog::helpOpensViewer_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::newRow("Help button") << false;
    QTest::newRow("F1") << true;
}

void TestVorrakDialog::helpOpensViewer()
{
    QFETCH(bool, byKey);

    QVERIFY(writeHelpFile({HelpTopic{QStringLiteral("1"), QStringLiteral("Start"), QStringLiteral("Hello")}}));
    VorrakDialog dialog;
    QVERIFY(showAndActivate(dialog));

    QStringList seen;
    ModalAnswer watcher([&seen](QWidget *modal) {
        seen << QString::fromLatin1(modal->metaObject()->className()) + QLatin1Char(' ') + modal->objectName()
                    + QLatin1Char(' ') + modal->windowTitle();
        QVERIFY(!modal->parentWidget());
        QVERIFY(modal->windowFlags().testFlag(Qt::WindowTitleHint));
        QVERIFY(!modal->windowFlags().testFlag(Qt::WindowContextHelpButtonHint));
        QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("CloseButton")), Qt::LeftButton);
    });
    LogCapture log;
    if (byKey)
        QTest::keyClick(&dialog, Qt::Key_F1);
    else
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("HelpButton")), Qt::LeftButton);

    QCOMPARE(seen, QStringList{QStringLiteral("VorrakHelpDialog VorrakHelpDialogBase vorrakhelpdialog")});
    // The viewer read the help file while it was built.
    QVERIFY(log.debugLines().contains(QStringLiteral("Topics: 1")));
    QVERIFY(dialog.isVisible());
}

void TestVorrakDialog::doubleClick_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("warnings");

    QTest::newRow("tools and items")
        << "ItemsList"
        << QStringList{QStringLiteral("VorrakDialogBase::itemClicked(QListViewItem*): Not implemented yet!")};
    QTest::newRow("skills") << "SkillsList" << QStringList();
}

void TestVorrakDialog::doubleClick()
{
    QFETCH(QString, list);
    QFETCH(QStringList, warnings);

    QVERIFY(writeDataFile(threeGroups()));
    VorrakDialog dialog;
    QVERIFY(showAndActivate(dialog));
    pressGo(dialog);
    auto *view = dialog.findChild<QTreeWidget *>(list);
    QVERIFY(view->topLevelItemCount() > 0);

    LogCapture log;
    const QPoint row = view->visualItemRect(view->topLevelItem(0)).center();
    // A double click: press and release, then the second press that the
    // system reports as a double click, and its release.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, row);
    QCOMPARE(log.warningLines(), warnings);
    QCOMPARE(log.debugLines(), QStringList());
}

void TestVorrakDialog::copyShortcut()
{
    QVERIFY(writeDataFile(threeGroups()));
    VorrakDialog dialog;
    QVERIFY(showAndActivate(dialog));
    typeInSpin(dialog.findChild<QSpinBox *>(QStringLiteral("QualitySpin")), QStringLiteral("33"));
    pressGo(dialog);

    QApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(&dialog, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(),
             QStringLiteral("Potion\t33\nTools/Items\nFlask\tFixed\nHerbs\t17\nSkills\nAlchemy\t66\n"));
}

void TestVorrakDialog::copyFromContextMenu_data()
{
    QTest::addColumn<QString>("list");
    QTest::newRow("tools and items") << "ItemsList";
    QTest::newRow("skills") << "SkillsList";
}

void TestVorrakDialog::copyFromContextMenu()
{
    QFETCH(QString, list);

    QVERIFY(writeDataFile(threeGroups()));
    VorrakDialog dialog;
    QVERIFY(showAndActivate(dialog));
    chooseInCombo(dialog.findChild<QComboBox *>(QStringLiteral("ProcessList")), 1);
    pressGo(dialog);
    QApplication::clipboard()->setText(QStringLiteral("before"));

    QStringList menuEntries;
    QTimer::singleShot(100, this, [&menuEntries] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction *action : menu->actions())
            menuEntries << action->text();
        menu->setActiveAction(menu->actions().constFirst());
        QTest::keyClick(menu, Qt::Key_Return);
    });
    // What a right click on the list delivers.
    auto *view = dialog.findChild<QTreeWidget *>(list);
    const QPoint pos(20, 20);
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, view->viewport()->mapToGlobal(pos));
    QApplication::sendEvent(view->viewport(), &event);

    QTRY_COMPARE(menuEntries, QStringList{QStringLiteral("Copy")});
    QTRY_COMPARE(QApplication::clipboard()->text(), QStringLiteral("Elixir\t120\nTools/Items\nCrystal\t120\nSkills\nAlchemy\t360\n"));
}

void TestVorrakDialog::copyBeforeCalculation()
{
    QVERIFY(writeDataFile(threeGroups()));
    VorrakDialog dialog;
    QVERIFY(showAndActivate(dialog));
    QApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(&dialog, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));
    const QList<QAction *> actions = itemsList(dialog)->actions();
    QCOMPARE(actions.size(), 1);
    QVERIFY(!actions.first()->isEnabled());
}

void TestVorrakDialog::copyKeepsLastCalculation()
{
    QVERIFY(writeDataFile(threeGroups()));
    VorrakDialog dialog;
    QVERIFY(showAndActivate(dialog));
    pressGo(dialog);
    // Moving about the window keeps the results and their product.
    QTest::keyClick(&dialog, Qt::Key_Tab);
    auto *items = itemsList(dialog);
    items->setFocus();
    QTest::keyClick(items, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Potion\t1\nTools/Items\nFlask\tFixed\nHerbs\t1\nSkills\nAlchemy\t2\n"));
}

QTEST_MAIN(TestVorrakDialog)
#include "tst_vorrakdialog.moc"
