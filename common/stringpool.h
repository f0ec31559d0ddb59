#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <vector>

// Hands out one shared QString for every distinct text it is asked for, and
// numbers the distinct texts in the order they first came. A data file
// repeats the same few tool, skill and multiplier names a million times;
// sharing them keeps the loaded store near the file's size instead of
// several times it, and saves an allocation per repeated name. The web page
// writes each distinct text once and refers to it by its number.
//
// The pool hashes for itself (a multiply-and-shift hash over eight bytes at
// a time, open addressing with linear probing) instead of using qHash: on CPUs with AVX,
// Qt 6.4's string hash leaves the upper vector state dirty, and every SSE
// routine after it (byte swaps, comparisons, formatting) then runs slowly.
class StringPool
{
public:
    // The reader pools only texts up to this length: longer ones are rarely
    // repeated.
    static constexpr qsizetype MaxPooledLength = 128;

    // A non-null QString equal to `text`, shared with every earlier equal one.
    QString intern(QStringView text) { return m_strings.at(indexOf(text)); }

    // The number of `text` among the distinct texts, adding it if it is new.
    // A null and an empty text are the same text.
    qsizetype indexOf(QStringView text);

    // The distinct texts, in the order of their numbers.
    const QList<QString> &strings() const { return m_strings; }

private:
    struct Slot
    {
        quint32 hash = 0;
        quint32 length = 0; // of the text, in UTF-16 code units
        qsizetype index = -1;  // into m_strings; -1 for a free slot
    };

    static quint32 hash(QStringView text);
    void grow();

    QList<QString> m_strings;
    std::vector<Slot> m_slots;  // a power of two in size, at most half full
};
