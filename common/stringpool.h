#pragma once

#include <QSet>
#include <QString>
#include <QStringView>

// Hands out one shared QString for every distinct short text it is asked
// for. A data file repeats the same few tool, skill and multiplier names a
// million times; sharing them keeps the loaded store near the file's size
// instead of several times it, and saves an allocation per repeated name.
class StringPool
{
public:
    // Texts longer than this are rarely repeated and are not pooled.
    static constexpr qsizetype MaxPooledLength = 128;

    // A non-null QString equal to `text`, shared with every earlier equal one.
    QString intern(QStringView text);

private:
    QSet<QString> m_strings;
};
