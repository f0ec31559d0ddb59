#pragma once

#include "common/result.h"

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

// What made a step of a command fail, which decides the exit status; a
// failure without one is invalid input.
enum class Problem { InvalidInput, WrongUsage };

// The exit status of a command that ended with `result`, a failure reported
// first for `where`: as usageError() does, "vorrak-data: WHERE: PROBLEM
// (see vorrak-data --help)", for wrong usage, else as inputError() does.
int finish(QIODevice *err, const QString &where, const Result<Problem> &result);
// The same for a step whose every failure is invalid input.
int finish(QIODevice *err, const QString &where, const Result<> &result);

} // namespace ToolMessages
