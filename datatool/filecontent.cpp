#include "datatool/filecontent.h"

#include "common/binaryfilewriter.h"
#include "datatool/filechecker.h"
#include "datatool/jsonexport.h"
#include "datatool/jsonformat.h"
#include "datatool/jsonimporter.h"
#include "help/helpfile.h"
#include "tradeskill/tradeskillfile.h"

#include <QIODevice>

const FileKind FileKind::Data{
    TradeskillFile::Format,
    "tradeskill data",
    JsonFormat::DataFormat,
    JsonFormat::Key::Groups,
    [](QIODevice *device, FileContent &content) {
        return TradeskillFile::read(device, content.list<ProcGroup>(), CountWord::Groups);
    },
    [](QIODevice *device, const FileContent &content) {
        return TradeskillFile::write(device, content.list<ProcGroup>());
    },
    [](FieldChecker &checker) { return TradeskillFile::walk(checker); },
    JsonExport::writeGroups,
    &JsonImporter::appendGroup,
};

const FileKind FileKind::Help{
    HelpFile::Format,
    "help",
    JsonFormat::HelpFormat,
    JsonFormat::Key::Topics,
    [](QIODevice *device, FileContent &content) { return HelpFile::read(device, content.list<HelpTopic>()); },
    [](QIODevice *device, const FileContent &content) { return HelpFile::write(device, content.list<HelpTopic>()); },
    [](FieldChecker &checker) { return HelpFile::walk(checker); },
    JsonExport::writeTopics,
    &JsonImporter::appendTopic,
};

const QList<const FileKind *> &FileKind::all()
{
    static const QList<const FileKind *> kinds{&Data, &Help};
    return kinds;
}

const FileKind *FileKind::byMagic(qint32 magic)
{
    for (const FileKind *kind : all()) {
        if (kind->format.magic == magic)
            return kind;
    }
    return nullptr;
}

const FileKind *FileKind::byJsonFormat(const QString &format)
{
    for (const FileKind *kind : all()) {
        if (format == QLatin1String(kind->jsonFormat))
            return kind;
    }
    return nullptr;
}

QByteArray FileContent::toBinary() const
{
    const QByteArray records
        = BinaryFileWriter::inMemory([this](QIODevice *device) { return kind->write(device, *this); });
    return records + trailingBytes;
}
