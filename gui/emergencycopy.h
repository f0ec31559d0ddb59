#pragma once

#include "common/storefile.h"

#include <QString>
#include <QStringList>
#include <functional>

// Where a store goes when its end save failed and no one is left to ask
// (a shutdown, a logout, a lost display): a new file beside the store's own
// one, or, where that cannot be written, in the user's state folder, the
// home folder or the temporary folder. Each copy made is remembered, so that
// the next start of the editor in the file's folder can tell of it, once.
namespace EmergencyCopy {

// Writes a copy of the file at `filePath` through `saveCopy` (the store's
// own atomic saver) to the first place that takes it; the copy's path, or
// empty when none could be written.
QString write(const QString &filePath, const std::function<SaveResult(const QString &path)> &saveCopy);

// The copies made for files in `folder` that have not been told of yet and
// still exist; from now on they count as told.
QStringList takeUntold(const QString &folder);

} // namespace EmergencyCopy
