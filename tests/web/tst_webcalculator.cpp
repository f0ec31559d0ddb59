#include "headlesschromium.h"
#include "scratchdir.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>
#include <QUrl>

#include <memory>

namespace {

// Drives the page as a user would: picks the group and process in the two
// lists, types the QL, presses "GO!" and reads both result tables.
const char *const AmountsScript = R"JS(
((g, p, qls) => {
  const $ = id => document.getElementById(id);
  const pick = (id, index) => { $(id).selectedIndex = index; $(id).dispatchEvent(new Event("change")); };
  const rows = id => [...$(id).tBodies[0].rows].map(r => ({ name: r.cells[0].textContent, amount: r.cells[1].textContent }));
  pick("group", g);
  pick("process", p);
  return qls.map(ql => {
    $("ql").value = String(ql);
    $("go").click();
    return { ql, items: rows("items"), skills: rows("skills") };
  });
})(%1, %2, %3)
)JS";

// Fills in the skill fields of the highest-QL question and asks it.
const char *const HighestScript = R"JS(
((g, p, cases) => {
  const $ = id => document.getElementById(id);
  const pick = (id, index) => { $(id).selectedIndex = index; $(id).dispatchEvent(new Event("change")); };
  pick("group", g);
  pick("process", p);
  return cases.map(skills => {
    for (const input of $("skill-fields").querySelectorAll("input"))
      input.value = Object.prototype.hasOwnProperty.call(skills, input.dataset.skill) ? skills[input.dataset.skill] : "";
    $("highest-go").click();
    const out = $("highest-result");
    return { highestQL: out.dataset.highestQl === "" ? null : Number(out.dataset.highestQl),
             limitedBy: JSON.parse(out.dataset.limitedBy), unknown: JSON.parse(out.dataset.unknown) };
  });
})(%1, %2, %3)
)JS";

QByteArray compact(const QJsonValue &value)
{
    return value.isArray() ? QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact)
                           : QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact);
}

QString literal(const QJsonValue &value)
{
    return QString::fromUtf8(compact(value));
}

} // namespace

class TestWebCalculator : public ScratchTest
{
    Q_OBJECT

private:
    // vorrak-data's output; an empty QByteArray and a failed test when it fails.
    QByteArray runTool(const QStringList &arguments)
    {
        QProcess process;
        process.setWorkingDirectory(m_dir->path());
        process.start(QStringLiteral(VORRAK_DATA_TOOL), arguments);
        if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
            qWarning("vorrak-data %s failed: %s", qPrintable(arguments.join(' ')), process.readAllStandardError().constData());
            return QByteArray();
        }
        return process.readAllStandardOutput();
    }

    QJsonValue calc(const QString &data, const QStringList &arguments)
    {
        const QByteArray json = runTool(QStringList{"calc", "--json", "--file", data} + arguments);
        const QJsonDocument document = QJsonDocument::fromJson(json);
        return document.isObject() ? QJsonValue(document.object()) : QJsonValue(QJsonValue::Undefined);
    }

    bool openPage(const QStringList &inputs)
    {
        const QString page = m_dir->filePath(QStringLiteral("page.html"));
        if (runTool(QStringList{"web"} + inputs + QStringList{page}).isNull() && !QFileInfo::exists(page))
            return false;
        m_pageUrl = QUrl::fromLocalFile(page).toString();
        return m_browser->open(m_pageUrl);
    }

    std::unique_ptr<HeadlessChromium> m_browser;
    QString m_pageUrl;

private slots:
    void initTestCase()
    {
        QVERIFY(QFileInfo(QStringLiteral(VORRAK_DATA_TOOL)).isExecutable());
        QVERIFY2(!HeadlessChromium::executable().isEmpty(), "chromium is not installed (scripts/install-deps.sh)");
    }

    void init()
    {
        ScratchTest::init();
        if (!m_dir->isValid())
            return;
        m_browser = std::make_unique<HeadlessChromium>();
        QVERIFY2(m_browser->start(m_dir->filePath(QStringLiteral("profile"))), qPrintable(m_browser->error()));
    }

    void cleanup()
    {
        m_browser.reset();
        ScratchTest::cleanup();
    }

    void sameAnswersAsCalc_data()
    {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("help");
        QTest::newRow("sample") << QStringLiteral(VORRAK_SAMPLE_BUILD_DIR "/Vorrak.dat")
                                << QStringLiteral(VORRAK_SAMPLE_BUILD_DIR "/Vorrak.hlp");
        QTest::newRow("tricky multipliers") << QStringLiteral(VORRAK_TEST_SOURCE_DIR "/tricky-multipliers.json")
                                            << QString();
    }

    // Every process at every QL of its range, and the highest-QL question
    // for several sets of skill values, as the page and calc answer them.
    void sameAnswersAsCalc()
    {
        QFETCH(QString, data);
        QFETCH(QString, help);
        QVERIFY2(openPage(help.isEmpty() ? QStringList{data} : QStringList{data, help}), qPrintable(m_browser->error()));

        const QJsonArray groups = calc(data, {"--list"}).toObject().value("groups").toArray();
        QVERIFY(!groups.isEmpty());
        int compared = 0;
        for (int g = 0; g < groups.size(); ++g) {
            const QJsonArray procs = groups.at(g).toObject().value("processes").toArray();
            for (int p = 0; p < procs.size(); ++p) {
                const QStringList where{QString::number(g + 1), QString::number(p + 1)};
                const QJsonArray expected = calc(data, where + QStringList{"--table"}).toObject().value("rows").toArray();
                QVERIFY(!expected.isEmpty());
                QJsonArray qls;
                for (const QJsonValue &row : expected)
                    qls.append(row.toObject().value("ql"));
                const QJsonValue shown =
                    m_browser->evaluate(QString::fromLatin1(AmountsScript).arg(g).arg(p).arg(literal(qls)));
                QVERIFY2(shown.isArray(), qPrintable(m_browser->error()));
                QCOMPARE(compact(shown), compact(expected));
                compared += int(qls.size());

                // Skill values: what the middle QL needs, the same without
                // the first skill, nothing, and more than any amount.
                const QJsonObject middle = expected.at(expected.size() / 2).toObject();
                QJsonObject needed, withoutFirst, none, plenty;
                for (const QJsonValue &skill : middle.value("skills").toArray()) {
                    const QString name = skill.toObject().value("name").toString();
                    const QString amount = skill.toObject().value("amount").toString();
                    const bool whole = QRegularExpression(QStringLiteral("^-?[0-9]+$")).match(amount).hasMatch();
                    needed.insert(name, whole ? amount : QStringLiteral("1000"));
                    if (!middle.value("skills").toArray().isEmpty()
                        && name != middle.value("skills").toArray().first().toObject().value("name").toString())
                        withoutFirst.insert(name, needed.value(name));
                    none.insert(name, QStringLiteral("0"));
                    plenty.insert(name, QStringLiteral("999999999999999999999999999999"));
                }
                const QJsonArray cases{needed, withoutFirst, none, plenty};
                QJsonArray answers;
                for (const QJsonValue &skills : cases) {
                    QStringList arguments = where;
                    const QJsonObject values = skills.toObject();
                    for (auto it = values.begin(); it != values.end(); ++it)
                        arguments << "--skill" << it.key() + '=' + it.value().toString();
                    if (values.isEmpty())
                        arguments << "--skill" << "not a skill of it=1";
                    QJsonObject answer = calc(data, arguments).toObject();
                    QVERIFY(answer.contains("highestQL"));
                    for (const char *key : {"group", "process", "minQL", "maxQL"})
                        answer.remove(QLatin1String(key));
                    answers.append(answer);
                }
                const QJsonValue found =
                    m_browser->evaluate(QString::fromLatin1(HighestScript).arg(g).arg(p).arg(literal(cases)));
                QVERIFY2(found.isArray(), qPrintable(m_browser->error()));
                QCOMPARE(compact(found), compact(answers));
            }
        }
        QVERIFY(compared > 0);
        QCOMPARE(m_browser->requestedUrls(), QStringList{m_pageUrl});
    }

    void hostileBodyRunsAndLoadsNothing()
    {
        const QByteArray trap = "http://127.0.0.1:9/";
        const QByteArray body = "<script>window.pwned = 1</script><img src=\"" + trap + "img.png\" "
                                "onerror=\"window.pwned = 2\"><a href=\"javascript:window.pwned = 3\">link</a>"
                                "<b onmouseover=\"window.pwned = 4\">bold</b><iframe src=\"" + trap + "frame\"></iframe>"
                                "<style>body { background: url(" + trap + "bg.png) }</style>"
                                "<svg><script>window.pwned = 5</script></svg><img/src=x onerror=window.pwned=6>"
                                "<a href=\"" + trap + "link\">away</a><object data=\"" + trap + "o\"></object>";
        QJsonObject topic{{"id", "1"}, {"header", "<img src=x onerror=window.pwned=7>"}, {"body", QString::fromUtf8(body)}};
        QVERIFY(m_dir->write("help.json", QJsonDocument(QJsonObject{{"format", "vorrak-help"},
                                                                    {"topics", QJsonArray{topic}}}).toJson()));
        const QJsonObject group{{"name", "<img src=\"" + QString::fromUtf8(trap) + "g.png\" onerror=window.pwned=8>"},
                                {"procs", QJsonArray{QJsonObject{{"name", "<script>window.pwned=9</script>"},
                                                                 {"maxQL", 2}, {"minQL", 1}, {"reqs", QJsonArray{}}}}}};
        QVERIFY(m_dir->write("data.json", QJsonDocument(QJsonObject{{"format", "vorrak-data"},
                                                                    {"groups", QJsonArray{group}}}).toJson()));
        QVERIFY2(openPage({m_dir->filePath("data.json"), m_dir->filePath("help.json")}), qPrintable(m_browser->error()));

        const QJsonValue result = m_browser->evaluate(QStringLiteral(R"JS(
(async () => {
  const $ = id => document.getElementById(id);
  document.querySelector("#topics button").click();
  $("go").click();
  for (const link of $("help-body").querySelectorAll("a")) link.click();
  for (const b of $("help-body").querySelectorAll("b")) b.dispatchEvent(new MouseEvent("mouseover"));
  await new Promise(done => setTimeout(done, 500));
  return {
    pwned: window.pwned === undefined ? "no" : String(window.pwned),
    elements: document.querySelectorAll("img, iframe, object, svg, a, body script:not([type])").length,
    handlers: [...$("help-body").querySelectorAll("*")].filter(e => e.attributes.length > 0).length,
    bold: $("help-body").querySelector("b") ? $("help-body").querySelector("b").textContent : "",
    group: $("group").options[0].textContent,
    topic: document.querySelector("#topics button").textContent,
    resources: performance.getEntriesByType("resource").length,
    location: location.href
  };
})()
)JS"));
        QVERIFY2(result.isObject(), qPrintable(m_browser->error()));
        const QJsonObject seen = result.toObject();
        QCOMPARE(seen.value("pwned").toString(), QStringLiteral("no"));
        // The page's own script is the one script element that runs.
        QCOMPARE(seen.value("elements").toInt(), 1);
        QCOMPARE(seen.value("handlers").toInt(), 0);
        QCOMPARE(seen.value("bold").toString(), QStringLiteral("bold"));
        QCOMPARE(seen.value("group").toString(), group.value("name").toString());
        QCOMPARE(seen.value("topic").toString(), topic.value("header").toString());
        QCOMPARE(seen.value("resources").toInt(), 0);
        QCOMPARE(seen.value("location").toString(), m_pageUrl);
        QCOMPARE(m_browser->requestedUrls(), QStringList{m_pageUrl});
    }
};

QTEST_GUILESS_MAIN(TestWebCalculator)
#include "tst_webcalculator.moc"
