#pragma once

#include "common/result.h"

#include <QString>

// What the body editor opens: a body its text edit shows within a fraction
// of a second (measured on Qt 6.4 with scripts/bench.sh --only body). The
// editor never cuts a body, so a larger one is refused and left as it is.
namespace BodyEditLimit {

constexpr qsizetype MaxSize = 300000;   // characters
constexpr qsizetype MaxLine = 100000;   // characters of one line

// Ok for a body the editor opens; else the refusal, which says the body's
// size and how to edit it through its JSON form.
Result<> mayOpen(const QString &body);

} // namespace BodyEditLimit
