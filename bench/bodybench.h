#pragma once

class Report;
class QString;

// Opening help bodies made to hurt, each in a separate process on the
// offscreen platform: in the help body view and in the body editor, from
// the pressing of the key to the laid-out, painted body, next to a short
// ordinary body as the baseline. Target: under one second each. `probe` is
// the body probe program.
void runBodyBenchmarks(Report &report, const QString &probe, const QString &workDir);
