#pragma once

#include "common/storefile.h"

#include <QString>
#include <functional>

class QWidget;

// Writes a store the editor is about to drop (at the end of the session, or
// when the help window closes) and does not let a failure throw the changes
// away: after the failure message the user may retry (once space is freed or
// the folder fixed), save a copy elsewhere, or give up, which says plainly
// that the changes are lost. What the save says about another version of the
// file (where it was kept) is shown as well. `what` names the file in the
// texts: "data file" or "help file". True once the store is on disk, in its
// file or in a copy.
// When the session is ending and no one is left to answer, a failed save
// asks nothing: the store goes to an emergency copy of `filePath`, and
// standard error names it.
bool saveWithRecovery(QWidget *parent, const QString &what, const QString &filePath,
                      const std::function<SaveResult()> &save,
                      const std::function<SaveResult(const QString &path)> &saveCopyAs);

// The same for a store with filePath(), save() and saveCopy(path).
template <typename Store>
bool saveWithRecovery(QWidget *parent, const QString &what, Store &store)
{
    return saveWithRecovery(
        parent, what, Store::filePath(), [&store] { return store.save(); },
        [&store](const QString &path) { return store.saveCopy(path); });
}
