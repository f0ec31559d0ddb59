#pragma once

#include <QByteArray>
#include <QLoggingCategory>
#include <QStringView>
#include <QtGlobal>

// The progress lines go through the default category. Formatting one line per
// record is the dominant cost of loading a large file, so the check comes
// first: with debug output switched off no record pays for its line.
inline bool vorrakDebugEnabled()
{
    static QLoggingCategory *category = QLoggingCategory::defaultCategory();
    return category->isDebugEnabled();
}

// One progress line, printf-style: formatted once, by the C library in the
// "C" locale, and handed to qDebug as it is. Each line stays its own qDebug
// call, so a message handler or pattern sees one message a line.
void vorrakDebugLine(const char *format, ...) Q_ATTRIBUTE_FORMAT_PRINTF(1, 2);

#define VORRAK_DEBUG(...)                   \
    do {                                    \
        if (vorrakDebugEnabled())           \
            vorrakDebugLine(__VA_ARGS__);   \
    } while (false)

// A text as the log lines show it: its Latin-1 form ('?' for what Latin-1
// lacks), made in one pass into a buffer on the stack. qDebug's "%s" decodes
// its argument as UTF-8, so the Latin-1 characters are written in UTF-8; raw
// they would turn "ü" into U+FFFD. Use it within one expression:
// latin1Form(name).constData().
class Latin1Form
{
public:
    explicit Latin1Form(QStringView text);
    Latin1Form(const Latin1Form &) = delete;
    Latin1Form &operator=(const Latin1Form &) = delete;

    const char *constData() const { return m_data; }

private:
    char m_inline[256];
    QByteArray m_heap;  // for texts too long for m_inline
    const char *m_data;
};

inline Latin1Form latin1Form(QStringView text)
{
    return Latin1Form(text);
}
