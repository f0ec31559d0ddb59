#include "datatool/datatool.h"

#include "common/binaryfilewriter.h"
#include "common/filelock.h"
#include "common/regularfile.h"
#include "common/vorrakrelease.h"
#include "datatool/calccommand.h"
#include "datatool/datalinter.h"
#include "datatool/filechecker.h"
#include "datatool/jsonexport.h"
#include "datatool/jsonimporter.h"
#include "datatool/toolmessages.h"
#include "datatool/webpage.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

using ToolMessages::InvalidInput;
using ToolMessages::Success;

namespace {

// The kind of file written for `content`, binary or in its JSON form.
OutputGuard::Kind storeKind(const FileContent &content, bool json)
{
    return {json ? OutputGuard::Form::Json : OutputGuard::Form::File, content.kind};
}

// Each command's lines of the usage text, as the full text shows them.
QString commandUsage(const QString &command)
{
    if (command == QLatin1String("export"))
        return QStringLiteral(
            "  vorrak-data export FILE [-o OUT]\n"
            "                                 print FILE (data or help file) as JSON, or write it to OUT;\n"
            "                                 OUT is replaced only once all of it is written\n");
    if (command == QLatin1String("import"))
        return QStringLiteral("  vorrak-data import JSON OUT    write the binary file described by JSON to OUT\n");
    if (command == QLatin1String("check"))
        return QStringLiteral("  vorrak-data check FILE         tell whether FILE is a valid data or help file\n");
    if (command == QLatin1String("lint"))
        return QStringLiteral(
            "  vorrak-data lint FILE          list what in a data file (binary or JSON) is likely a mistake:\n"
            "                                 Min QL above Max QL, a Min or Max QL of 0, empty names,\n"
            "                                 multipliers that are no plain decimal number or negative,\n"
            "                                 kinds other than 0 and 1, a name twice in one list;\n"
            "                                 exit status 1 when it finds any\n");
    if (command == QLatin1String("web"))
        return QStringLiteral(
            "  vorrak-data web DATA [HELP] OUT.html\n"
            "                                 write a web calculator for DATA (and the topics of HELP) as one\n"
            "                                 HTML file that works offline in any browser\n");
    if (command == QLatin1String("calc"))
        return CalcCommand::usage();
    return QString();
}

} // namespace

DataTool::DataTool(QIODevice *out, QIODevice *err)
    : m_out(out)
    , m_err(err)
{
}

QString DataTool::usage()
{
    return QStringLiteral(
        "Usage: vorrak-data COMMAND ...\n"
        "Converts the Vorrak data file (Vorrak.dat) and help file (Vorrak.hlp) to and from JSON,\n"
        "checks them, answers the calculator's questions and publishes a web calculator.\n"
        "\n")
        + commandUsage(QStringLiteral("export")) + commandUsage(QStringLiteral("import"))
        + commandUsage(QStringLiteral("check")) + commandUsage(QStringLiteral("lint"))
        + commandUsage(QStringLiteral("web"))
        + QStringLiteral("      lint, web and calc read data and help files in their binary or their JSON form.\n"
                         "      No output replaces one of the command's inputs or an existing file of another kind.\n")
        + commandUsage(QStringLiteral("calc"))
        + QStringLiteral(
        "  vorrak-data COMMAND --help     show the usage of one command (or vorrak-data help COMMAND)\n"
        "  vorrak-data --help             show this text\n"
        "  vorrak-data --version          show the version\n"
        "\n"
        "Exit status: 0 success, 1 invalid or unreadable input or unwritable output, or findings of\n"
        "lint, 2 wrong usage.\n");
}

int DataTool::commandHelp(const QString &command)
{
    const QString lines = commandUsage(command);
    if (lines.isEmpty())
        return usageError(QStringLiteral("unknown command \"%1\"").arg(command));
    m_out->write((QStringLiteral("Usage:\n") + lines).toUtf8());
    return Success;
}

int DataTool::run(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return usageError(QStringLiteral("missing command"));
    const QString command = arguments.first();
    const qsizetype operands = arguments.size() - 1;
    if (command == QLatin1String("help") && operands > 0 && arguments.at(1) != QLatin1String("help"))
        return commandHelp(arguments.at(1));
    if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help")) {
        m_out->write(usage().toUtf8());
        return Success;
    }
    // "--help" or "-h" anywhere after a command asks for that command's usage.
    if (!commandUsage(command).isEmpty()
        && (arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h"))))
        return commandHelp(command);
    if (command == QLatin1String("--version")) {
        m_out->write("vorrak-data " VORRAK_VERSION "\n");
        return Success;
    }
    if (command == QLatin1String("export"))
        return exportFile(arguments.mid(1));
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
    if (command == QLatin1String("lint")) {
        if (operands != 1)
            return usageError(QStringLiteral("lint takes one file: vorrak-data lint FILE"));
        return lintFile(arguments.at(1));
    }
    if (command == QLatin1String("web"))
        return webPage(arguments.mid(1));
    if (command == QLatin1String("calc")) {
        CalcCommand calc(m_out, m_err, [this](const QString &path, QList<ProcGroup> &groups) {
            FileContent data;
            if (!readConvertible(path, FileKind::Data, data))
                return false;
            groups = std::move(data.groups);
            return true;
        });
        return calc.run(arguments.mid(1));
    }
    return usageError(QStringLiteral("unknown command \"%1\"").arg(command));
}

int DataTool::usageError(const QString &problem)
{
    return ToolMessages::usageError(m_err, problem);
}

int DataTool::inputError(const QString &path, const QString &problem)
{
    return ToolMessages::inputError(m_err, path, problem);
}

bool DataTool::readFile(const QString &path, QByteArray &bytes)
{
    // Only a regular file is opened, and no more than its size is read: a
    // FIFO or a device would block or never end.
    QFile file;
    QString reason;
    FileIdentity identity;
    switch (RegularFile::open(path, file, &identity, &reason)) {
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
    m_guard.addInput(identity);
    bytes = file.read(file.size());
    if (file.error() != QFileDevice::NoError) {
        inputError(path, QStringLiteral("cannot read: %1").arg(file.errorString()));
        return false;
    }
    return true;
}

bool DataTool::writeFile(const QString &path, OutputGuard::Kind kind, const QByteArray &bytes)
{
    // The programs' own lock and saver: the target is checked and replaced
    // while no other Vorrak program writes it, only once every byte is
    // written, and only if it is a regular file.
    const FileLock lock(path);
    if (!lock.isLocked()) {
        inputError(path, QStringLiteral("cannot write: %1").arg(lock.reason()));
        return false;
    }
    const QString refusal = m_guard.refusal(path, kind);
    if (!refusal.isEmpty()) {
        inputError(path, refusal);
        return false;
    }
    const BinaryFileWriter::Result result = BinaryFileWriter::write(
        path, [&bytes](QDataStream &out) {
            // writeRawData takes an int length: hand it the bytes in pieces.
            constexpr qsizetype Piece = qsizetype(1) << 30;
            for (qsizetype at = 0; at < bytes.size() && out.status() == QDataStream::Ok; at += Piece)
                out.writeRawData(bytes.constData() + at, int(qMin(Piece, bytes.size() - at)));
        });
    if (!result.written) {
        inputError(path, result.notRegular ? QStringLiteral("cannot write: not a regular file")
                                           : QStringLiteral("cannot write: %1").arg(result.reason));
        return false;
    }
    return true;
}

bool DataTool::checkBytes(const QString &path, const QByteArray &bytes, FileChecker::Report &report)
{
    report = FileChecker(bytes).check();
    if (!report.recognized && JsonImporter::looksLikeJson(bytes)) {
        inputError(path, QStringLiteral("this is JSON, not a data or help file; "
                                        "vorrak-data import %1 OUT makes one of it").arg(path));
        return false;
    }
    if (!report.valid) {
        inputError(path, report.describeProblem());
        return false;
    }
    return true;
}

bool DataTool::readContent(const QString &path, const QByteArray &bytes, FileContent &content)
{
    // The records come from the libraries' own readers, which check each
    // file as they read it; only a file they refuse is walked again by the
    // checker, to say what is wrong and where.
    const FileKind *kind = bytes.size() >= 4 ? FileKind::byMagic(qFromBigEndian<qint32>(bytes.constData())) : nullptr;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    if (!kind || kind->read(&buffer, content) != ReadResult::Ok) {
        content = FileContent();
        FileChecker::Report report;
        if (checkBytes(path, bytes, report))
            inputError(path, QStringLiteral("the file could not be read"));
        return false;
    }
    content.kind = kind;
    // The readers leave the device after the last record.
    content.trailingBytes = bytes.mid(buffer.pos());
    return true;
}

bool DataTool::readConvertible(const QString &path, const FileKind &wanted, FileContent &content)
{
    QByteArray bytes;
    if (!readFile(path, bytes))
        return false;
    if (!JsonImporter::looksLikeJson(bytes)) {
        if (!readContent(path, bytes, content))
            return false;
    } else {
        JsonImporter importer;
        if (!importer.read(bytes, content)) {
            inputError(path, importer.error());
            return false;
        }
    }
    if (content.kind != &wanted) {
        inputError(
            path,
            QStringLiteral("this is %1, not %2").arg(QLatin1String(content.kind->holds), QLatin1String(wanted.holds)));
        return false;
    }
    return true;
}

int DataTool::exportFile(const QStringList &operands)
{
    QString path;
    QString outPath;
    for (int i = 0; i < operands.size(); ++i) {
        if (operands.at(i) == QLatin1String("-o") && i + 1 < operands.size() && outPath.isEmpty())
            outPath = operands.at(++i);
        else if (path.isEmpty() && operands.at(i) != QLatin1String("-o"))
            path = operands.at(i);
        else
            return usageError(QStringLiteral("export takes one file: vorrak-data export FILE [-o OUT]"));
    }
    if (path.isEmpty())
        return usageError(QStringLiteral("export takes one file: vorrak-data export FILE [-o OUT]"));

    QByteArray bytes;
    FileContent content;
    if (!readFile(path, bytes) || !readContent(path, bytes, content))
        return InvalidInput;
    const QByteArray json = JsonExport::toJson(content);
    if (outPath.isEmpty()) {
        m_out->write(json);
        return Success;
    }
    return writeFile(outPath, storeKind(content, true), json) ? Success : InvalidInput;
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

    return writeFile(outPath, storeKind(content, false), content.toBinary()) ? Success : InvalidInput;
}

int DataTool::checkFile(const QString &path)
{
    QByteArray bytes;
    FileChecker::Report report;
    if (!readFile(path, bytes) || !checkBytes(path, bytes, report))
        return InvalidInput;
    m_out->write(QStringLiteral("%1: %2\n").arg(path, report.describeValid()).toUtf8());
    return Success;
}

int DataTool::lintFile(const QString &path)
{
    FileContent data;
    if (!readConvertible(path, FileKind::Data, data))
        return InvalidInput;
    const QStringList findings = DataLinter::check(data.groups);
    for (const QString &finding : findings)
        m_out->write(QStringLiteral("%1: %2\n").arg(path, finding).toUtf8());
    return findings.isEmpty() ? Success : InvalidInput;
}

int DataTool::webPage(const QStringList &operands)
{
    if (operands.size() != 2 && operands.size() != 3)
        return usageError(QStringLiteral("web takes a data file, maybe a help file, and the page to write: "
                                         "vorrak-data web DATA [HELP] OUT.html"));
    // "web DATA HELP", the page forgotten, must not make a page of the help file.
    OutputGuard::Kind kind;
    const QString &last = operands.last();
    if (operands.size() == 2
        && (last.endsWith(QLatin1String(".hlp"), Qt::CaseInsensitive)
            || (OutputGuard::existingKind(last, kind) && kind.file == &FileKind::Help)))
        return usageError(QStringLiteral("web: \"%1\" could be the help file or the page to write; name the page "
                                         "last: vorrak-data web DATA [HELP] OUT.html")
                              .arg(last));
    FileContent data;
    FileContent help;
    if (!readConvertible(operands.first(), FileKind::Data, data))
        return InvalidInput;
    if (operands.size() == 3 && !readConvertible(operands.at(1), FileKind::Help, help))
        return InvalidInput;
    return writeFile(last, {OutputGuard::Form::WebPage}, WebPage::build(data.groups, help.topics)) ? Success
                                                                                                   : InvalidInput;
}
