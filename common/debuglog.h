#pragma once

#include <QLoggingCategory>
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
