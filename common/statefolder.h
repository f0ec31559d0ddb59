#pragma once

#include <QDir>
#include <QString>

// Where the programs keep what must outlive a run or a failed save:
// "VorrakAdmin" in $XDG_STATE_HOME, else in ~/.local/state (a relative
// XDG_STATE_HOME is ignored, as the standard asks). Not created here.
inline QString vorrakStateFolder()
{
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/VorrakAdmin");
}
