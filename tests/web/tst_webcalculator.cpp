#include "browser/headlesschromium.h"
#include "tests/support/scratchdir.h"

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

// Types skill values into the what-can-I-make form (cycling through
// `values`, "" leaves a field empty) and reads the table as tab-separated
// lines and the note on unknown skills.
const char *const CanMakeScript = R"JS(
((values) => {
  const $ = id => document.getElementById(id);
  $("view-can-make").click();
  const inputs = [...$("all-skill-fields").querySelectorAll("input")];
  inputs.forEach((input, i) => { input.value = values[i % values.length]; });
  $("can-make-go").click();
  return { skills: inputs.filter(i => i.value !== "").map(i => i.dataset.skill + "=" + i.value),
           rows: [...$("can-make").tBodies[0].rows].map(r => [...r.cells].map(c => c.textContent).join("\t")),
           unknown: $("can-make-unknown").textContent };
})(%1)
)JS";

// Calculates each [group, process, QL], copies the result and adds it to the
// plan; then copies the plan (the text of its two tables).
const char *const PlanScript = R"JS(
(async (products) => {
  const $ = id => document.getElementById(id);
  const pick = (id, index) => { $(id).selectedIndex = index; $(id).dispatchEvent(new Event("change")); };
  let copied = null;
  navigator.clipboard.writeText = text => { copied = text; return Promise.resolve(); };
  const results = [];
  for (const [g, p, ql] of products) {
    $("view-calc").click();
    pick("group", g);
    pick("process", p);
    $("ql").value = String(ql);
    $("go").click();
    $("copy-result").click();
    results.push(copied);
    $("add-to-plan").click();
  }
  $("view-plan").click();
  $("copy-plan").click();
  return { results, copied };
})(%1)
)JS";

// Everything a calculation shows, to compare two browsers.
const char *const ShownScript = R"JS(
(() => {
  const $ = id => document.getElementById(id);
  const lines = id => [...$(id).tBodies[0].rows].map(r => [...r.cells].map(c => c.textContent.trim()).join("\t"));
  const fields = id => [...$(id).querySelectorAll("input")].map(i => i.dataset.skill + "=" + i.value);
  return { title: document.title, result: $("result-title").textContent, items: lines("items"), skills: lines("skills"),
           highest: $("highest-result").textContent, fields: fields("skill-fields"), plan: lines("plan-products"),
           needs: lines("plan-items").concat(lines("plan-skills")), calcView: !$("calc-view").hidden,
           notice: $("notice").hidden ? "" : $("notice").textContent };
})()
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

    // Writes the page for `inputs` and opens it, with `fragment` as its address's.
    bool openPage(const QStringList &inputs, const QString &fragment = QString())
    {
        const QString page = m_dir->filePath(QStringLiteral("page.html"));
        if (runTool(QStringList{"web"} + inputs + QStringList{page}).isNull() && !QFileInfo::exists(page))
            return false;
        m_pageUrl = QUrl::fromLocalFile(page).toString();
        return m_browser->open(m_pageUrl + fragment);
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
                // calc asks for at least one skill value.
                QJsonArray cases;
                for (const QJsonObject &skills : {needed, withoutFirst, none, plenty}) {
                    if (!skills.isEmpty())
                        cases.append(skills);
                }
                if (cases.isEmpty())
                    continue;
                QJsonArray answers;
                for (const QJsonValue &skills : cases) {
                    QStringList arguments = where;
                    const QJsonObject values = skills.toObject();
                    for (auto it = values.begin(); it != values.end(); ++it)
                        arguments << "--skill" << it.key() + '=' + it.value().toString();
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

        // What can I make, with some skills left empty, some negative and
        // some beyond any amount, against calc's table.
        const QJsonObject canMake = m_browser->evaluate(QString::fromLatin1(CanMakeScript).arg(
            QStringLiteral(R"(["", "100", "-3", "7", "250", "999999999999999999999", "0"])"))).toObject();
        QVERIFY2(!canMake.isEmpty(), qPrintable(m_browser->error()));
        QStringList arguments{"calc", "--file", data, "--can-make"};
        for (const QJsonValue &skill : canMake.value("skills").toArray())
            arguments << "--skill" << skill.toString();
        QStringList table = QString::fromUtf8(runTool(arguments)).split('\n', Qt::SkipEmptyParts);
        QVERIFY(table.size() > 1);
        table.removeFirst(); // the heading line
        const QString unknown = table.last().startsWith("unknown, ") ? table.takeLast() : QString();
        QCOMPARE(canMake.value("rows").toVariant().toStringList(), table);
        QCOMPARE(canMake.value("unknown").toString(), unknown.isEmpty() ? unknown : 'U' + unknown.mid(1));

        // Two plans: the first process at its lowest QL with the last at
        // its highest, and every process at the middle of its range. The
        // result each product shows is copied as calc prints it too.
        QJsonArray ends, middles;
        for (int g = 0; g < groups.size(); ++g) {
            const QJsonArray procs = groups.at(g).toObject().value("processes").toArray();
            for (int p = 0; p < procs.size(); ++p) {
                const QJsonObject proc = procs.at(p).toObject();
                const int low = qMin(proc.value("minQL").toInt(), proc.value("maxQL").toInt());
                middles.append(QJsonArray{g, p, (low + proc.value("maxQL").toInt()) / 2});
                if (ends.isEmpty())
                    ends.append(QJsonArray{g, p, low});
            }
        }
        const QJsonArray last = middles.last().toArray();
        const QJsonObject lastProc = groups.at(last.at(0).toInt()).toObject().value("processes").toArray()
                                         .at(last.at(1).toInt()).toObject();
        ends.append(QJsonArray{last.at(0), last.at(1), lastProc.value("maxQL")});
        for (const QJsonArray &products : {ends, middles}) {
            const QJsonObject planned = m_browser->evaluate(QString::fromLatin1(PlanScript).arg(literal(products))).toObject();
            QVERIFY2(!planned.isEmpty(), qPrintable(m_browser->error()));
            QStringList arguments{"calc", "--file", data, "--plan"};
            for (qsizetype i = 0; i < products.size(); ++i) {
                const QJsonArray product = products.at(i).toArray();
                const QStringList where{QString::number(product.at(0).toInt() + 1), QString::number(product.at(1).toInt() + 1),
                                        QString::number(product.at(2).toInt())};
                arguments << where;
                QCOMPARE(planned.value("results").toArray().at(i).toString(),
                         QString::fromUtf8(runTool(QStringList{"calc", "--file", data} + where)));
            }
            const QString plan = QString::fromUtf8(runTool(arguments));
            QVERIFY(!plan.isEmpty());
            QCOMPARE(planned.value("copied").toString(), plan);
        }
        QCOMPARE(m_browser->requestedUrls(), QStringList{m_pageUrl});
    }

    // A link copied from one browser opens the same calculation, skills
    // and plan in a browser that has never seen the page; the skills typed
    // are still there when the first browser opens the page again.
    void copiedLinkOpensSameResult()
    {
        QVERIFY2(openPage({QStringLiteral(VORRAK_SAMPLE_BUILD_DIR "/Vorrak.dat")}), qPrintable(m_browser->error()));
        const QJsonValue link = m_browser->evaluate(QStringLiteral(R"JS(
(async () => {
  const $ = id => document.getElementById(id);
  const pick = (id, index) => { $(id).selectedIndex = index; $(id).dispatchEvent(new Event("change")); };
  let copied = null;
  navigator.clipboard.writeText = text => { copied = text; return Promise.resolve(); };
  pick("process", 0);
  $("ql").value = "40";
  $("go").click();
  $("add-to-plan").click();
  pick("process", 1);
  $("ql").value = "150";
  $("go").click();
  $("add-to-plan").click();
  for (const input of $("skill-fields").querySelectorAll("input")) {
    input.value = input.dataset.skill === "Tempering" ? "270" : "400";
    input.dispatchEvent(new Event("change"));
  }
  $("highest-go").click();
  $("copy-link").click();
  return copied;
})()
)JS"));
        QVERIFY2(link.isString() && link.toString().startsWith(m_pageUrl + '#'), qPrintable(m_browser->error()));
        const QJsonObject shown = m_browser->evaluate(QString::fromLatin1(ShownScript)).toObject();
        QCOMPARE(shown.value("title").toString(), QStringLiteral("QL 150 Tempered Greatsword – Vorrak"));
        QVERIFY(shown.value("highest").toString().startsWith("Highest QL: 180."));
        QCOMPARE(shown.value("needs").toArray().size(), 8);

        // Back steps through the calculations, Forward returns to the last.
        const QJsonObject back = m_browser->evaluate(QStringLiteral(R"JS(
(async () => {
  const step = n => new Promise(done => { addEventListener("popstate", () => setTimeout(done, 0), { once: true }); history.go(n); });
  await step(-4);
  const earlier = { result: document.getElementById("result-title").textContent,
                    plan: document.getElementById("plan-products").tBodies[0].rows.length };
  await step(4);
  return earlier;
})()
)JS")).toObject();
        QCOMPARE(back.value("result").toString(), QStringLiteral("QL 40 Iron Shortsword"));
        QCOMPARE(back.value("plan").toInt(), 1);
        QCOMPARE(compact(m_browser->evaluate(QString::fromLatin1(ShownScript))), compact(shown));

        HeadlessChromium fresh;
        QVERIFY2(fresh.start(m_dir->filePath(QStringLiteral("fresh profile"))), qPrintable(fresh.error()));
        QVERIFY2(fresh.open(link.toString()), qPrintable(fresh.error()));
        QCOMPARE(compact(fresh.evaluate(QString::fromLatin1(ShownScript))), compact(shown));

        QVERIFY(m_browser->open(m_pageUrl));
        QVERIFY(m_browser->evaluate(QStringLiteral(R"JS(
document.getElementById("process").selectedIndex = 1;
document.getElementById("process").dispatchEvent(new Event("change"));
[...document.querySelectorAll("#skill-fields input")].map(i => i.value).join(",")
)JS")).toString() == QStringLiteral("400,270"));
    }

    void hostileAddressIsIgnored_data()
    {
        QTest::addColumn<QString>("fragment");
        QTest::newRow("markup as a name") << "g=%3Cimg%20src%3Dx%20onerror%3Dwindow.pwned%3D1%3E&p=1&ql=1";
        QTest::newRow("script as the view") << "view=%3Cscript%3Ewindow.pwned%3D2%3C%2Fscript%3E";
        QTest::newRow("script as a skill value") << "skills=Weaponsmithing:%3Cscript%3Ewindow.pwned%3D3%3C%2Fscript%3E";
        QTest::newRow("huge QL") << "g=Weaponsmithing&p=Iron%20Shortsword&ql=99999999999999999999999999";
        QTest::newRow("huge skill value") << "skills=Weaponsmithing:" + QString(5000, '9');
        QTest::newRow("huge address") << "g=Weaponsmithing&search=" + QString(300000, 'x');
        QTest::newRow("broken escape") << "g=%E0%A4%A&p=1";
        QTest::newRow("names that are gone") << "g=Cooking&p=Stew&ql=5";
    }

    void hostileAddressIsIgnored()
    {
        QFETCH(QString, fragment);
        QVERIFY2(openPage({QStringLiteral(VORRAK_SAMPLE_BUILD_DIR "/Vorrak.dat")}, '#' + fragment),
                 qPrintable(m_browser->error()));
        const QJsonObject seen = m_browser->evaluate(QStringLiteral(R"JS(
(async () => {
  await new Promise(done => setTimeout(done, 200));
  const $ = id => document.getElementById(id);
  return { pwned: window.pwned === undefined ? "no" : String(window.pwned), images: document.querySelectorAll("img").length,
           notice: $("notice").hidden ? "" : $("notice").textContent, result: $("result-title").textContent,
           group: $("group").selectedIndex, location: location.href, title: document.title };
})()
)JS")).toObject();
        QCOMPARE(seen.value("pwned").toString(), QStringLiteral("no"));
        QCOMPARE(seen.value("images").toInt(), 0);
        QVERIFY2(seen.value("notice").toString().contains("ignored"), qPrintable(seen.value("notice").toString()));
        QCOMPARE(seen.value("result").toString(), QString());
        QCOMPARE(seen.value("group").toInt(), 0);
        QCOMPARE(seen.value("title").toString(), QStringLiteral("Vorrak"));
        QCOMPARE(seen.value("location").toString(), m_pageUrl);
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
    location: location.href.split("#")[0]
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
