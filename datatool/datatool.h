#pragma once

#include "filechecker.h"
#include "helptopic.h"
#include "procgroup.h"

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
    enum ExitStatus { Success = 0, InvalidInput = 1, WrongUsage = 2 };

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

    // Every file is read and written through these.
    bool readFile(const QString &path, QByteArray &bytes);
    bool writeFile(const QString &path, const QByteArray &bytes);
    // Reads a data or help file and checks it; an invalid one is reported.
    bool readValidFile(const QString &path, QByteArray &bytes, FileChecker::Report &report);
    // A valid file's records, read by the libraries' own readers.
    bool readContent(const QString &path, FileContent &content);
    // A data or help file, binary or in its JSON form.
    bool readConvertible(const QString &path, FileContent &content);
    bool readDataFile(const QString &path, QList<ProcGroup> &groups);
    bool readHelpFile(const QString &path, QList<HelpTopic> &topics);
    int usageError(const QString &problem);
    int inputError(const QString &path, const QString &problem);

    QIODevice *m_out;
    QIODevice *m_err;
};
