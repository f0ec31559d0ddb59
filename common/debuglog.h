#pragma once

#include <QByteArray>
#include <QLoggingCategory>
#include <QString>
#include <QtGlobal>

// The progress lines go through the default category. Formatting one line per
// record is the dominant cost of loading a large file, so the check comes
// first: with debug output switched off no record pays for its line.
inline bool vorrakDebugEnabled()
{
    static QLoggingCategory *category = QLoggingCategory::defaultCategory();
    return category->isDebugEnabled();
}

#define VORRAK_DEBUG(...)                   \
    do {                                    \
        if (vorrakDebugEnabled())           \
            qDebug(__VA_ARGS__);            \
    } while (false)

// The log lines show texts in their Latin-1 form ('?' for what Latin-1
// lacks). qDebug's "%s" decodes its argument as UTF-8, so the Latin-1 bytes
// are handed over re-encoded; raw they would turn "ü" into U+FFFD.
inline QByteArray latin1Form(const QString &text)
{
    return QString::fromLatin1(text.toLatin1()).toUtf8();
}
