#pragma once

#include "datatool/filechecker.h"
#include "datatool/outputguard.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

class QIODevice;

// The commands of vorrak-data. Normal output goes to `out`, each problem as
// one line to `err`; run() returns the exit status: 0 success, 1 invalid or
// unreadable input or unwritable output, 2 wrong usage.
class DataTool
{
public:
    DataTool(QIODevice *out, QIODevice *err);

    // `arguments` without the program name.
    int run(const QStringList &arguments);

    static QString usage();

private:
    int exportFile(const QStringList &operands);
    int importFile(const QString &jsonPath, const QString &outPath);
    int checkFile(const QString &path);
    int lintFile(const QString &path);
    int webPage(const QStringList &operands);
    // "Usage:" and the lines of one command, or a usage error for no command.
    int commandHelp(const QString &command);

    // Every file is read and written through these. A failure's text is
    // the problem to report for `path`.
    // Every file read is an input that no output of the command replaces.
    Result<> readFile(const QString &path, QByteArray &bytes);
    // Writes a file of `kind`, only over a file of the same kind.
    Result<> writeFile(const QString &path, OutputGuard::Kind kind, const QByteArray &bytes);
    // Checks the bytes of a data or help file.
    Result<> checkBytes(const QString &path, const QByteArray &bytes, FileChecker::Report &report);
    // A valid file's records, read from its bytes by the libraries' own readers.
    Result<> readContent(const QString &path, const QByteArray &bytes, FileContent &content);
    // A data or help file of the kind wanted, binary or in its JSON form.
    Result<> readConvertible(const QString &path, const FileKind &wanted, FileContent &content);
    int usageError(const QString &problem);
    // The exit status of a command that ends with `result` for `path`, its
    // failure reported.
    int finish(const QString &path, const Result<> &result);

    QIODevice *m_out;
    QIODevice *m_err;
    OutputGuard m_guard;
};
