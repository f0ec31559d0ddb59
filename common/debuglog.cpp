#include "common/debuglog.h"

#include <cstdarg>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <clocale>
#include <locale.h>
#endif

namespace {

// The C library formats numbers for the locale the application took from
// the environment; the log lines keep the "C" form whatever it is.
class CNumbers
{
public:
#ifdef Q_OS_UNIX
    CNumbers()
        : m_previous(uselocale(locale()))
    {
    }
    ~CNumbers() { uselocale(m_previous); }

private:
    static locale_t locale()
    {
        static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
        return c;
    }
    locale_t m_previous;
#endif
};

} // namespace

void vorrakDebugLine(const char *format, ...)
{
    char line[512];
    const CNumbers numbers;
    va_list arguments;
    va_start(arguments, format);
    va_list again;
    va_copy(again, arguments);
    const int length = std::vsnprintf(line, sizeof(line), format, arguments);
    va_end(arguments);
    if (length >= 0 && size_t(length) < sizeof(line)) {
        qDebug("%s", line);
    } else if (length >= 0) {
        QByteArray longLine(length, Qt::Uninitialized);
        std::vsnprintf(longLine.data(), size_t(length) + 1, format, again);
        qDebug("%s", longLine.constData());
    }
    va_end(again);
}

Latin1Form::Latin1Form(QStringView text)
{
    // At most two bytes per character, and the terminating zero.
    const qsizetype most = 2 * text.size() + 1;
    char *out = m_inline;
    if (most > qsizetype(sizeof(m_inline))) {
        m_heap.resize(most);
        out = m_heap.data();
    }
    m_data = out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80) {
            *out++ = char(u);
        } else if (u < 0x100) {
            *out++ = char(0xC0 | (u >> 6));
            *out++ = char(0x80 | (u & 0x3F));
        } else {
            *out++ = '?';
        }
    }
    *out = '\0';
}
