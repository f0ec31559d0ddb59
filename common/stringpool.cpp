#include "stringpool.h"

QString StringPool::intern(QStringView text)
{
    // A key that borrows the caller's characters: no allocation to look up.
    const QString key = QString::fromRawData(text.data(), text.size());
    const auto found = m_strings.constFind(key);
    if (found != m_strings.cend())
        return *found;
    QString copy = text.toString();
    m_strings.insert(copy);
    return copy;
}
