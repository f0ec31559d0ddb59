#pragma once

#include "storefile.h"

#include <QString>
#include <functional>

class QWidget;

// Writes a store the editor is about to drop (at the end of the session, or
// when the help window closes) and does not let a failure throw the changes
// away: after the failure message the user may retry (once space is freed or
// the folder fixed), save a copy elsewhere, or give up, which says plainly
// that the changes are lost. What the save says about another version of the
// file (where it was kept) is shown as well.
class SaveWithRecovery
{
public:
    using Save = std::function<SaveResult()>;
    using SaveCopy = std::function<SaveResult(const QString &path)>;

    // `what` names the file in the texts: "data file" or "help file".
    SaveWithRecovery(QWidget *parent, QString what, Save save, SaveCopy saveCopy);

    // True once the store is on disk, in its file or in a copy.
    bool run();

private:
    enum class Choice { Retry, SaveCopy, GiveUp };

    Choice ask(const QString &failure);
    bool saveCopy(SaveResult &result);

    QWidget *m_parent; // where the boxes open: see messageBoxParent()
    QString m_what;
    Save m_save;
    SaveCopy m_saveCopy;
};
