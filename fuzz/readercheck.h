#pragma once

#include "common/storefile.h"

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
// Each check is ok when every guarantee holds and fails with a description
// of the first broken one otherwise; its status is what the reader found.
namespace ReaderCheck {

Result<ReadStatus> checkDataFile(const QByteArray &bytes);
Result<ReadStatus> checkHelpFile(const QByteArray &bytes);

using Check = Result<ReadStatus> (*)(const QByteArray &bytes);

// "ok", "damaged" or "badmagic", as the seed files' names give the outcome
// they expect.
QString outcomeName(ReadStatus status);

// Each file kind's check, under the name of its inputs' folder in corpus/
// and regressions/.
struct Reader
{
    const char *kind;
    Check check;
};
inline constexpr Reader Readers[] = {{"data", checkDataFile}, {"help", checkHelpFile}};

} // namespace ReaderCheck
