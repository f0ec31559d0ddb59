#include "datatool/filechecker.h"
#include "datatool/filecontent.h"
#include "datatool/helpbodysanitizer.h"
#include "datatool/jsonexport.h"
#include "datatool/jsonimporter.h"
#include "datatool/jsonwriter.h"
#include "help/helptopic.h"
#include "tests/support/fixtures.h"
#include "tests/support/scratchdir.h"
#include "tradeskill/procgroup.h"

#include <QBuffer>
#include <QLoggingCategory>
#include <QTest>

namespace {

// The valid files every conversion must keep byte for byte.
QList<QPair<QByteArray, QByteArray>> validCorpus()
{
    QList<ProcGroup> bigGroups;
    bigGroups.fill(ProcGroup{QStringLiteral("g"), {}}, 65535);
    const QList<ProcGroup> oddTexts = {
        ProcGroup{QString(QChar(0xD800)) + QStringLiteral("lone") + QChar(0xDC00),
                  {Proc{QStringLiteral("tab\tquote\"back\\slash\nnew\x01"), 0, 255,
                        {Req{QString(1, QChar(0)), QStringLiteral("1e400"), 255, -1}}}}}};
    return {
        {"41-byte example", hexBytes("2A E5 10 A4 00 01 00 00 00 02 00 41 00 01 00 00 00 02 00 42 C8 01 00 01"
                                     "00 00 00 02 00 43 00 00 00 02 00 32 00 00 00 04 D2")},
        {"empty data file", hexBytes("2A E5 10 A4 00 00")},
        {"empty help file", hexBytes("E9 A7 14 3D 00 00")},
        {"24-byte help example", hexBytes("E9 A7 14 3D 00 01 00 00 00 02 00 31 00 00 00 04 00 48 00 69 FF FF FF FF")},
        {"rich data", dataFileBytes(richGroups())},
        {"rich help", helpFileBytes(richTopics())},
        {"odd texts", dataFileBytes(oddTexts)},
        {"65535 groups", dataFileBytes(bigGroups)},
        {"data with trailing bytes", dataFileBytes(richGroups()) + hexBytes("00 FF 2A E5 10 A4")},
        {"help with trailing bytes", helpFileBytes(richTopics()) + hexBytes("FF")},
    };
}

FileContent readWithLibrary(const QByteArray &bytes, const FileKind *kind)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    FileContent content;
    content.kind = kind;
    static_cast<void>(kind->read(&buffer, content));
    return content;
}

} // namespace

class TestDataJson : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The readers' progress lines would only slow the loops down here.
        QLoggingCategory::defaultCategory()->setEnabled(QtDebugMsg, false);
    }

    void quoting_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("json");
        QTest::newRow("plain") << "Iron Ingot" << "\"Iron Ingot\"";
        QTest::newRow("quote and backslash") << "a\"b\\c" << "\"a\\\"b\\\\c\"";
        QTest::newRow("line break and tab") << "a\nb\tc\r" << "\"a\\nb\\tc\\r\"";
        QTest::newRow("control characters") << QString(QChar(0)) + QChar(0x1F) + QChar(0x7F)
                                            << "\"\\u0000\\u001f\\u007f\"";
        QTest::newRow("surrogate pair stays") << "😀" << "\"😀\"";
        QTest::newRow("lone high surrogate") << QString(QChar(0xD83D)) + "x" << "\"\\ud83dx\"";
        QTest::newRow("lone low surrogate") << QString(QChar(0xDE00)) << "\"\\ude00\"";
        QTest::newRow("reversed pair") << QString(QChar(0xDE00)) + QChar(0xD83D) << "\"\\ude00\\ud83d\"";
        QTest::newRow("non-Latin-1") << "漢字 Ærø" << "\"漢字 Ærø\"";
        QTest::newRow("markup") << "<b>x</b>/y" << "\"<b>x</b>/y\"";
    }

    void quoting()
    {
        QFETCH(QString, text);
        QFETCH(QString, json);
        QCOMPARE(JsonWriter::quoted(text), json);
    }

    // What the web page shows of a help body: formatting tags without their
    // attributes, references kept, scripts and the like gone with their
    // content, everything else escaped.
    void sanitizedBodies_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("shown");
        QTest::newRow("formatting kept, attributes gone") << "<B class=x>a</b><br/>" << "<b>a</b><br>";
        QTest::newRow("other tags leave their text") << "<a href=\"x\">link</a>" << "link";
        QTest::newRow("references kept") << "&amp;&lt;&#38;&#x26;&Eacute;" << "&amp;&lt;&#38;&#x26;&Eacute;";
        QTest::newRow("stray ampersands") << "a & b &; &# &#x; &#12345678; &x-y;"
                                          << "a &amp; b &amp;; &amp;# &amp;#x; &amp;#12345678; &amp;x-y;";
        QTest::newRow("longest named reference") << "&" + QString(32, u'a') + ";&" + QString(33, u'a') + ";"
                                                 << "&" + QString(32, u'a') + ";&amp;" + QString(33, u'a') + ";";
        QTest::newRow("reference at the end") << "x&amp" << "x&amp;amp";
        QTest::newRow("angle brackets") << "1 < 2 > 0 <" << "1 &lt; 2 &gt; 0 &lt;";
        QTest::newRow("script with its content") << "a<script>alert(1)</script>b" << "ab";
        QTest::newRow("closing tag in other case, with a blank") << "a<STYLE>x</Style >b" << "ab";
        QTest::newRow("closing tag with more letters") << "a<title>x</titles>y</title>b" << "ab";
        QTest::newRow("closing tag cut at the end") << "a<script>x</script" << "a";
        QTest::newRow("unclosed script") << "a<script>x<b>y" << "a";
        QTest::newRow("comment") << "a<!-- <b>x</b> -->b" << "ab";
        QTest::newRow("many scripts") << QStringLiteral("<script>x</script>").repeated(1000) + "end" << "end";
    }

    void sanitizedBodies()
    {
        QFETCH(QString, body);
        QFETCH(QString, shown);
        QCOMPARE(HelpBodySanitizer::sanitize(body), shown);
    }

    void exampleExportsInFixedOrder()
    {
        FileContent content;
        content.list<ProcGroup>() = {ProcGroup{QStringLiteral("A"),
                                               {Proc{QStringLiteral("B"),
                                                     200,
                                                     1,
                                                     {Req{QStringLiteral("C"), QStringLiteral("2"), 0, 1234},
                                                      Req{QString(), QStringLiteral(""), 1, -5}}}}}};
        const QByteArray expected = "{\n"
                                    "  \"format\": \"vorrak-data\",\n"
                                    "  \"groups\": [\n"
                                    "    {\n"
                                    "      \"name\": \"A\",\n"
                                    "      \"procs\": [\n"
                                    "        {\n"
                                    "          \"name\": \"B\",\n"
                                    "          \"maxQL\": 200,\n"
                                    "          \"minQL\": 1,\n"
                                    "          \"reqs\": [\n"
                                    "            {\"name\": \"C\", \"multiplier\": \"2\", \"t\": 0, \"id\": 1234},\n"
                                    "            {\"name\": null, \"multiplier\": \"\", \"t\": 1, \"id\": -5}\n"
                                    "          ]\n"
                                    "        }\n"
                                    "      ]\n"
                                    "    }\n"
                                    "  ]\n"
                                    "}\n";
        QCOMPARE(JsonExport::toJson(content), expected);
    }

    void helpExportsNullDistinctFromEmpty()
    {
        FileContent content;
        content.kind = &FileKind::Help;
        content.list<HelpTopic>() = {HelpTopic{QStringLiteral(""), QString(), QStringLiteral("<b>x</b>")}};
        content.trailingBytes = hexBytes("00 AB");
        const QByteArray expected = "{\n"
                                    "  \"format\": \"vorrak-help\",\n"
                                    "  \"topics\": [\n"
                                    "    {\n"
                                    "      \"id\": \"\",\n"
                                    "      \"header\": null,\n"
                                    "      \"body\": \"<b>x</b>\"\n"
                                    "    }\n"
                                    "  ],\n"
                                    "  \"trailingBytes\": \"00ab\"\n"
                                    "}\n";
        QCOMPARE(JsonExport::toJson(content), expected);
    }

    void emptyListsExport()
    {
        FileContent content;
        content.list<ProcGroup>() = {ProcGroup{QStringLiteral("G"), {}}};
        QCOMPARE(JsonExport::toJson(content),
                 QByteArray("{\n  \"format\": \"vorrak-data\",\n  \"groups\": [\n    {\n      \"name\": \"G\",\n"
                            "      \"procs\": []\n    }\n  ]\n}\n"));
    }

    void roundTripIsByteIdentical_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        for (const auto &entry : validCorpus())
            QTest::newRow(entry.first.constData()) << entry.second;
    }

    void roundTripIsByteIdentical()
    {
        QFETCH(QByteArray, bytes);
        const FileChecker::Report report = FileChecker(bytes).check();
        QVERIFY2(report.outcome.isOk(), qPrintable(report.outcome.text()));

        FileContent content = readWithLibrary(bytes, report.kind);
        content.trailingBytes = bytes.mid(report.end);
        const QByteArray json = JsonExport::toJson(content);

        FileContent imported;
        JsonImporter importer;
        const Result<> outcome = importer.read(json, imported);
        QVERIFY2(outcome.isOk(), qPrintable(outcome.text()));
        QCOMPARE(imported.kind, report.kind);
        QCOMPARE(std::as_const(imported).list<ProcGroup>(), std::as_const(content).list<ProcGroup>());
        QCOMPARE(std::as_const(imported).list<HelpTopic>(), std::as_const(content).list<HelpTopic>());
        QCOMPARE(imported.toBinary(), bytes);
        QCOMPARE(JsonExport::toJson(imported), json);
    }

    void checkerAgreesWithLibraryOnEveryCut_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("data") << dataFileBytes(richGroups());
        QTest::newRow("help") << helpFileBytes(richTopics());
    }

    void checkerAgreesWithLibraryOnEveryCut()
    {
        QFETCH(QByteArray, bytes);
        const FileKind *kind = FileChecker(bytes).check().kind;
        QVERIFY(kind);
        qint64 lastOffset = 0;
        for (qsizetype cut = 0; cut < bytes.size(); ++cut) {
            const QByteArray tag = "cut at " + QByteArray::number(cut);
            QByteArray part = bytes.left(cut);
            const FileChecker::Report report = FileChecker(part).check();
            QVERIFY2(!report.outcome.isOk(), tag);
            QVERIFY2(report.recognized == (cut >= 4), tag);
            QVERIFY2(report.offset <= cut && report.offset >= lastOffset, tag);
            lastOffset = report.offset;
            QBuffer buffer(&part);
            buffer.open(QIODevice::ReadOnly);
            FileContent content;
            content.kind = kind;
            const bool damaged = kind->read(&buffer, content).status() == ReadStatus::Damaged;
            QVERIFY2(damaged == report.recognized, tag);
        }
        const FileChecker::Report whole = FileChecker(bytes).check();
        QVERIFY(whole.outcome.isOk());
        QCOMPARE(whole.end, qint64(bytes.size()));
        QVERIFY(whole.note.isEmpty());
    }

    void checkerNamesProblemAndOffset_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("description");
        QTest::newRow("empty") << QByteArray()
                               << "not recognized at byte 0: the file is 0 bytes long, too short for the magic number";
        QTest::newRow("one byte") << hexBytes("2A")
                                  << "not recognized at byte 0: the file is 1 byte long, too short for the magic number";
        QTest::newRow("unknown magic") << hexBytes("3D 14 A7 E9 00 00")
                                       << "not recognized at byte 0: unknown magic number 0x3D14A7E9";
        QTest::newRow("count cut") << hexBytes("2A E5 10 A4 00")
                                   << "damaged at byte 4: group count: the file ends inside it";
        QTest::newRow("odd length") << hexBytes("2A E5 10 A4 00 01 00 00 00 03 00 41 00")
                                    << "damaged at byte 6: group 0 name: odd byte length 3 for UTF-16 text";
        QTest::newRow("length past end")
            << hexBytes("2A E5 10 A4 00 01 00 00 00 00 00 01 FF FF FF FF C8 01 00 01 00 00 00 10 00 43")
            << "damaged at byte 20: group 0 process 0 requirement 0 name: byte length 16 runs past the end of the "
               "file (2 bytes left)";
        QTest::newRow("QL missing") << hexBytes("2A E5 10 A4 00 01 00 00 00 00 00 01 FF FF FF FF C8")
                                    << "damaged at byte 17: group 0 process 0 Min QL: the file ends before it";
        QTest::newRow("id cut") << hexBytes("2A E5 10 A4 00 01 FF FF FF FF 00 01 FF FF FF FF C8 01 00 01"
                                            "FF FF FF FF FF FF FF FF 00 00 00 04")
                                << "damaged at byte 29: group 0 process 0 requirement 0 id: the file ends inside it";
        QTest::newRow("topic body") << hexBytes("E9 A7 14 3D 00 02 FF FF FF FF FF FF FF FF FF FF FF FF 00 00 00 00 "
                                                "00 00 00 00 00")
                                    << "damaged at byte 26: topic 1 body: the file ends before its length field is "
                                       "complete";
    }

    void checkerNamesProblemAndOffset()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, description);
        const FileChecker::Report report = FileChecker(bytes).check();
        QVERIFY(!report.outcome.isOk());
        QCOMPARE(report.outcome.text(), description);
    }

    void checkerSummary_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("summary");
        QTest::newRow("rich data") << dataFileBytes(richGroups())
                                   << "valid data file: 4 groups, 5 processes, 6 requirements";
        QTest::newRow("one of each") << hexBytes("2A E5 10 A4 00 01 00 00 00 02 00 41 00 01 00 00 00 02 00 42 C8 01 "
                                                 "00 01 00 00 00 02 00 43 00 00 00 02 00 32 00 00 00 04 D2 EE")
                                     << "valid data file: 1 group, 1 process, 1 requirement; 1 byte after the last "
                                        "record (from byte 41), which the programs ignore";
        QTest::newRow("help") << helpFileBytes(richTopics()) << "valid help file: 4 topics";
    }

    void checkerSummary()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, summary);
        QCOMPARE(FileChecker(bytes).check().describeValid(), summary);
    }

    void importErrors_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("error");
        const QByteArray proc = R"({"name": "p", "maxQL": 10, "minQL": 1, "reqs": [%1]})";
        const auto data = [&proc](const QByteArray &req) {
            return R"({"format": "vorrak-data", "groups": [{"name": "g", "procs": [)" + QByteArray(proc).replace("%1", req) + "]}]}";
        };
        const auto procData = [](const QByteArray &p) {
            return R"({"format": "vorrak-data", "groups": [{"name": "g", "procs": [)" + p + "]}]}";
        };
        const QByteArray req = R"({"name": "r", "multiplier": "1", "t": 0, "id": 0})";
        QTest::newRow("not JSON") << QByteArray("{\"format\": ") << "invalid JSON at line 1, column 12 (byte 11): unterminated object";
        QTest::newRow("empty input") << QByteArray("") << "invalid JSON at line 1, column 1 (byte 0): illegal value";
        QTest::newRow("top is an array") << QByteArray("[]") << "expected a JSON object at the top";
        QTest::newRow("no format") << QByteArray(R"({"groups": []})")
                                   << R"(format: expected "vorrak-data" or "vorrak-help")";
        QTest::newRow("unknown key at the top") << QByteArray(R"({"format": "vorrak-help", "topics": [], "x": 1})")
                                                << "x: unknown key";
        QTest::newRow("groups not a list") << QByteArray(R"({"format": "vorrak-data", "groups": "none"})")
                                           << "groups: expected an array, got a string";
        QTest::newRow("group not an object") << QByteArray(R"({"format": "vorrak-data", "groups": [3]})")
                                             << "groups[0]: expected an object, got a number";
        QTest::newRow("missing key") << QByteArray(R"({"format": "vorrak-data", "groups": [{"name": "g"}]})")
                                     << R"(groups[0]: missing key "procs")";
        QTest::newRow("misspelt key") << procData(R"({"name": "p", "maxQl": 10, "maxQL": 1, "minQL": 1, "reqs": []})")
                                      << "groups[0].procs[0].maxQl: unknown key";
        QTest::newRow("name a number") << data(R"({"name": 5, "multiplier": "1", "t": 0, "id": 0})")
                                       << "groups[0].procs[0].reqs[0].name: expected a string or null, got a number";
        QTest::newRow("multiplier a number") << data(R"({"name": "r", "multiplier": 1.5, "t": 0, "id": 0})")
                                             << "groups[0].procs[0].reqs[0].multiplier: expected a string or null, "
                                                "got a number";
        QTest::newRow("QL above 255") << procData(R"({"name": "p", "maxQL": 256, "minQL": 1, "reqs": []})")
                                      << "groups[0].procs[0].maxQL: expected an integer from 0 to 255, got 256";
        QTest::newRow("QL negative") << procData(R"({"name": "p", "maxQL": 2, "minQL": -1, "reqs": []})")
                                     << "groups[0].procs[0].minQL: expected an integer from 0 to 255, got -1";
        QTest::newRow("QL fraction") << procData(R"({"name": "p", "maxQL": 2.5, "minQL": 1, "reqs": []})")
                                     << "groups[0].procs[0].maxQL: expected an integer from 0 to 255, got 2.5";
        QTest::newRow("QL a string") << procData(R"({"name": "p", "maxQL": "2", "minQL": 1, "reqs": []})")
                                     << "groups[0].procs[0].maxQL: expected an integer from 0 to 255, got a string";
        QTest::newRow("t above 255") << data(R"({"name": "r", "multiplier": "1", "t": 256, "id": 0})")
                                     << "groups[0].procs[0].reqs[0].t: expected an integer from 0 to 255, got 256";
        QTest::newRow("t null") << data(R"({"name": "r", "multiplier": "1", "t": null, "id": 0})")
                                << "groups[0].procs[0].reqs[0].t: expected an integer from 0 to 255, got null";
        QTest::newRow("id too large") << data(R"({"name": "r", "multiplier": "1", "t": 0, "id": 2147483648})")
                                      << "groups[0].procs[0].reqs[0].id: expected an integer from -2147483648 to "
                                         "2147483647, got 2147483648";
        QTest::newRow("second req bad") << data(req + R"(, {"name": "r", "multiplier": "1", "t": true, "id": 0})")
                                        << "groups[0].procs[0].reqs[1].t: expected an integer from 0 to 255, got a "
                                           "boolean";
        QTest::newRow("topic missing body") << QByteArray(R"({"format": "vorrak-help", "topics": [{"id": "1", "header": "h"}]})")
                                            << R"(topics[0]: missing key "body")";
        QTest::newRow("groups in a help file") << QByteArray(R"({"format": "vorrak-help", "groups": []})")
                                               << R"(missing key "topics")";
        QTest::newRow("odd trailing bytes") << QByteArray(R"({"format": "vorrak-help", "topics": [], "trailingBytes": "abc"})")
                                            << "trailingBytes: expected a string of hexadecimal byte pairs";
        QTest::newRow("key twice") << procData(R"({"name": "p", "maxQL": 10, "minQL": 1, "reqs": [], "maxQL": 20})")
                                   << "key \"maxQL\" appears twice in one object, at line 1, column 113 (byte 112)";
        QTest::newRow("escaped key twice") << QByteArray(R"({"format": "vorrak-help", "topics": [], "\u0066ormat": "x"})")
                                           << "key \"format\" appears twice in one object, at line 1, column 41 (byte 40)";
        QTest::newRow("format twice") << QByteArray(R"({"format": "vorrak-help", "format": "vorrak-data", "groups": []})")
                                      << "key \"format\" appears twice in one object, at line 1, column 27 (byte 26)";
        QTest::newRow("trailing bytes not hex") << QByteArray(R"({"format": "vorrak-help", "topics": [], "trailingBytes": "zz"})")
                                                << "trailingBytes: expected a string of hexadecimal byte pairs";
    }

    void importErrors()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, error);
        FileContent content;
        content.list<ProcGroup>() = richGroups();
        JsonImporter importer;
        const Result<> outcome = importer.read(json, content);
        QVERIFY(!outcome.isOk());
        QCOMPARE(outcome.text(), error);
        QCOMPARE(std::as_const(content).list<ProcGroup>(), richGroups()); // untouched on failure
    }

    void importRefusesOversizedLists_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("ok");
        QTest::newRow("65535 topics") << "vorrak-help" << "topics" << R"({"id": null, "header": null, "body": null})"
                                      << 65535 << true;
        QTest::newRow("65536 topics") << "vorrak-help" << "topics" << R"({"id": null, "header": null, "body": null})"
                                      << 65536 << false;
        QTest::newRow("65536 groups") << "vorrak-data" << "groups" << R"({"name": null, "procs": []})" << 65536
                                      << false;
    }

    void importRefusesOversizedLists()
    {
        QFETCH(QString, format);
        QFETCH(QString, list);
        QFETCH(QString, item);
        QFETCH(int, count);
        QFETCH(bool, ok);
        QStringList items;
        items.fill(item, count);
        const QString json = QStringLiteral("{\"format\": \"%1\", \"%2\": [%3]}").arg(format, list, items.join(','));
        FileContent content;
        JsonImporter importer;
        const Result<> outcome = importer.read(json.toUtf8(), content);
        QCOMPARE(outcome.isOk(), ok);
        if (ok) {
            QCOMPARE(std::as_const(content).list<HelpTopic>().size() + std::as_const(content).list<ProcGroup>().size(),
                     count);
        } else {
            QCOMPARE(outcome.text(),
                     QStringLiteral("%1: %2 entries, but the file holds at most 65535").arg(list).arg(count));
        }
    }

    void equalKeysInDifferentObjectsAreFine()
    {
        // Brackets, commas and an escaped quote inside a text are no structure.
        const QByteArray json = "{\"format\": \"vorrak-data\", \"groups\": [{\"name\": \"a\\\"}{,\", \"procs\": []}, "
                                "{\"name\": \"b\", \"procs\": [{\"name\": \"p\", \"maxQL\": 1, \"minQL\": 1, \"reqs\": []}]}]}";
        FileContent content;
        JsonImporter importer;
        const Result<> outcome = importer.read(json, content);
        QVERIFY2(outcome.isOk(), qPrintable(outcome.text()));
        QCOMPARE(content.list<ProcGroup>().size(), 2);
        QCOMPARE(content.list<ProcGroup>().first().name, QStringLiteral("a\"}{,"));
    }

    void cutJsonGivesOneLineError()
    {
        FileContent content;
        content.list<ProcGroup>() = richGroups();
        const QByteArray json = JsonExport::toJson(content);
        for (qsizetype cut = 0; cut < json.size(); ++cut) {
            const QByteArray tag = "cut at " + QByteArray::number(cut);
            FileContent imported;
            JsonImporter importer;
            // Only the final line break can go without harm.
            const bool whole = cut == json.size() - 1;
            const Result<> outcome = importer.read(json.left(cut), imported);
            QVERIFY2(outcome.isOk() == whole, tag);
            if (!whole) {
                QVERIFY2(outcome.text().startsWith(QLatin1String("invalid JSON at line ")), tag);
                QVERIFY2(!outcome.text().contains(QLatin1Char('\n')), tag);
            }
        }
    }

    void importAcceptsEscapedTexts()
    {
        const QByteArray json = R"({"format": "vorrak-help", "topics": [{"id": "\ud800", "header": "\u0000a\n", "body": "\ud83d\ude00"}]})";
        FileContent content;
        JsonImporter importer;
        const Result<> outcome = importer.read(json, content);
        QVERIFY2(outcome.isOk(), qPrintable(outcome.text()));
        QCOMPARE(content.kind, &FileKind::Help);
        const HelpTopic topic = content.list<HelpTopic>().first();
        QCOMPARE(topic.id, QString(QChar(0xD800)));
        QCOMPARE(topic.header, QString(QChar(0)) + QStringLiteral("a\n"));
        QCOMPARE(topic.body, QStringLiteral("😀"));
    }
};

QTEST_GUILESS_MAIN(TestDataJson)
#include "tst_datajson.moc"
