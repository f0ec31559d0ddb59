// "Edit help" of the editor's main dialog opens the help administration over
// it and writes the help file when that window closes; the data file is left
// to the end of the editor.
#include "admin/vorrakadmindialog.h"
#include "help/helpdata.h"
#include "tests/helpadmin/helpadmintestsupport.h"
#include "tests/support/fixtures.h"
#include "tests/support/modalanswer.h"
#include "tests/support/scratchdir.h"

#include <QPushButton>
#include <QTest>

class TestEditHelp : public QObject
{
    Q_OBJECT

private slots:
    void editHelp_data();
    void editHelp();
};

void TestEditHelp::editHelp_data()
{
    QTest::addColumn<bool>("byShortcut");
    QTest::newRow("button") << false;
    QTest::newRow("Alt+H") << true;
}

void TestEditHelp::editHelp()
{
    QFETCH(bool, byShortcut);
    ScratchDir scratch;
    QVERIFY(scratch.write(QStringLiteral("Vorrak.hlp"), helpFileBytes(topicsWithIds({"1"}))));
    VorrakAdminDialog mainDialog;
    mainDialog.show();
    mainDialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&mainDialog));

    QWidget *parent = nullptr;
    ModalAnswer window("VorrakHelpDialog", [&](QWidget *dialog) {
        parent = dialog->parentWidget();
        addTopic(dialog, QStringLiteral("1.5"));
        dialog->close();
    });
    if (byShortcut)
        QTest::keyClick(&mainDialog, Qt::Key_H, Qt::AltModifier);
    else
        QTest::mouseClick(mainDialog.findChild<QPushButton *>(QStringLiteral("HelpBtn")), Qt::LeftButton);
    // The shortcut presses the button with a short animation first.
    QTRY_VERIFY(window.answered());
    QCOMPARE(parent, &mainDialog);

    HelpData onDisk;
    QCOMPARE(onDisk.load().status(), HelpData::LoadStatus::Loaded);
    QCOMPARE(onDisk.count(), 2);
    QCOMPARE(onDisk.topics().at(1).id, QStringLiteral("1.5"));
    QVERIFY(!QFile::exists(scratch.filePath(QStringLiteral("Vorrak.dat"))));
    QVERIFY(mainDialog.isVisible());
}

QTEST_MAIN(TestEditHelp)
#include "tst_edithelp.moc"
