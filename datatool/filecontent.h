#pragma once

#include "help/helptopic.h"
#include "tradeskill/procgroup.h"

#include <QByteArray>
#include <QList>

// What one Vorrak file holds, in the form both directions of the JSON
// conversion share. Bytes after the last record are no part of the store
// but are kept, so that a file converted to JSON and back is byte-identical.
struct FileContent
{
    enum class Kind { Data, Help };

    Kind kind = Kind::Data;
    QList<ProcGroup> groups;  // Kind::Data
    QList<HelpTopic> topics;  // Kind::Help
    QByteArray trailingBytes;

    // The file image, written by the libraries' own writers.
    QByteArray toBinary() const;
};
