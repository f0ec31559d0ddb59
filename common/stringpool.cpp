#include "common/stringpool.h"

#include <cstring>

namespace {

// Pooled texts are short: compared inline, eight bytes at a time, instead of
// through a library call.
bool sameBytes(const void *a, const void *b, qsizetype bytes)
{
    const char *x = static_cast<const char *>(a);
    const char *y = static_cast<const char *>(b);
    for (; bytes >= 8; x += 8, y += 8, bytes -= 8) {
        quint64 u, v;
        std::memcpy(&u, x, 8);
        std::memcpy(&v, y, 8);
        if (u != v)
            return false;
    }
    for (; bytes > 0; ++x, ++y, --bytes) {
        if (*x != *y)
            return false;
    }
    return true;
}

} // namespace

quint32 StringPool::hash(QStringView text)
{
    // Eight bytes at a time, each mixed in by a multiply and a shift: the
    // texts are short, so the chain of multiplies is what a lookup waits on.
    constexpr quint64 Mix = 0xff51afd7ed558ccdull;
    const char *bytes = reinterpret_cast<const char *>(text.utf16());
    qsizetype left = text.size() * 2;
    quint64 h = 0x9e3779b97f4a7c15ull ^ quint64(left);
    for (; left >= 8; bytes += 8, left -= 8) {
        quint64 chunk;
        std::memcpy(&chunk, bytes, 8);
        h = (h ^ chunk) * Mix;
        h ^= h >> 32;
    }
    if (left > 0) {
        quint64 chunk = 0;
        std::memcpy(&chunk, bytes, size_t(left));
        h = (h ^ chunk) * Mix;
        h ^= h >> 32;
    }
    return quint32(h);
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
            slot = {h, quint32(text.size()), m_strings.size()};
            // Never null, so that a pooled empty text reads as it was stored.
            m_strings.append(text.isEmpty() ? QString(QLatin1String("")) : text.toString());
            return slot.index;
        }
        if (slot.hash == h && slot.length == text.size()
            && sameBytes(m_strings.at(slot.index).utf16(), text.utf16(), text.size() * 2))
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
