#pragma once

#include "filechecker.h"

#include <QByteArray>
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
    int exportFile(const QString &path);
    int importFile(const QString &jsonPath, const QString &outPath);
    int checkFile(const QString &path);

    bool readFile(const QString &path, QByteArray &bytes);
    // Reads a data or help file and checks it; an invalid one is reported.
    bool readValidFile(const QString &path, QByteArray &bytes, FileChecker::Report &report);
    int usageError(const QString &problem);
    int inputError(const QString &path, const QString &problem);

    QIODevice *m_out;
    QIODevice *m_err;
};
