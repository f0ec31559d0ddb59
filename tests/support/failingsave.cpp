#include "failingsave.h"

#include "logcapture.h"
#include "scratchdir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

void FailingSave::addRows()
{
    QTest::addColumn<QString>("setup");
    QTest::newRow("target is a directory") << QStringLiteral("directory");
    QTest::newRow("read-only directory") << QStringLiteral("read-only");
    QTest::newRow("system directory") << QStringLiteral("system");
}

FailingSave::FailingSave(const ScratchDir &dir, const QString &fileName, const QByteArray &old)
    : m_dir(dir)
    , m_fileName(fileName)
    , m_old(old)
{
}

FailingSave::~FailingSave()
{
    QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

bool FailingSave::prepare(const QString &setup)
{
    if (setup == QLatin1String("system"))
        return QDir::setCurrent(QStringLiteral("/sys"));
    if (setup == QLatin1String("directory")) {
        if (!QDir(m_dir.path()).mkpath(m_fileName))
            return false;
        m_oldFile = m_dir.filePath(m_fileName + QStringLiteral("/keep"));
    } else {
        m_oldFile = m_dir.filePath(m_fileName);
    }
    QFile file(m_oldFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(m_old) != m_old.size())
        return false;
    file.close();
    // The directory turns read-only only once the older file stands in it.
    return setup != QLatin1String("read-only")
        || QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::ExeOwner);
}

void FailingSave::verifySaveFails(const std::function<bool()> &save, const QStringList &messages,
                                  const QString &prefix, const QString &finishedLine) const
{
    bool saved = true;
    {
        LogCapture log;
        saved = save();
        QCOMPARE(log.warningLines().size(), 1);
        const QString line = log.warningLines().first();
        QVERIFY2(line.startsWith(prefix) && line.size() > prefix.size(), qPrintable(line));
        QCOMPARE(messages, QStringList({line}));
        QVERIFY(!log.debugLines().contains(finishedLine));
    }
    QVERIFY(!saved);
    verifyOldFileKept();
}

void FailingSave::verifyOldFileKept() const
{
    if (m_oldFile.isEmpty())
        return;
    QFile file(m_oldFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), m_old);
    QCOMPARE(QDir(QFileInfo(m_oldFile).path()).entryList(QDir::Files), QStringList({QFileInfo(m_oldFile).fileName()}));
}
