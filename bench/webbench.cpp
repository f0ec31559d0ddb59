#include "bench/webbench.h"

#include "bench/comparison.h"
#include "bench/report.h"
#include "browser/headlesschromium.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QJsonObject>
#include <QUrl>

#include <algorithm>

namespace {

bool makePage(const QString &tool, const QStringList &inputs, const QString &page)
{
    QProcess process;
    process.start(tool, QStringList{QStringLiteral("web")} + inputs + QStringList{page});
    return process.waitForFinished(600000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// A help file in its JSON form with one topic of `body`.
bool writeHelp(const QString &path, const QString &body)
{
    const QJsonObject topic{{QStringLiteral("id"), QStringLiteral("1")},
                            {QStringLiteral("header"), QStringLiteral("Topic")},
                            {QStringLiteral("body"), body}};
    const QJsonObject help{{QStringLiteral("format"), QStringLiteral("vorrak-help")},
                           {QStringLiteral("topics"), QJsonArray{topic}}};
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(QJsonDocument(help).toJson(QJsonDocument::Compact)) > 0;
}

// Help bodies made to slow the sanitiser down, each against a body of plain
// letters of the same length: both pages take the sample data.
void hostileBodies(Report &report, const QString &tool, const QString &sampleData, const QString &work, int rounds)
{
    const struct
    {
        const char *what;
        QString body;
    } bodies[] = {{"4,000,000 stray '&'", QString(4000000, u'&')},
                  {"200,000 <script>x</script>", QStringLiteral("<script>x</script>").repeated(200000)}};
    const QString page = QDir(work).filePath(QStringLiteral("hostile.html"));
    for (const auto &hostile : bodies) {
        const QString subjectHelp = QDir(work).filePath(QStringLiteral("hostile.json"));
        const QString baselineHelp = QDir(work).filePath(QStringLiteral("letters.json"));
        if (!writeHelp(subjectHelp, hostile.body) || !writeHelp(baselineHelp, QString(hostile.body.size(), u'a'))) {
            report.line(QStringLiteral("cannot write the help files"));
            return;
        }
        bool ok = true;
        const Comparison writing = compare(
            rounds, [&] { ok = makePage(tool, {sampleData, subjectHelp}, page) && ok; },
            [&] { ok = makePage(tool, {sampleData, baselineHelp}, page) && ok; });
        report.target(QStringLiteral("vorrak-data web, help body of %1").arg(QLatin1String(hostile.what)),
                      ok ? QStringLiteral("%1 ms (as many plain letters %2 ms, %3x)")
                               .arg(writing.subjectMs, 0, 'f', 1)
                               .arg(writing.baselineMs, 0, 'f', 1)
                               .arg(writing.ratio(), 0, 'f', 1)
                         : QStringLiteral("vorrak-data web failed"),
                      QStringLiteral("<= 2000 ms"), ok && writing.subjectMs <= 2000);
    }
}

// Opens the page and presses "GO!" for the first process, as a user would.
bool firstResult(HeadlessChromium &browser, const QString &page)
{
    if (!browser.open(QUrl::fromLocalFile(page).toString()))
        return false;
    const QJsonValue rows = browser.evaluate(QStringLiteral(
        "document.getElementById('go').click(),"
        "document.querySelectorAll('#items tbody tr, #skills tbody tr').length"));
    return rows.toInt() > 0;
}

bool runCalc(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(tool, QStringList{QStringLiteral("calc")} + arguments);
    return process.waitForFinished(600000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// "What can I make" on a freshly opened page, timed in the page from the
// press on the view's button (which builds a field for every skill) through
// typing a value into each and pressing "Show what I can make" to the
// table drawn in the next frame. -1 when the page showed no row.
double canMakeInPage(HeadlessChromium &browser, const QString &page)
{
    if (!browser.open(QUrl::fromLocalFile(page).toString()))
        return -1;
    const QJsonObject answer = browser.evaluate(QStringLiteral(R"JS(
(async () => {
  const $ = id => document.getElementById(id);
  const start = performance.now();
  $("view-can-make").click();
  document.querySelectorAll("#all-skill-fields input").forEach((input, n) => { input.value = String(50 + (37 * n) % 400); });
  $("can-make-go").click();
  await new Promise(done => requestAnimationFrame(() => setTimeout(done, 0)));
  return { ms: performance.now() - start, rows: $("can-make").tBodies[0].rows.length };
})()
)JS")).toObject();
    return answer.value("rows").toInt() > 0 ? answer.value("ms").toDouble() : -1;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

// calc --can-make with a value for every skill of the generated store.
QStringList canMakeArguments(const QString &data)
{
    QStringList arguments{QStringLiteral("--file"), data, QStringLiteral("--can-make")};
    const QStringList skills{"Mechanical", "Electrical", "Quantum", "Weapon", "Pharma", "Nano Programming", "Chemistry",
                             "Psychology", "Tutoring", "Computer", "Break", "Treatment", "First"};
    for (int n = 0; n < skills.size(); ++n)
        arguments << QStringLiteral("--skill") << QStringLiteral("%1=%2").arg(skills.at(n)).arg(50 + (37 * n) % 400);
    return arguments;
}

} // namespace

void runWebBenchmarks(Report &report, const QString &tool, const QString &sampleDir, const QString &largeDir,
                      int rounds)
{
    report.section(QStringLiteral("Web calculator (vorrak-data web, headless Chromium, median of %1)").arg(rounds));
    QTemporaryDir work;
    const QString largeData = QDir(largeDir).filePath(QStringLiteral("Vorrak.dat"));
    const QString sampleData = QDir(sampleDir).filePath(QStringLiteral("Vorrak.dat"));
    hostileBodies(report, tool, sampleData, work.path(), rounds);
    if (HeadlessChromium::executable().isEmpty()) {
        report.line(QStringLiteral("skipped: chromium is not installed"));
        return;
    }
    const QString largePage = QDir(work.path()).filePath(QStringLiteral("large.html"));
    const QString samplePage = QDir(work.path()).filePath(QStringLiteral("sample.html"));

    bool ok = true;
    const Comparison writing = compare(
        rounds, [&] { ok = makePage(tool, {largeData}, largePage) && ok; },
        [&] { ok = makePage(tool, {sampleData}, samplePage) && ok; });
    if (!ok) {
        report.line(QStringLiteral("vorrak-data web failed"));
        return;
    }
    const double dataMb = QFileInfo(largeData).size() / 1e6;
    const double pageMb = QFileInfo(largePage).size() / 1e6;
    report.target(
        QStringLiteral("vorrak-data web, large file"),
        QStringLiteral("%1 ms (sample %2 ms)").arg(writing.subjectMs, 0, 'f', 1).arg(writing.baselineMs, 0, 'f', 1),
        QStringLiteral("< 1000 ms"), writing.subjectMs < 1000);
    report.target(QStringLiteral("page size, large file"),
                  QStringLiteral("%1 MB for a %2 MB data file = %3x (sample page %4 kB)")
                      .arg(pageMb, 0, 'f', 1)
                      .arg(dataMb, 0, 'f', 1)
                      .arg(pageMb / dataMb, 0, 'f', 2)
                      .arg(QFileInfo(samplePage).size() / 1e3, 0, 'f', 1),
                  QStringLiteral("<= 0.4x the data file"), pageMb / dataMb <= 0.4);

    HeadlessChromium browser;
    if (!browser.start(QDir(work.path()).filePath(QStringLiteral("profile")))) {
        report.line(QStringLiteral("chromium did not start: ") + browser.error());
        return;
    }
    const Comparison opening = compare(
        rounds, [&] { ok = firstResult(browser, largePage) && ok; }, [&] { ok = firstResult(browser, samplePage) && ok; });
    if (!ok) {
        report.line(QStringLiteral("the page showed no result: ") + browser.error());
        return;
    }
    report.target(QStringLiteral("web page, large file: opening to the first result"),
                  QStringLiteral("%1 ms (sample page %2 ms, %3x)")
                      .arg(opening.subjectMs, 0, 'f', 1)
                      .arg(opening.baselineMs, 0, 'f', 1)
                      .arg(opening.ratio(), 0, 'f', 1),
                  QStringLiteral("<= 5000 ms"), opening.subjectMs <= 5000);

    // What the page would spend at opening if it read every group at once.
    browser.open(QUrl::fromLocalFile(largePage).toString());
    const QJsonValue allGroups = browser.evaluate(QStringLiteral(
        "(() => { const t = performance.now(); let n = 0;"
        "for (const e of document.querySelectorAll('script[id^=vorrak-group-]')) n += JSON.parse(e.textContent).length;"
        "return performance.now() - t; })()"));
    report.line(QStringLiteral("reading every group's block at once would add %1 ms to the large page's opening")
                    .arg(allGroups.toDouble(), 0, 'f', 1));

    // What can I make: the page against the sample's page, calc against
    // calc listing the same file (which reads it just as much).
    QList<double> largeTimes, sampleTimes;
    for (int round = 0; round < rounds; ++round) {
        largeTimes.append(canMakeInPage(browser, largePage));
        sampleTimes.append(canMakeInPage(browser, samplePage));
    }
    if (largeTimes.contains(-1) || sampleTimes.contains(-1)) {
        report.line(QStringLiteral("the what-can-I-make table stayed empty: ") + browser.error());
        return;
    }
    report.target(QStringLiteral("web page, large file: what can I make, from the request to the drawn table"),
                  QStringLiteral("%1 ms (sample page %2 ms)").arg(median(largeTimes), 0, 'f', 1).arg(median(sampleTimes), 0, 'f', 1),
                  QStringLiteral("< 2000 ms"), median(largeTimes) < 2000);
    const Comparison calc = compare(
        rounds, [&] { ok = runCalc(tool, canMakeArguments(largeData)) && ok; },
        [&] { ok = runCalc(tool, {QStringLiteral("--file"), largeData, QStringLiteral("--list")}) && ok; });
    report.line(ok ? QStringLiteral("calc --can-make, large file: %1 ms (calc --list on it: %2 ms)")
                         .arg(calc.subjectMs, 0, 'f', 1)
                         .arg(calc.baselineMs, 0, 'f', 1)
                   : QStringLiteral("calc --can-make failed"));
}
