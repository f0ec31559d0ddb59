#include "admin/editorsession.h"
#include "tests/admin/admintest.h"
#include "tests/support/fixtures.h"
#include "tests/support/logcapture.h"
#include "tests/support/modalanswer.h"
#include "tests/support/scratchdir.h"
#include "tests/support/unprivileged.h"
#include "tests/support/widgetinput.h"
#include "tradeskill/tradeskilldata.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace {

const QByteArray EmptyStore = QByteArray::fromHex("2AE510A40000");

QList<ProcGroup> sampleStore()
{
    return {makeGroup("Weapons", {makeProc("Pistol", 200, 1, {makeReq("Screwdriver", "0", 0, 1234),
                                                             makeReq("Weaponsmithing", "4.5", 1, 0)}),
                                  makeProc("Rifle", 255, 255)}),
            makeGroup("Armor")};
}

QString dataPath() { return TradeskillData::filePath(); }
QString backupPath() { return TradeskillData::filePath() + QStringLiteral(".bak"); }

// Closes the editor's main dialog in one of the ways a user can.
void closeEditor(QWidget *dialog, const QString &how)
{
    if (how == QLatin1String("Exit"))
        clickButton(dialog, "ExitBtn");
    else if (how == QLatin1String("Alt+X"))
        QTest::keyClick(dialog, Qt::Key_X, Qt::AltModifier);
    else if (how == QLatin1String("Return"))
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    else if (how == QLatin1String("Escape"))
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
    else
        dialog->close(); // the close box
}

// Runs the whole editor, closing it with `how`; other modal windows that
// come up on the way (load and save messages) are answered with OK and
// their texts collected, unless `answer` takes them (returning true).
int runEditor(const QString &how, QStringList *messages = nullptr,
              const std::function<void(QWidget *)> &whileOpen = {},
              const std::function<bool(QWidget *)> &answer = {})
{
    ModalAnswer answerer([&](QWidget *modal) {
        if (modal->inherits("VorrakAdminDialog")) {
            if (whileOpen)
                whileOpen(modal);
            closeEditor(modal, how);
            return;
        }
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (box && messages)
            messages->append(box->text());
        if (answer && answer(modal))
            return;
        if (box)
            box->accept();
    });
    return EditorSession::run();
}

} // namespace

class TestEditorSession : public ScratchTest
{
    Q_OBJECT

private slots:

    void everyWayOfClosingWritesOnce_data();
    void everyWayOfClosingWritesOnce();
    void leavingAtOnceCreatesEmptyFile();
    void changesReachTheFile();
    void unreadableFileIsKept_data();
    void unreadableFileIsKept();
    void readableFileMakesNoBackup();
    void backupFailureLeavesFileAlone();
    void failedSaveIsShown();
    void failedSaveOffersRecovery_data();
    void failedSaveOffersRecovery();
    void writableFileInReadOnlyFolderIsSaved();
};

void TestEditorSession::everyWayOfClosingWritesOnce_data()
{
    QTest::addColumn<QString>("how");
    for (const char *how : {"Exit", "Alt+X", "Return", "Escape", "close box"})
        QTest::newRow(how) << QString::fromLatin1(how);
}

void TestEditorSession::everyWayOfClosingWritesOnce()
{
    QFETCH(QString, how);
    QVERIFY(writeDataFile(sampleStore()));
    const QByteArray before = m_dir->read(QStringLiteral("Vorrak.dat"));
    QVERIFY(!before.isEmpty());
    // Make the file older than any write below could be, so a rewrite shows.
    {
        QFile file(dataPath());
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
    }

    LogCapture log;
    QStringList messages;
    QCOMPARE(runEditor(how, &messages), 0);
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
    QCOMPARE(log.debugLines().count(QStringLiteral("Saving data file...")), 1);
    QCOMPARE(log.debugLines().count(QStringLiteral("Finished saving data file")), 1);
    // Started on a file and closed without changes: the same bytes come back.
    QCOMPARE(m_dir->read(QStringLiteral("Vorrak.dat")), before);
    QVERIFY(QFileInfo(dataPath()).lastModified() > QDateTime::currentDateTime().addSecs(-60));
    QVERIFY(!QFile::exists(backupPath()));
}

void TestEditorSession::leavingAtOnceCreatesEmptyFile()
{
    QVERIFY(!QFile::exists(dataPath()));
    LogCapture log;
    QCOMPARE(runEditor(QStringLiteral("Exit")), 0);
    QCOMPARE(m_dir->read(QStringLiteral("Vorrak.dat")), EmptyStore);
    QVERIFY(!QFile::exists(backupPath()));
    QVERIFY(log.warningLines().filter(QStringLiteral("Vorrak.dat")).isEmpty());
}

void TestEditorSession::changesReachTheFile()
{
    QVERIFY(writeDataFile(sampleStore()));
    QCOMPARE(runEditor(QStringLiteral("Exit"), nullptr, [](QWidget *dialog) {
                 // Sort the groups: Armor comes first.
                 clickButton(dialog, "SortGrpBtn");
             }),
             0);
    QList<ProcGroup> expected = sampleStore();
    expected.move(1, 0);
    QCOMPARE(readDataFile(), expected);
}

void TestEditorSession::unreadableFileIsKept_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("loadMessage");
    QTest::addColumn<bool>("olderBackup"); // then the file goes to the next free name
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("bad magic") << QByteArray("not a data file") << "Unable to load data file: Format not recognized"
                               << false << EmptyStore;
    QTest::newRow("short") << QByteArray::fromHex("2AE5") << "Unable to load data file: Format not recognized"
                           << false << EmptyStore;
    QTest::newRow("bad magic, older backup")
        << QByteArray::fromHex("00000000") << "Unable to load data file: Format not recognized" << true << EmptyStore;
    // One whole group, then a second one cut off in its name.
    QTest::newRow("damaged") << QByteArray::fromHex("2AE510A40002000000020041000000000004")
                             << "Unable to load data file: File is damaged.\n1 group was read before the damage and "
                                "is shown.\nThe original file will be kept as a backup when the editor saves."
                             << true
                             << QByteArray::fromHex("2AE510A40001000000020041" "0000");
}

void TestEditorSession::unreadableFileIsKept()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, loadMessage);
    QFETCH(bool, olderBackup);
    QFETCH(QByteArray, written);
    QVERIFY(m_dir->write(dataPath(), content));
    if (olderBackup)
        QVERIFY(m_dir->write(backupPath(), "an older backup"));

    LogCapture log;
    QStringList messages;
    QCOMPARE(runEditor(QStringLiteral("Exit"), &messages), 0);
    const QString backup = olderBackup ? dataPath() + QStringLiteral(".1.bak") : backupPath();
    QCOMPARE(messages, QStringList({loadMessage, QStringLiteral("The data file %1 could not be read, so it was kept "
                                                                "as %2.")
                                                     .arg(QDir::toNativeSeparators(dataPath()),
                                                          QDir::toNativeSeparators(backup))}));
    QCOMPARE(m_dir->read(backup), content);
    if (olderBackup)
        QCOMPARE(m_dir->read(backupPath()), QByteArray("an older backup"));
    // The editor's own store: empty, or the groups read before the damage.
    QCOMPARE(m_dir->read(QStringLiteral("Vorrak.dat")), written);
    const QString line = QStringLiteral("Unreadable data file %1 kept as %2")
                             .arg(QDir::toNativeSeparators(dataPath()), QDir::toNativeSeparators(backup));
    QCOMPARE(log.warningLines().count(line), 1);
    // The backup is made before the store is written.
    QVERIFY(log.debugLines().contains(QStringLiteral("Saving data file...")));
}

void TestEditorSession::readableFileMakesNoBackup()
{
    QVERIFY(writeDataFile(sampleStore()));
    QVERIFY(m_dir->write(backupPath(), "an older backup"));
    QCOMPARE(runEditor(QStringLiteral("Escape")), 0);
    QCOMPARE(m_dir->read(backupPath()), QByteArray("an older backup"));
    QCOMPARE(readDataFile(), sampleStore());
}

void TestEditorSession::backupFailureLeavesFileAlone()
{
    // In a folder the user may not write to, the file cannot be moved aside.
    if (rerunNonRoot())
        return;
    const QByteArray junk("not a data file");
    QVERIFY(m_dir->write(dataPath(), junk));
    QVERIFY(QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::ExeOwner));

    LogCapture log;
    QStringList messages;
    QCOMPARE(runEditor(QStringLiteral("Exit"), &messages), 0);
    QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // The load, the failure with the choice what to do, and giving up.
    QCOMPARE(messages.size(), 3);
    QCOMPARE(messages.at(0), QStringLiteral("Unable to load data file: Format not recognized"));
    QVERIFY2(messages.at(1).startsWith(QStringLiteral("Unable to keep the unreadable data file %1 as %2: ")
                                           .arg(QDir::toNativeSeparators(dataPath()),
                                                QDir::toNativeSeparators(backupPath()))),
             qPrintable(messages.at(1)));
    QCOMPARE(m_dir->read(QStringLiteral("Vorrak.dat")), junk);
    QVERIFY(!log.debugLines().contains(QStringLiteral("Saving data file...")));
    QCOMPARE(log.warningLines().filter(QStringLiteral("Unable to keep unreadable data file")).size(), 1);
}

void TestEditorSession::failedSaveIsShown()
{
    // A folder where the file should be: it can be neither read nor replaced.
    QVERIFY(QDir().mkpath(dataPath() + QStringLiteral("/inside")));
    LogCapture log;
    QStringList messages;
    QCOMPARE(runEditor(QStringLiteral("Exit"), &messages), 0);
    // The load, the failure with the choice what to do, and giving up.
    QCOMPARE(messages.size(), 3);
    QCOMPARE(messages.first(), QStringLiteral("Unable to load data file: Not a regular file"));
    const QString prefix = QStringLiteral("Unable to save data file %1: ").arg(dataPath());
    QVERIFY2(messages.at(1).startsWith(prefix), qPrintable(messages.at(1)));
    QVERIFY(messages.at(1).size() > prefix.size()); // the reason follows
    QCOMPARE(messages.at(2), QStringLiteral("Your changes were not saved: the changes to the data file are lost."));
    QCOMPARE(log.warningLines().filter(prefix).size(), 1);
    QVERIFY(QFileInfo(dataPath()).isDir());
    QVERIFY(!QFile::exists(backupPath()));
}

void TestEditorSession::failedSaveOffersRecovery_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("last"); // the text of the last message
    QTest::newRow("retry once the folder is fixed") << "Retry" << QString();
    QTest::newRow("save a copy") << "Save a copy as..." << "Your changes were saved to %1.";
    QTest::newRow("give up") << "Give up" << "Your changes were not saved: the changes to the data file are lost.";
}

void TestEditorSession::failedSaveOffersRecovery()
{
    QFETCH(QString, choice);
    QFETCH(QString, last);
    // Something that is not a file stands in the data file's place.
    QVERIFY(QDir().mkpath(dataPath() + QStringLiteral("/inside")));
    const QString copy = QDir::current().filePath(QStringLiteral("copy.dat"));
    QStringList messages;
    bool asked = false;
    const int status = runEditor(
        QStringLiteral("Exit"), &messages, {},
        [&](QWidget *modal) {
            if (auto *files = qobject_cast<QFileDialog *>(modal)) {
                files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(copy);
                QMetaObject::invokeMethod(files, "accept", Qt::QueuedConnection);
                return true;
            }
            auto *box = qobject_cast<QMessageBox *>(modal);
            if (!box || asked || !box->text().contains(QStringLiteral("Your changes are not saved yet.")))
                return false;
            asked = true;
            for (QAbstractButton *button : box->buttons()) {
                if (button->text() == choice) {
                    if (choice == QLatin1String("Retry"))
                        QDir(dataPath()).removeRecursively();
                    QTest::mouseClick(button, Qt::LeftButton);
                    return true;
                }
            }
            return false;
        });
    QCOMPARE(status, 0);
    QVERIFY(asked);
    if (last.isEmpty())
        QCOMPARE(messages.size(), 2); // the load and the failure
    else
        QCOMPARE(messages.last(), last.arg(QDir::toNativeSeparators(copy)));
    QFile saved(choice == QLatin1String("Retry") ? dataPath() : copy);
    if (choice == QLatin1String("Give up")) {
        QVERIFY(!saved.exists());
        return;
    }
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), EmptyStore);
}

void TestEditorSession::writableFileInReadOnlyFolderIsSaved()
{
    if (rerunNonRoot())
        return;
    QVERIFY(writeDataFile(sampleStore()));
    QVERIFY(QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::ExeOwner));
    QStringList messages;
    QCOMPARE(runEditor(QStringLiteral("Exit"), &messages, [](QWidget *dialog) { clickButton(dialog, "SortGrpBtn"); }),
             0);
    QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join('\n')));
    QList<ProcGroup> expected = sampleStore();
    expected.move(1, 0);
    QCOMPARE(readDataFile(), expected);
}

QTEST_MAIN(TestEditorSession)
#include "tst_editorsession.moc"
