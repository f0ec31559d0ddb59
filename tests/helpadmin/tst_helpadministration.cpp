// Opening the help administration as the editor's "Edit help" button does:
// the help file is written however the window is closed, a body comes back
// from the body editor as it went in, an unreadable file is kept as a backup,
// and a failed write is shown.
#include "admin/helpadmin/helpadministration.h"
#include "help/helpdata.h"
#include "tests/helpadmin/helpadmintestsupport.h"
#include "tests/support/fixtures.h"
#include "tests/support/logcapture.h"
#include "tests/support/modalanswer.h"
#include "tests/support/scratchdir.h"
#include "tests/support/unprivileged.h"
#include "tests/support/widgetinput.h"

#include <QDir>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

// Answers every message box with OK and keeps its text, while it lives.
struct MessageBoxes
{
    QStringList texts;
    ModalAnswer answer{[this](QWidget *box) {
                           texts.append(static_cast<QMessageBox *>(box)->text());
                           static_cast<QMessageBox *>(box)->accept();
                       },
                       "QMessageBox"};
};

} // namespace

class TestHelpAdministration : public QObject
{
    Q_OBJECT

private slots:
    void writtenOnEveryClose_data();
    void writtenOnEveryClose();
    void bodyKeptByteForByte_data();
    void bodyKeptByteForByte();
    void windowFlagsAndParent();
    void unreadableFileIsKept_data();
    void unreadableFileIsKept();
    void backupThatCannotBeMade();
    void failedWriteIsShown();
};

void TestHelpAdministration::writtenOnEveryClose_data()
{
    QTest::addColumn<QString>("closeWith");
    QTest::addColumn<bool>("fileBefore");

    QTest::newRow("Close button") << "CloseBtn" << true;
    QTest::newRow("Escape") << "Escape" << true;
    QTest::newRow("close box") << "closeBox" << true;
    QTest::newRow("Return presses Close") << "Return" << true;
    QTest::newRow("no file before") << "CloseBtn" << false;
}

void TestHelpAdministration::writtenOnEveryClose()
{
    QFETCH(QString, closeWith);
    QFETCH(bool, fileBefore);
    ScratchDir scratch;
    QList<HelpTopic> before = topicsWithIds({"1", "2"});
    if (fileBefore)
        QVERIFY(scratch.write(QStringLiteral("Vorrak.hlp"), helpFileBytes(before)));
    else
        before.clear();

    ModalAnswer window("VorrakHelpDialog", [&](QWidget *dialog) {
        addTopic(dialog, QStringLiteral("3"));
        auto *list = dialog->findChild<QTreeWidget *>(QStringLiteral("HeaderList"));
        if (closeWith == QLatin1String("Escape"))
            QTest::keyClick(list, Qt::Key_Escape);
        else if (closeWith == QLatin1String("Return"))
            QTest::keyClick(list, Qt::Key_Return);
        else if (closeWith == QLatin1String("closeBox"))
            dialog->close();
        else
            QTest::mouseClick(dialog->findChild<QPushButton *>(closeWith), Qt::LeftButton);
    });
    LogCapture log;
    HelpAdministration::run(nullptr);
    QVERIFY(window.answered());
    QVERIFY(!window.timedOut());

    QList<HelpTopic> expected = before;
    // The form hands back an empty header; the body starts as a null text.
    expected.append(HelpTopic{QStringLiteral("3"), QStringLiteral(""), QString()});
    QCOMPARE(scratch.read(QStringLiteral("Vorrak.hlp")), helpFileBytes(expected));
    const QStringList lines = log.debugLines();
    QCOMPARE(lines.mid(lines.size() - 2), QStringList({"Saving help file...", "Finished saving help file"}));
    QVERIFY(!QFile::exists(scratch.filePath(QStringLiteral("Vorrak.hlp.bak"))));
}

void TestHelpAdministration::bodyKeptByteForByte_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("typed"); // at the end of the text, at its start after "^", at its end after "$"; "\n" is Return
    QTest::addColumn<QString>("saved");

    QTest::newRow("null") << QString() << "" << QString();
    QTest::newRow("empty") << QStringLiteral("") << "" << QStringLiteral("");
    QTest::newRow("no-break space") << QStringLiteral("a\u00A0b") << "" << QStringLiteral("a\u00A0b");
    QTest::newRow("lone CR") << QStringLiteral("a\rb") << "" << QStringLiteral("a\rb");
    QTest::newRow("CR LF") << QStringLiteral("a\r\nb") << "" << QStringLiteral("a\r\nb");
    QTest::newRow("U+2028") << QStringLiteral("a\u2028b") << "" << QStringLiteral("a\u2028b");
    QTest::newRow("U+2029") << QStringLiteral("a\u2029b\u2029") << "" << QStringLiteral("a\u2029b\u2029");
    QTest::newRow("all breaks") << QStringLiteral("a\r\nb\nc\rd\u2029e\u2028") << ""
                                << QStringLiteral("a\r\nb\nc\rd\u2029e\u2028");
    // An edit changes what was edited; a new line ends with the body's own break.
    QTest::newRow("null, typed") << QString() << "x" << QStringLiteral("x");
    QTest::newRow("CR LF, new line") << QStringLiteral("a\r\nb") << "\nc" << QStringLiteral("a\r\nb<br>\r\nc");
    QTest::newRow("lone CR, new line") << QStringLiteral("a\u00A0\rb") << "\nc"
                                       << QStringLiteral("a\u00A0\rb<br>\rc");
    QTest::newRow("mixed, typed") << QStringLiteral("a\nb\r\nc\u2028") << "d"
                                  << QStringLiteral("a\nb\r\nc\u2028d");
    QTest::newRow("mixed, typed first") << QStringLiteral("a\r\nb\rc\r\n") << "^x\ny"
                                        << QStringLiteral("x<br>\r\nya\r\nb\rc\r\n");
    QTest::newRow("mixed, typed at both ends") << QStringLiteral("a\nb\r\nc\rd") << "^Q$Z"
                                               << QStringLiteral("Qa\nb\r\nc\rdZ");
}

// Open Editor and Save, as a maintainer does, then the file as written.
void TestHelpAdministration::bodyKeptByteForByte()
{
    QFETCH(QString, body);
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    ScratchDir scratch;
    QList<HelpTopic> topics{HelpTopic{QStringLiteral("1"), QStringLiteral("One"), body}};
    QVERIFY(scratch.write(QStringLiteral("Vorrak.hlp"), helpFileBytes(topics)));

    bool edited = false;
    ModalAnswer window("VorrakHelpDialog", [&](QWidget *dialog) {
        auto *list = dialog->findChild<QTreeWidget *>(QStringLiteral("HeaderList"));
        clickRow(list, rowWithId(list, QStringLiteral("1")));
        ModalAnswer editor("VorrakEditor", [&](QWidget *editorWindow) {
            auto *edit = editorWindow->findChild<QPlainTextEdit *>(QStringLiteral("BodyEdit"));
            edit->moveCursor(QTextCursor::End);
            for (const QChar c : typed) {
                if (c == QLatin1Char('^') || c == QLatin1Char('$'))
                    edit->moveCursor(c == QLatin1Char('^') ? QTextCursor::Start : QTextCursor::End);
                else if (c == QLatin1Char('\n'))
                    QTest::keyClick(edit, Qt::Key_Return);
                else
                    QTest::keyClicks(edit, QString(c));
            }
            QTest::mouseClick(editorWindow->findChild<QPushButton *>(QStringLiteral("SaveBtn")), Qt::LeftButton);
        });
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("EditorBtn")), Qt::LeftButton);
        edited = editor.answered();
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("CloseBtn")), Qt::LeftButton);
    });
    HelpAdministration::run(nullptr);
    QVERIFY(window.answered());
    QVERIFY(edited);

    topics[0].body = saved;
    QCOMPARE(scratch.read(QStringLiteral("Vorrak.hlp")).toHex(' '), helpFileBytes(topics).toHex(' '));
}

void TestHelpAdministration::windowFlagsAndParent()
{
    ScratchDir scratch;
    QWidget opener;
    Qt::WindowFlags flags;
    QWidget *parent = nullptr;
    bool modal = false;
    ModalAnswer window("VorrakHelpDialog", [&](QWidget *dialog) {
        flags = dialog->windowFlags();
        parent = dialog->parentWidget();
        modal = dialog->isModal();
        static_cast<QDialog *>(dialog)->accept();
    });
    HelpAdministration::run(&opener);
    QVERIFY(window.answered());
    QCOMPARE(parent, &opener);
    QVERIFY(modal);
    QVERIFY(flags.testFlag(Qt::Dialog));
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
}

void TestHelpAdministration::unreadableFileIsKept_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("idsKept");
    QTest::addColumn<bool>("olderBackup"); // then the file goes to the next free name

    const QByteArray valid = helpFileBytes(topicsWithIds({"1", "2"}));
    QTest::newRow("bad magic") << QByteArray("not a help file at all") << "Unable to load help file: Format not recognized"
                               << QStringList() << false;
    QTest::newRow("magic in the other byte order")
        << (hexBytes("3D 14 A7 E9 00 00")) << "Unable to load help file: Format not recognized" << QStringList() << false;
    QTest::newRow("damaged: ends inside the second topic")
        << valid.left(valid.size() - 3)
        << "Unable to load help file: File is damaged.\n1 topic was read before the damage and is shown.\nThe "
           "original file will be kept as a backup when the editor saves."
        << QStringList{"1"} << false;
    QTest::newRow("older backup kept") << QByteArray("garbage") << "Unable to load help file: Format not recognized"
                                           << QStringList() << true;
}

void TestHelpAdministration::unreadableFileIsKept()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QFETCH(QStringList, idsKept);
    QFETCH(bool, olderBackup);
    ScratchDir scratch;
    QVERIFY(scratch.write(QStringLiteral("Vorrak.hlp"), content));
    if (olderBackup)
        QVERIFY(scratch.write(QStringLiteral("Vorrak.hlp.bak"), QByteArray("older backup")));

    MessageBoxes boxes;
    QStringList shownIds;
    ModalAnswer window("VorrakHelpDialog", [&](QWidget *dialog) {
        auto *list = dialog->findChild<QTreeWidget *>(QStringLiteral("HeaderList"));
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            shownIds.append(list->topLevelItem(i)->text(1));
        addTopic(dialog, QStringLiteral("9"));
        static_cast<QDialog *>(dialog)->accept();
    });
    LogCapture log;
    HelpAdministration::run(nullptr);
    QVERIFY(window.answered());
    const QString path = QDir::toNativeSeparators(HelpData::filePath());
    const QString backup = path + (olderBackup ? QStringLiteral(".1.bak") : QStringLiteral(".bak"));
    QCOMPARE(boxes.texts, QStringList({message, QStringLiteral("The help file %1 could not be read, so it was kept "
                                                               "as %2.").arg(path, backup)}));
    QCOMPARE(shownIds, idsKept);

    QVERIFY(log.warningLines().contains(QStringLiteral("Unreadable help file %1 kept as %2").arg(path, backup)));
    QCOMPARE(scratch.read(QFileInfo(backup).fileName()), content);
    if (olderBackup)
        QCOMPARE(scratch.read(QStringLiteral("Vorrak.hlp.bak")), QByteArray("older backup"));
    QCOMPARE(topicIds(readHelpFile()), idsKept + QStringList{"9"});
}

void TestHelpAdministration::backupThatCannotBeMade()
{
    // In a folder the user may not write to the unreadable file cannot be
    // moved aside: it must then stay as it is, and the user is told.
    if (rerunNonRoot())
        return;
    ScratchDir scratch;
    const QByteArray content("not a help file");
    QVERIFY(scratch.write(QStringLiteral("Vorrak.hlp"), content));
    QVERIFY(QFile::setPermissions(scratch.path(), QFile::ReadOwner | QFile::ExeOwner));

    MessageBoxes boxes;
    ModalAnswer window("VorrakHelpDialog", [&](QWidget *dialog) {
        addTopic(dialog, QStringLiteral("9"));
        static_cast<QDialog *>(dialog)->accept();
    });
    LogCapture log;
    HelpAdministration::run(nullptr);
    QVERIFY(window.answered());
    QFile::setPermissions(scratch.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // The load, the failure with the choice what to do, and giving up.
    QCOMPARE(boxes.texts.size(), 3);
    QVERIFY2(boxes.texts.at(1).startsWith(QStringLiteral("Unable to keep the unreadable help file ")),
             qPrintable(boxes.texts.at(1)));
    QVERIFY(boxes.texts.at(1).contains(QStringLiteral("The help file was left as it is and nothing was written.")));
    QCOMPARE(scratch.read(QStringLiteral("Vorrak.hlp")), content);
    QVERIFY(!log.debugLines().contains(QStringLiteral("Saving help file...")));
}

void TestHelpAdministration::failedWriteIsShown()
{
    // A directory where the help file belongs cannot be replaced by a file.
    ScratchDir scratch;
    QVERIFY(QDir(scratch.path()).mkpath(QStringLiteral("Vorrak.hlp/inside")));

    MessageBoxes boxes;
    ModalAnswer window("VorrakHelpDialog", [&](QWidget *dialog) {
        addTopic(dialog, QStringLiteral("1"));
        static_cast<QDialog *>(dialog)->accept();
    });
    LogCapture log;
    HelpAdministration::run(nullptr);
    QVERIFY(window.answered());
    const QString prefix = QStringLiteral("Unable to save help file %1: ").arg(HelpData::filePath());
    // The load, the failure with the choice what to do, and giving up.
    QCOMPARE(boxes.texts.size(), 3);
    QCOMPARE(boxes.texts.first(), QStringLiteral("Unable to load help file: Not a regular file"));
    QVERIFY2(boxes.texts.at(1).startsWith(prefix), qPrintable(boxes.texts.at(1)));
    QCOMPARE(boxes.texts.at(2), QStringLiteral("Your changes were not saved: the changes to the help file are lost."));
    QCOMPARE(log.warningLines().filter(QStringLiteral("Unable to save help file")).size(), 1);
    QVERIFY(!log.debugLines().contains(QStringLiteral("Finished saving help file")));
    QVERIFY(QFileInfo(scratch.filePath(QStringLiteral("Vorrak.hlp"))).isDir());
}

QTEST_MAIN(TestHelpAdministration)
#include "tst_helpadministration.moc"
