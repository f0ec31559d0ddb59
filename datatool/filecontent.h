#pragma once

#include "common/fileformat.h"
#include "common/storefile.h"

#include <QByteArray>
#include <QList>

#include <any>

class FieldChecker;
class JsonImporter;
class JsonWriter;
class QIODevice;
class QJsonValue;
struct FileContent;

// One kind of Vorrak file as vorrak-data handles it: the library's format and
// what the tool adds to it. Each kind is described here once; the tool picks
// a kind by a file's magic number or by the "format" of its JSON form, and
// otherwise does not name one.
struct FileKind
{
    const FileFormat &format;
    const char *holds; // "tradeskill data": what a file of the kind holds, in messages
    const char *jsonFormat; // the JSON form's "format", "vorrak-data"
    QLatin1String jsonList; // the JSON form's list of records, "groups"

    // The library's reader and writer, on the content's own list.
    ReadResult (*read)(QIODevice *device, FileContent &content);
    bool (*write)(QIODevice *device, const FileContent &content);
    // The format's walk, with the checker as its visitor.
    bool (*check)(FieldChecker &checker);
    // The JSON form of the list, and one record of it read back and appended.
    void (*writeJson)(JsonWriter &json, const FileContent &content);
    bool (JsonImporter::*readJson)(const QJsonValue &value, const QString &path, FileContent &content);

    static const FileKind Data;
    static const FileKind Help;
    static const QList<const FileKind *> &all();
    // The kind, or nullptr for none.
    static const FileKind *byMagic(qint32 magic);
    static const FileKind *byJsonFormat(const QString &format);
};

// What one Vorrak file holds, in the form both directions of the JSON
// conversion share. Bytes after the last record are no part of the store
// but are kept, so that a file converted to JSON and back is byte-identical.
struct FileContent
{
    const FileKind *kind = &FileKind::Data;
    // The kind's list of records, which only the kind's own functions and
    // the commands made for that kind look into: QList<ProcGroup> for
    // FileKind::Data, QList<HelpTopic> for FileKind::Help.
    std::any records;
    QByteArray trailingBytes;

    // The records as a list of `Record`, empty until something is added.
    // Reading, a content that holds records of another type holds none of
    // these; writing into it is a programming error.
    template <class Record>
    QList<Record> &list()
    {
        if (!records.has_value())
            records = QList<Record>();
        return std::any_cast<QList<Record> &>(records);
    }
    template <class Record>
    const QList<Record> &list() const
    {
        static const QList<Record> none;
        const auto *held = std::any_cast<QList<Record>>(&records);
        return held ? *held : none;
    }

    // The file image, written by the libraries' own writers.
    QByteArray toBinary() const;
};
