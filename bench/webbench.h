#pragma once

class Report;
class QString;

// The published web calculator: `vorrak-data web` on the large data file
// next to the sample data, the page's size, and the time from opening the
// page in headless Chromium to the first result shown after "GO!", with the
// sample's page as the baseline. Help bodies made to slow the page builder
// down (stray '&', dropped elements) against plain text. Also what reading every group's block at
// once would cost the large page, which the page avoids by reading a group
// only when it is chosen.
void runWebBenchmarks(Report &report, const QString &tool, const QString &sampleDir, const QString &largeDir,
                      int rounds);
