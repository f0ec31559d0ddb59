// What the disk, another program or the file itself can do to Vorrak.dat and
// Vorrak.hlp, one test per kind of fault, each over both files: the store
// reports what a program shows, never takes a file it cannot read for a
// missing one, and never loses a version of the file when it writes.
#include "tests/support/logcapture.h"
#include "tests/support/scratchdir.h"
#include "tests/support/storeundertest.h"
#include "tests/support/unprivileged.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// Leaves the test `headroom` bytes of address space until it goes.
class AddressSpaceLimit
{
public:
    explicit AddressSpaceLimit(qint64 headroom)
    {
        QFile status(QStringLiteral("/proc/self/statm"));
        if (!status.open(QIODevice::ReadOnly) || ::getrlimit(RLIMIT_AS, &m_previous) != 0)
            return;
        const qint64 pages = status.readAll().split(' ').value(0).toLongLong();
        rlimit limit = m_previous;
        limit.rlim_cur = rlim_t(pages * ::sysconf(_SC_PAGESIZE) + headroom);
        m_set = ::setrlimit(RLIMIT_AS, &limit) == 0;
    }
    ~AddressSpaceLimit()
    {
        if (m_set)
            ::setrlimit(RLIMIT_AS, &m_previous);
    }
    bool isSet() const { return m_set; }

private:
    rlimit m_previous{};
    bool m_set = false;
};

// A process that takes the writers' lock on the current directory, says
// "locked", and while still holding it replaces `name` with `content`, as
// another Vorrak program saving the file would. Null without flock(1).
std::unique_ptr<QProcess> lockAndReplace(const QString &name, const QByteArray &content)
{
    const QString flock = QStandardPaths::findExecutable(QStringLiteral("flock"));
    if (flock.isEmpty() || !writeFile(QStringLiteral("replacement"), content))
        return nullptr;
    auto process = std::make_unique<QProcess>();
    process->start(flock, {QStringLiteral("."), QStringLiteral("sh"), QStringLiteral("-c"),
                           QStringLiteral("echo locked; sleep 0.5; mv replacement '%1'").arg(name)});
    return process;
}

} // namespace

class FileFaultTest : public ScratchTest
{
    Q_OBJECT

private slots:
    // Only warnings are checked; a million progress lines would fill the
    // memory the out-of-memory rows leave.
    void initTestCase() { QLoggingCategory::defaultCategory()->setEnabled(QtDebugMsg, false); }
    void unreadableFileIsReportedAndKept_data();
    void unreadableFileIsReportedAndKept();
    void notRegularFileIsNeitherOpenedNorReplaced_data();
    void notRegularFileIsNeitherOpenedNorReplaced();
    void otherProgramsVersionIsKept_data();
    void otherProgramsVersionIsKept();
};

void FileFaultTest::unreadableFileIsReportedAndKept_data()
{
    StoreUnderTest::addKindRows("fault", {"no read permission", "bad magic", "out of memory"});
}

void FileFaultTest::unreadableFileIsReportedAndKept()
{
    QFETCH(QString, kind);
    QFETCH(QString, fault);
    if (fault == QLatin1String("no read permission") && rerunNonRoot())
        return;
#if defined(__SANITIZE_ADDRESS__)
    if (fault == QLatin1String("out of memory"))
        QSKIP("the address sanitizer reserves more address space than the limit leaves");
#endif
    StoreUnderTest store(kind);
    const QString path = m_dir->filePath(store.fileName());
    // Two older backups, which must survive.
    QVERIFY(m_dir->write(store.fileName() + QStringLiteral(".bak"), "first backup"));
    QVERIFY(m_dir->write(store.fileName() + QStringLiteral(".1.bak"), "second backup"));

    QString reason;
    QString warning;
    QByteArray before = store.fileBytes();
    if (fault == QLatin1String("bad magic")) {
        before = "not a Vorrak file";
        QVERIFY(m_dir->write(store.fileName(), before));
        reason = QStringLiteral("Format not recognized");
        warning = QStringLiteral("BAD MAGIC NUMBER!");
    } else if (fault == QLatin1String("no read permission")) {
        QVERIFY(m_dir->write(store.fileName(), store.fileBytes()));
        QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
        reason = QStringLiteral("Permission denied");
    } else {
        // Far larger than the address space left to the test.
        QVERIFY(store.writeSparseFile(path, 100 * 1000 * 1000));
        before = m_dir->read(store.fileName());
        reason = QStringLiteral("Out of memory");
    }
    if (warning.isEmpty())
        warning = QStringLiteral("Unable to load %1 %2: %3").arg(store.what(), path, reason);

    LoadResult loaded = LoadResult::ok();
    {
        LogCapture log;
        std::unique_ptr<AddressSpaceLimit> limit;
        if (fault == QLatin1String("out of memory")) {
            limit = std::make_unique<AddressSpaceLimit>(64 << 20);
            QVERIFY(limit->isSet());
        }
        loaded = store.load();
        limit.reset();
        QCOMPARE(log.warningLines(), QStringList{warning});
    }
    QCOMPARE(loaded.text(), QStringLiteral("Unable to load %1: %2").arg(store.what(), reason));
    QCOMPARE(store.size(), 0);

    store.fill();
    const SaveResult saved = store.save();
    QVERIFY2(saved.isOk(), qPrintable(saved.text()));
    const QString backup = path + QStringLiteral(".2.bak");
    QCOMPARE(saved.text(),
             QStringLiteral("The %1 %2 could not be read, so it was kept as %3.").arg(store.what(), path, backup));
    QFile::setPermissions(backup, QFile::ReadOwner | QFile::WriteOwner);
    QVERIFY(m_dir->read(QFileInfo(backup).fileName()) == before);
    QCOMPARE(m_dir->read(store.fileName() + QStringLiteral(".bak")), QByteArray("first backup"));
    QCOMPARE(m_dir->read(store.fileName() + QStringLiteral(".1.bak")), QByteArray("second backup"));
    QCOMPARE(m_dir->read(store.fileName()), store.fileBytes());
}

void FileFaultTest::notRegularFileIsNeitherOpenedNorReplaced_data()
{
    StoreUnderTest::addKindRows("fault", {"FIFO", "link to a FIFO", "directory", "device"});
}

void FileFaultTest::notRegularFileIsNeitherOpenedNorReplaced()
{
    QFETCH(QString, kind);
    QFETCH(QString, fault);
    StoreUnderTest store(kind);
    const QString path = m_dir->filePath(store.fileName());
    const QByteArray name = QFile::encodeName(path);
    mode_t type = S_IFIFO;
    if (fault == QLatin1String("FIFO")) {
        QCOMPARE(::mkfifo(name.constData(), 0600), 0);
    } else if (fault == QLatin1String("link to a FIFO")) {
        QCOMPARE(::mkfifo(QFile::encodeName(m_dir->filePath(QStringLiteral("fifo"))).constData(), 0600), 0);
        QVERIFY(QFile::link(QStringLiteral("fifo"), path));
    } else if (fault == QLatin1String("directory")) {
        QVERIFY(QDir(m_dir->path()).mkpath(store.fileName() + QStringLiteral("/inside")));
        type = S_IFDIR;
    } else {
        // The null device's numbers: harmless to open, fatal to replace.
        if (::mknod(name.constData(), S_IFCHR | 0600, makedev(1, 3)) != 0)
            QSKIP("only root may make a device node");
        type = S_IFCHR;
    }

    LogCapture log;
    QElapsedTimer clock;
    clock.start();
    const LoadResult loaded = store.load();
    QVERIFY(clock.elapsed() < 1000);
    QCOMPARE(loaded.status(), LoadStatus::NotRegular);
    QCOMPARE(loaded.text(), QStringLiteral("Unable to load %1: Not a regular file").arg(store.what()));
    QCOMPARE(log.warningLines(),
             QStringList{QStringLiteral("Unable to load %1 %2: Not a regular file").arg(store.what(), path)});

    store.fill();
    const SaveResult saved = store.save();
    QVERIFY(!saved.isOk());
    QCOMPARE(saved.text(), QStringLiteral("Unable to save %1 %2: Not a regular file").arg(store.what(), path));
    struct stat status;
    QCOMPARE(::stat(name.constData(), &status), 0);
    QCOMPARE(status.st_mode & S_IFMT, type);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).size(),
             fault == QLatin1String("link to a FIFO") ? 2 : (fault == QLatin1String("directory") ? 0 : 1));
}

void FileFaultTest::otherProgramsVersionIsKept_data()
{
    StoreUnderTest::addKindRows("fault", {"rewritten in place", "replaced by another file", "created while missing",
                                          "replaced while the save waits for the lock"});
}

void FileFaultTest::otherProgramsVersionIsKept()
{
    QFETCH(QString, kind);
    QFETCH(QString, fault);
    StoreUnderTest store(kind);
    const QString path = m_dir->filePath(store.fileName());
    std::unique_ptr<QProcess> lockHolder;
    const QByteArray first = store.emptyFileBytes();
    if (fault != QLatin1String("created while missing"))
        QVERIFY(m_dir->write(store.fileName(), first));
    QVERIFY(store.load().text().isEmpty());

    // What the other program leaves: a version the store has never seen.
    const QByteArray other = first + QByteArray("another program's version");
    if (fault == QLatin1String("rewritten in place")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(first.size()));
        QVERIFY(file.write("another program's version") > 0);
    } else if (fault == QLatin1String("replaced by another file")) {
        QVERIFY(m_dir->write(QStringLiteral("new"), other));
        QVERIFY(QFile::remove(path) && QFile::rename(m_dir->filePath(QStringLiteral("new")), path));
    } else if (fault == QLatin1String("created while missing")) {
        QVERIFY(m_dir->write(store.fileName(), other));
    } else {
        // Another Vorrak writer holds the lock: the save must wait for it
        // and then find its version, not write in between.
        lockHolder = lockAndReplace(store.fileName(), other);
        if (!lockHolder)
            QSKIP("flock (util-linux) is missing");
        QVERIFY(lockHolder->waitForReadyRead(10000));
    }

    store.fill();
    LogCapture log;
    const SaveResult saved = store.save();
    if (lockHolder)
        QVERIFY(lockHolder->waitForFinished(10000) && lockHolder->exitCode() == 0);
    QVERIFY(saved.isOk());
    const QString backup = path + QStringLiteral(".bak");
    QCOMPARE(saved.text(),
             QStringLiteral("The %1 %2 was changed by another program since it was read. That "
                            "version was kept as %3.")
                 .arg(store.what(), path, backup));
    QCOMPARE(log.warningLines(), QStringList{QStringLiteral("Changed %1 %2 kept as %3").arg(store.what(), path, backup)});
    QCOMPARE(m_dir->read(QFileInfo(backup).fileName()), other);
    QCOMPARE(m_dir->read(store.fileName()), store.fileBytes());
    // The file is the store's own now: the next save keeps nothing.
    const SaveResult again = store.save();
    QVERIFY(again.isOk() && again.text().isEmpty());
}

QTEST_GUILESS_MAIN(FileFaultTest)
#include "filefaulttest.moc"
