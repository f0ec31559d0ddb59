#pragma once

#include "common/regularfile.h"
#include "common/result.h"
#include "datatool/filecontent.h"

#include <QByteArray>
#include <QList>
#include <QString>

// What vorrak-data may write over. An output never replaces one of the
// command's own inputs, nor an existing file of another kind than the one
// written: right after an editing session a data or help file may hold the
// only copy of the edits, and a name given in the wrong place must not turn
// it into a web page. An empty file is of no kind and may be replaced.
class OutputGuard
{
public:
    // None: nothing to guard, no file or an empty one.
    enum class Form { File, Json, WebPage, Other, None };
    // A Vorrak file or its JSON form, of one FileKind, or another kind of file.
    struct Kind
    {
        Form form = Form::Other;
        const FileKind *file = nullptr; // for File and Json

        bool operator==(const Kind &other) const { return form == other.form && file == other.file; }
    };

    // The kind that the first bytes of a file show.
    static Kind kindOf(const QByteArray &head);
    // The kind of the regular file at `path`, Form::None if it is missing,
    // not a regular file or empty (the writer deals with those); a failure,
    // with the reason, if what it holds cannot be read.
    static Result<Kind> existingKind(const QString &path);
    // "a Vorrak data file", "the JSON form of a help file", "a web page", ...
    static QString describe(Kind kind);

    void addInput(const FileIdentity &identity) { m_inputs.append(identity); }
    // Whether `path` may be written with a file of `kind`, and if not why.
    Result<> mayWrite(const QString &path, Kind kind) const;

private:
    QList<FileIdentity> m_inputs;
};
