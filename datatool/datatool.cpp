#include "datatool.h"

#include "filechecker.h"
#include "helpfile.h"
#include "jsonexport.h"
#include "jsonimporter.h"
#include "regularfile.h"
#include "tradeskillfile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

DataTool::DataTool(QIODevice *out, QIODevice *err)
    : m_out(out)
    , m_err(err)
{
}

QString DataTool::usage()
{
    return QStringLiteral(
        "Usage: vorrak-data COMMAND ...\n"
        "Converts the Vorrak data file (Vorrak.dat) and help file (Vorrak.hlp) to and from JSON.\n"
        "\n"
        "  vorrak-data export FILE        print FILE (data or help file) as JSON\n"
        "  vorrak-data import JSON OUT    write the binary file described by JSON to OUT\n"
        "  vorrak-data check FILE         tell whether FILE is a valid data or help file\n"
        "  vorrak-data --help             show this text\n"
        "\n"
        "Exit status: 0 success, 1 invalid or unreadable input or unwritable output, 2 wrong usage.\n");
}

int DataTool::run(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return usageError(QStringLiteral("missing command"));
    const QString command = arguments.first();
    const qsizetype operands = arguments.size() - 1;
    if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help")) {
        m_out->write(usage().toUtf8());
        return Success;
    }
    if (command == QLatin1String("export")) {
        if (operands != 1)
            return usageError(QStringLiteral("export takes one file: vorrak-data export FILE"));
        return exportFile(arguments.at(1));
    }
    if (command == QLatin1String("import")) {
        if (operands != 2)
            return usageError(QStringLiteral("import takes two files: vorrak-data import JSON OUT"));
        return importFile(arguments.at(1), arguments.at(2));
    }
    if (command == QLatin1String("check")) {
        if (operands != 1)
            return usageError(QStringLiteral("check takes one file: vorrak-data check FILE"));
        return checkFile(arguments.at(1));
    }
    return usageError(QStringLiteral("unknown command \"%1\"").arg(command));
}

int DataTool::usageError(const QString &problem)
{
    m_err->write(QStringLiteral("vorrak-data: %1 (see vorrak-data --help)\n").arg(problem).toUtf8());
    return WrongUsage;
}

int DataTool::inputError(const QString &path, const QString &problem)
{
    m_err->write(QStringLiteral("vorrak-data: %1: %2\n").arg(path, problem).toUtf8());
    return InvalidInput;
}

bool DataTool::readFile(const QString &path, QByteArray &bytes)
{
    // Only a regular file is opened, and no more than its size is read: a
    // FIFO or a device would block or never end.
    QFile file;
    QString reason;
    switch (RegularFile::open(path, file, nullptr, &reason)) {
    case RegularFile::Status::Missing:
        inputError(path, QStringLiteral("cannot read: No such file or directory"));
        return false;
    case RegularFile::Status::NotRegular:
        inputError(path, QFileInfo(path).isDir() ? QStringLiteral("cannot read: it is a directory")
                                                 : QStringLiteral("cannot read: not a regular file"));
        return false;
    case RegularFile::Status::Failed:
        inputError(path, QStringLiteral("cannot read: %1").arg(reason));
        return false;
    case RegularFile::Status::Opened:
        break;
    }
    bytes = file.read(file.size());
    if (file.error() != QFileDevice::NoError) {
        inputError(path, QStringLiteral("cannot read: %1").arg(file.errorString()));
        return false;
    }
    return true;
}

bool DataTool::readValidFile(const QString &path, QByteArray &bytes, FileChecker::Report &report)
{
    if (!readFile(path, bytes))
        return false;
    report = FileChecker(bytes).check();
    if (!report.valid) {
        inputError(path, report.describeProblem());
        return false;
    }
    return true;
}

int DataTool::exportFile(const QString &path)
{
    QByteArray bytes;
    FileChecker::Report report;
    if (!readValidFile(path, bytes, report))
        return InvalidInput;

    // The records come from the libraries' own readers; the checker only
    // found where they end.
    FileContent content;
    content.kind = report.kind;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const bool read = report.kind == FileContent::Kind::Data
        ? TradeskillFile::read(&buffer, content.groups, "Groups: %d") == TradeskillFile::ReadResult::Ok
        : HelpFile::read(&buffer, content.topics) == HelpFile::ReadResult::Ok;
    if (!read)
        return inputError(path, QStringLiteral("the file could not be read"));
    content.trailingBytes = bytes.mid(report.end);
    m_out->write(JsonExport::toJson(content));
    return Success;
}

int DataTool::importFile(const QString &jsonPath, const QString &outPath)
{
    QByteArray json;
    if (!readFile(jsonPath, json))
        return InvalidInput;
    FileContent content;
    JsonImporter importer;
    if (!importer.read(json, content))
        return inputError(jsonPath, importer.error());

    // Only a regular file is ever replaced, never a device, FIFO or directory.
    QString error;
    const FileIdentity target = FileIdentity::ofPath(outPath, &error);
    if (!error.isEmpty())
        return inputError(outPath, QStringLiteral("cannot write: %1").arg(error));
    if (target.exists && !target.regular)
        return inputError(outPath, QStringLiteral("cannot write: not a regular file"));
    // QSaveFile replaces the target only once every byte is written.
    QSaveFile file(outPath);
    if (!file.open(QIODevice::WriteOnly))
        return inputError(outPath, QStringLiteral("cannot write: %1").arg(file.errorString()));
    const QByteArray bytes = content.toBinary();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return inputError(outPath, QStringLiteral("cannot write: %1").arg(reason));
    }
    if (!file.commit())
        return inputError(outPath, QStringLiteral("cannot write: %1").arg(file.errorString()));
    return Success;
}

int DataTool::checkFile(const QString &path)
{
    QByteArray bytes;
    FileChecker::Report report;
    if (!readValidFile(path, bytes, report))
        return InvalidInput;
    m_out->write(QStringLiteral("%1: %2\n").arg(path, report.describeValid()).toUtf8());
    return Success;
}
