#pragma once

#include "messagehandler.h"

#include <QDataStream>
#include <QString>
#include <functional>

// Writes a whole file through a temporary file that replaces the target only
// when every byte was written, so a failure (full disk, no permission, a
// crash) leaves the old file as it was. Failures are logged with the path
// and the reason and handed to the program's message handler.
class BinaryFileWriter
{
public:
    // `what` names the file in messages: "data file" or "help file".
    BinaryFileWriter(QString path, QString what, MessageHandler showMessage);

    // Runs `write` on a big-endian stream and commits. Returns true when the
    // target file now holds exactly what `write` produced.
    bool write(const std::function<void(QDataStream &out)> &write);

    // Reports a failure that happened before anything was opened.
    void reportFailure(const QString &reason) const;

private:
    QString m_path;
    QString m_what;
    MessageHandler m_showMessage;
};
