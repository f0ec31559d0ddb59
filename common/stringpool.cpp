#include "common/stringpool.h"

quint32 StringPool::hash(QStringView text)
{
    quint32 h = 2166136261u;
    for (const QChar c : text) {
        h ^= c.unicode();
        h *= 16777619u;
    }
    return h;
}

qsizetype StringPool::indexOf(QStringView text)
{
    if (2 * (m_strings.size() + 1) > qsizetype(m_slots.size()))
        grow();
    const quint32 h = hash(text);
    const size_t mask = m_slots.size() - 1;
    for (size_t at = h & mask;; at = (at + 1) & mask) {
        Slot &slot = m_slots[at];
        if (slot.index < 0) {
            slot = {h, m_strings.size()};
            // Never null, so that a pooled empty text reads as it was stored.
            m_strings.append(text.isEmpty() ? QString(QLatin1String("")) : text.toString());
            return slot.index;
        }
        if (slot.hash == h && QStringView(m_strings.at(slot.index)) == text)
            return slot.index;
    }
}

void StringPool::grow()
{
    std::vector<Slot> table(qMax<size_t>(64, m_slots.size() * 2));
    const size_t mask = table.size() - 1;
    for (const Slot &slot : m_slots) {
        if (slot.index < 0)
            continue;
        size_t at = slot.hash & mask;
        while (table[at].index >= 0)
            at = (at + 1) & mask;
        table[at] = slot;
    }
    m_slots.swap(table);
}
