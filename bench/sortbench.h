#pragma once

class Report;

// The editor's group sort on 65535 groups with random names against the
// plain quadratic insertion sort it replaces.
void runSortBenchmark(Report &report);
