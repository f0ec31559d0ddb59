#pragma once

#include <QString>

class QIODevice;

// The one-line problem reports of vorrak-data on standard error; each
// returns the exit status that goes with it.
namespace ToolMessages {

// The exit statuses of vorrak-data.
constexpr int Success = 0;
constexpr int InvalidInput = 1;
constexpr int WrongUsage = 2;

// "vorrak-data: PROBLEM (see vorrak-data --help)", exit status 2.
int usageError(QIODevice *err, const QString &problem);
// "vorrak-data: WHERE: PROBLEM", exit status 1.
int inputError(QIODevice *err, const QString &where, const QString &problem);

} // namespace ToolMessages
