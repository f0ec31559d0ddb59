#include "datatool/datatool.h"
#include "datatool/toolmessages.h"

#include <QCoreApplication>
#include <QFile>
#include <QLoggingCategory>

#include <cstdio>
#include <new>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The libraries' progress lines are for the GUI programs; QT_LOGGING_RULES
    // still turns them on.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));

    QFile out;
    QFile err;
    out.open(stdout, QIODevice::WriteOnly);
    err.open(stderr, QIODevice::WriteOnly);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    int status;
    try {
        status = DataTool(&out, &err).run(arguments);
    } catch (const std::bad_alloc &) {
        // A file far larger than the memory: said in one line like any other input error.
        err.write("vorrak-data: out of memory\n");
        status = ToolMessages::InvalidInput;
    }
    // A full disk or a closed pipe behind standard output must not pass for success.
    if (!out.flush() || out.error() != QFileDevice::NoError) {
        err.write(QStringLiteral("vorrak-data: cannot write to standard output: %1\n").arg(out.errorString()).toUtf8());
        status = ToolMessages::InvalidInput;
    }
    return status;
}
