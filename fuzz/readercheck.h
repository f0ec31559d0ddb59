#pragma once

#include <QByteArray>
#include <QString>

// The guarantees both file readers give for any input whatsoever, checked by
// the fuzzers on every generated input and by the test suite on every input
// that ever broke one of them:
//  - the magic decides alone whether the file is recognised;
//  - a file read to the end is exactly what the writer makes of the records
//    read (every byte and every null/empty distinction survives);
//  - after damage, the records kept are exactly what the writer makes of the
//    leading bytes of the file, so nothing was invented or misplaced.
// Each function returns an empty string when every guarantee holds and a
// description of the first broken one otherwise. `outcome` receives "ok",
// "damaged" or "badmagic".
namespace ReaderCheck {

QString checkDataFile(const QByteArray &bytes, QString *outcome = nullptr);
QString checkHelpFile(const QByteArray &bytes, QString *outcome = nullptr);

using Check = QString (*)(const QByteArray &bytes, QString *outcome);

// Each file kind's check, under the name of its inputs' folder in corpus/
// and regressions/.
struct Reader
{
    const char *kind;
    Check check;
};
inline constexpr Reader Readers[] = {{"data", checkDataFile}, {"help", checkHelpFile}};

} // namespace ReaderCheck
