#pragma once

#include "common/result.h"

#include <QString>

// Moves a file out of the way before the program writes its own version in
// its place, so that the other content is never lost: `path` becomes
// `path`.bak, or `path`.1.bak, `path`.2.bak, ... whichever name is free. An
// older backup is never replaced.
namespace FileBackup {

// On success the notice is where the file went. A failure's text names the
// backup tried and why it could not be made, as "NAME: REASON".
Result<> keep(const QString &path);

} // namespace FileBackup
