#include "tests/support/failingsave.h"

#include "tests/support/logcapture.h"
#include "tests/support/scratchdir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

QStringList FailingSave::ways()
{
    return {QStringLiteral("target is a directory"), QStringLiteral("read-only directory"),
            QStringLiteral("system directory")};
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

bool FailingSave::prepare(const QString &way)
{
    if (way == QLatin1String("system directory"))
        return QDir::setCurrent(QStringLiteral("/sys"));
    if (way == QLatin1String("target is a directory")) {
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
    // The file turns read-only too: a writable one the save writes in place.
    return way != QLatin1String("read-only directory")
        || (QFile::setPermissions(m_oldFile, QFile::ReadOwner)
            && QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::ExeOwner));
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
