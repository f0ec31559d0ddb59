#include "datatool/toolmessages.h"

#include <QIODevice>

namespace ToolMessages {

int usageError(QIODevice *err, const QString &problem)
{
    err->write(QStringLiteral("vorrak-data: %1 (see vorrak-data --help)\n").arg(problem).toUtf8());
    return WrongUsage;
}

int inputError(QIODevice *err, const QString &where, const QString &problem)
{
    err->write(QStringLiteral("vorrak-data: %1: %2\n").arg(where, problem).toUtf8());
    return InvalidInput;
}

int finish(QIODevice *err, const QString &where, const Result<Problem> &result)
{
    if (result)
        return Success;
    if (result.status() == Problem::WrongUsage)
        return usageError(err, where + QLatin1String(": ") + result.text());
    return inputError(err, where, result.text());
}

int finish(QIODevice *err, const QString &where, const Result<> &result)
{
    return result ? Success : inputError(err, where, result.text());
}

} // namespace ToolMessages
