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
            const Result<> read = readConvertible(path, FileKind::Data, data);
            if (read)
                groups = std::move(data.list<ProcGroup>());
            return read;
        });
        return calc.run(arguments.mid(1));
    }
    return usageError(QStringLiteral("unknown command \"%1\"").arg(command));
}

int DataTool::usageError(const QString &problem)
{
    return ToolMessages::usageError(m_err, problem);
}

int DataTool::finish(const QString &path, const Result<> &result)
{
    return ToolMessages::finish(m_err, path, result);
}

Result<> DataTool::readFile(const QString &path, QByteArray &bytes)
{
    // Only a regular file is opened, and no more than its size is read: a
    // FIFO or a device would block or never end.
    QFile file;
    FileIdentity identity;
    const Result<RegularFile::Status> opened = RegularFile::open(path, file, &identity);
    if (opened.status() == RegularFile::Status::NotRegular)
        return Result<>::failure(QFileInfo(path).isDir() ? QStringLiteral("cannot read: it is a directory")
                                                         : QStringLiteral("cannot read: not a regular file"));
    if (!opened)
        return Result<>::failure(QStringLiteral("cannot read: %1").arg(opened.text()));
    m_guard.addInput(identity);
    bytes = file.read(file.size());
    if (file.error() != QFileDevice::NoError)
        return Result<>::failure(QStringLiteral("cannot read: %1").arg(file.errorString()));
    return Result<>::ok();
}

Result<> DataTool::writeFile(const QString &path, OutputGuard::Kind kind, const QByteArray &bytes)
{
    // The programs' own lock and saver: the target is checked and replaced
    // while no other Vorrak program writes it, only once every byte is
    // written, and only if it is a regular file.
    const FileLock lock(path);
    if (!lock.locked())
        return Result<>::failure(QStringLiteral("cannot write: %1").arg(lock.locked().text()));
    const Result<> allowed = m_guard.mayWrite(path, kind);
    if (!allowed)
        return allowed;
    const Result<BinaryFileWriter::Status> written
        = BinaryFileWriter::write(path, [&bytes](QIODevice *device) { return device->write(bytes) == bytes.size(); });
    if (!written)
        return Result<>::failure(written.status() == BinaryFileWriter::Status::NotRegular
                                     ? QStringLiteral("cannot write: not a regular file")
                                     : QStringLiteral("cannot write: %1").arg(written.text()));
    return Result<>::ok();
}

Result<> DataTool::checkBytes(const QString &path, const QByteArray &bytes, FileChecker::Report &report)
{
    report = FileChecker(bytes).check();
    if (!report.recognized && JsonImporter::looksLikeJson(bytes))
        return Result<>::failure(QStringLiteral("this is JSON, not a data or help file; "
                                                "vorrak-data import %1 OUT makes one of it")
                                     .arg(path));
    return report.outcome;
}

Result<> DataTool::readContent(const QString &path, const QByteArray &bytes, FileContent &content)
{
    // The records come from the libraries' own readers, which check each
    // file as they read it; only a file they refuse is walked again by the
    // checker, to say what is wrong and where.
    const FileKind *kind = bytes.size() >= 4 ? FileKind::byMagic(qFromBigEndian<qint32>(bytes.constData())) : nullptr;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    if (!kind || !kind->read(&buffer, content)) {
        content = FileContent();
        FileChecker::Report report;
        const Result<> checked = checkBytes(path, bytes, report);
        return checked ? Result<>::failure(QStringLiteral("the file could not be read")) : checked;
    }
    content.kind = kind;
    // The readers leave the device after the last record.
    content.trailingBytes = bytes.mid(buffer.pos());
    return Result<>::ok();
}

Result<> DataTool::readConvertible(const QString &path, const FileKind &wanted, FileContent &content)
{
    QByteArray bytes;
    const Result<> file = readFile(path, bytes);
    if (!file)
        return file;
    const Result<> read
        = JsonImporter::looksLikeJson(bytes) ? JsonImporter().read(bytes, content) : readContent(path, bytes, content);
    if (!read)
        return read;
    if (content.kind != &wanted)
        return Result<>::failure(
            QStringLiteral("this is %1, not %2").arg(QLatin1String(content.kind->holds), QLatin1String(wanted.holds)));
    return Result<>::ok();
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
    Result<> read = readFile(path, bytes);
    if (read)
        read = readContent(path, bytes, content);
    if (!read)
        return finish(path, read);
    const QByteArray json = JsonExport::toJson(content);
    if (outPath.isEmpty()) {
        m_out->write(json);
        return Success;
    }
    return finish(outPath, writeFile(outPath, storeKind(content, true), json));
}

int DataTool::importFile(const QString &jsonPath, const QString &outPath)
{
    QByteArray json;
    FileContent content;
    Result<> read = readFile(jsonPath, json);
    if (read)
        read = JsonImporter().read(json, content);
    if (!read)
        return finish(jsonPath, read);

    return finish(outPath, writeFile(outPath, storeKind(content, false), content.toBinary()));
}

int DataTool::checkFile(const QString &path)
{
    QByteArray bytes;
    FileChecker::Report report;
    Result<> checked = readFile(path, bytes);
    if (checked)
        checked = checkBytes(path, bytes, report);
    if (!checked)
        return finish(path, checked);
    m_out->write(QStringLiteral("%1: %2\n").arg(path, report.describeValid()).toUtf8());
    return Success;
}

int DataTool::lintFile(const QString &path)
{
    FileContent data;
    const Result<> read = readConvertible(path, FileKind::Data, data);
    if (!read)
        return finish(path, read);
    const QStringList findings = DataLinter::check(data.list<ProcGroup>());
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
    const QString &last = operands.last();
    if (operands.size() == 2
        && (last.endsWith(QLatin1String(".hlp"), Qt::CaseInsensitive)
            || OutputGuard::existingKind(last).status().file == &FileKind::Help))
        return usageError(QStringLiteral("web: \"%1\" could be the help file or the page to write; name the page "
                                         "last: vorrak-data web DATA [HELP] OUT.html")
                              .arg(last));
    FileContent data;
    FileContent help;
    const Result<> dataRead = readConvertible(operands.first(), FileKind::Data, data);
    if (!dataRead)
        return finish(operands.first(), dataRead);
    if (operands.size() == 3) {
        const Result<> helpRead = readConvertible(operands.at(1), FileKind::Help, help);
        if (!helpRead)
            return finish(operands.at(1), helpRead);
    }
    return finish(
        last,
        writeFile(last, {OutputGuard::Form::WebPage}, WebPage::build(data.list<ProcGroup>(), help.list<HelpTopic>())));
}
