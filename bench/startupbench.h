#pragma once

class Report;
class QString;

// Each program's start-up to its first shown dialog, as separate processes
// on the offscreen platform: with no data, with the sample data and with the
// large data file, next to an empty dialog program as the baseline.
// `probe` is the path of the probe programs without their "-calculator" or
// "-admin" ending. Also the
// peak memory with the large file above the program's own empty start.
void runStartupBenchmarks(Report &report, const QString &probe, const QString &sampleDir, const QString &largeDir,
                          const QString &emptyDir, int rounds);
