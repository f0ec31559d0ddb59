#pragma once

class Report;
class QString;

// Peak memory of loading a sparse 1 GB data file (processes of 65,535 empty
// requirements each, a few MB on disk) and of the same file cut by one byte,
// each in a fresh process against the same process loading nothing.
void runMemoryBenchmarks(Report &report, const QString &workDir, const QString &self);

// The child's side: loads Vorrak.dat in the current directory, prints
// "peak <kB> groups <n>" and ends.
int runLoadProbe();
