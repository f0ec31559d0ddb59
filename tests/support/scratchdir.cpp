#include "scratchdir.h"

#include <QDir>
#include <QFile>

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
    QFile file(filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ScratchDir::read(const QString &name) const
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QByteArray hexBytes(const char *text)
{
    QByteArray compact(text);
    compact.replace(' ', "").replace('.', "");
    return QByteArray::fromHex(compact);
}
