#pragma once

#include "common/binaryfilewriter.h"

#include <QString>

// Writes a file over itself, for when no temporary file can be made beside
// it (a writable file in a folder the user may not write to), without ever
// leaving it cut with nothing to go back to. The new version is first
// written whole into a keeping folder and the old one copied there; room for
// the new version is reserved before the file's first byte changes; a write
// that fails midway puts the old bytes back. While the file is being
// written a warning line names both copies, so even a kill leaves the old
// file, the new one, or a named copy of each. Where the copies cannot be
// made, nothing is written and the save fails.
class InPlaceWriter
{
public:
    static Result<BinaryFileWriter::Status> write(const QString &path, const BinaryFileWriter::Writer &write);

    // Where the copies go: the programs' state folder, else the temporary
    // folder; empty when neither can be written.
    static QString keepingFolder();
};
