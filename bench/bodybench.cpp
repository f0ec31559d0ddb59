#include "bench/bodybench.h"

#include "bench/report.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QProcess>

namespace {

struct Body
{
    QString label;
    QString text;
};

QString nested(const QString &open, const QString &close, int depth)
{
    return open.repeated(depth) + QStringLiteral("deep") + close.repeated(depth);
}

QString words(qsizetype size, const QString &line = QStringLiteral("The quick brown fox jumps over the lazy dog. "))
{
    QString text = line.repeated(size / line.size() + 1);
    text.truncate(size);
    return text;
}

QList<Body> bodies()
{
    const QString stray = QStringLiteral("<b x\"y>");
    return {
        {QStringLiteral("ordinary topic (baseline)"),
         QStringLiteral("<b>Tradeskills</b><br>Pick a group, a process and the QL, then press GO!<br>")},
        {QStringLiteral("stray quote + 25 nested tables"),
         stray + nested(QStringLiteral("<table border=1><tr><td>"), QStringLiteral("</td></tr></table>"), 25)},
        {QStringLiteral("stray quote + 30,000 nested div"), stray + QStringLiteral("<div>").repeated(30000)},
        {QStringLiteral("100,000 nested div"), QStringLiteral("<div>").repeated(100000) + QStringLiteral("x")},
        {QStringLiteral("one word of 1 M characters"), QString(1000000, u'x')},
        {QStringLiteral("5,000 x <img align=left>"), QStringLiteral("<img align=left>").repeated(5000)},
        {QStringLiteral("50 M characters of text"), words(50000000)},
        {QStringLiteral("<nobr> of 100,000 characters"),
         QStringLiteral("<nobr>") + words(100000) + QStringLiteral("</nobr>")},
        // At the edges of the budget: the most that is still rendered.
        {QStringLiteral("rendered: 200,000 characters of text"), words(200000)},
        {QStringLiteral("rendered: 8,000 elements"), QStringLiteral("<b>bold</b> ").repeated(8000)},
        {QStringLiteral("rendered: 200 left images"), QStringLiteral("<img align=left>").repeated(200)},
        {QStringLiteral("rendered: a word of 9,000 characters"), QString(9000, u'x') + QStringLiteral(" and more")},
        {QStringLiteral("rendered: 100 words of 1,000 characters"),
         (QString(1000, u'x') + QLatin1Char(' ')).repeated(100)},
        {QStringLiteral("rendered: 1,500 rows of a table"),
         QStringLiteral("<table>%1</table>").arg(QStringLiteral("<tr><td>x</td></tr>").repeated(1500))},
        {QStringLiteral("rendered: one row of 6,000 cells"),
         QStringLiteral("<table><tr>%1</tr></table>").arg(QStringLiteral("<td>x</td>").repeated(5990))},
        {QStringLiteral("edited: 300,000 characters in lines"),
         words(300000, QStringLiteral("Some text of a line.<br>\n"))},
        {QStringLiteral("edited: 3 lines of about 100,000"), (words(100000) + QLatin1Char('\n')).repeated(3).left(300000)},
    };
}

struct Opening
{
    double ms = -1;
    long peakKb = -1;
    QString how;
};

Opening open(const QString &probe, const QString &where, const QString &bodyFile)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("default.debug=false"));
    process.setProcessEnvironment(environment);
    process.start(probe, {where, bodyFile});
    Opening opening;
    // Far beyond the budget: a body that still freezes shows as missed.
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        opening.how = QStringLiteral("no answer within 60 s");
        return opening;
    }
    const QList<QByteArray> fields = process.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() == 3) {
        opening.ms = fields.at(0).toDouble();
        opening.peakKb = fields.at(1).toLong();
        opening.how = QString::fromLatin1(fields.at(2));
    }
    return opening;
}

} // namespace

void runBodyBenchmarks(Report &report, const QString &probe, const QString &workDir)
{
    report.section(QStringLiteral("Opening a help body (offscreen, one process each, show to painted)"));
    const QString bodyFile = QDir(workDir).filePath(QStringLiteral("body.txt"));
    for (const Body &body : bodies()) {
        QFile file(bodyFile);
        if (!file.open(QIODevice::WriteOnly) || file.write(body.text.toUtf8()) < 0)
            return;
        file.close();
        for (const QString &where : {QStringLiteral("view"), QStringLiteral("editor")}) {
            const Opening opening = open(probe, where, bodyFile);
            report.target(QStringLiteral("%1 %2").arg(where, -6).arg(body.label),
                          QStringLiteral("%1 ms, %2, peak %3 MB")
                              .arg(opening.ms, 0, 'f', 1)
                              .arg(opening.how)
                              .arg(opening.peakKb / 1024.0, 0, 'f', 1),
                          QStringLiteral("< 1000 ms"), opening.ms >= 0 && opening.ms < 1000);
        }
    }
    QFile::remove(bodyFile);
}
