#include "datatool.h"

#include <QCoreApplication>
#include <QFile>
#include <QLoggingCategory>

#include <cstdio>

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
    return DataTool(&out, &err).run(arguments);
}
