#include "tests/support/scratchdir.h"

#include <QFile>
#include <QTest>

ScratchDir::ScratchDir()
    : m_previous(QDir::currentPath())
{
    m_valid = m_dir.isValid() && QDir::setCurrent(m_dir.path());
}

ScratchDir::~ScratchDir()
{
    QDir::setCurrent(m_previous);
}

bool ScratchDir::write(const QString &name, const QByteArray &bytes) const
{
    return writeFile(filePath(name), bytes);
}

QByteArray ScratchDir::read(const QString &name) const
{
    return readFile(filePath(name));
}

void ScratchTest::init()
{
    m_dir = std::make_unique<ScratchDir>();
    QVERIFY(m_dir->isValid());
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray hexBytes(const char *text)
{
    QByteArray compact(text);
    compact.replace(' ', "").replace('.', "");
    return QByteArray::fromHex(compact);
}
