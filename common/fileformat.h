#pragma once

#include <QtGlobal>

#include <iterator>

// A kind of record in a Vorrak file, as messages name it: "group", "groups".
struct RecordName
{
    const char *one;
    const char *many;
};

// What each Vorrak file format says of itself; the libraries provide one
// each (TradeskillFile::Format, HelpFile::Format), and whatever handles both
// files picks the one it needs from them instead of naming either.
struct FileFormat
{
    qint32 magic; // the first four bytes, big-endian
    const char *fileName; // "Vorrak.dat", in the current directory
    const char *what; // "data file", in messages and log lines
    // Its kinds of record, outermost first ("group", "process", ...); the
    // first is what the file counts.
    const RecordName *records;
    int recordKinds;

    const char *record() const { return records[0].one; }
};
