#pragma once

class Report;
class QString;

// Loading and saving the large generated data file in `dir` against a bare
// loop of the same stream reads and a raw write of the same bytes.
void runFileBenchmarks(Report &report, const QString &dir, int rounds);
