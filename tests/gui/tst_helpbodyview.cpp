#include "gui/helpbodyview.h"
#include "tests/support/logcapture.h"
#include "tests/support/openwatch.h"
#include "tests/support/scratchdir.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QString nested(const QString &open, const QString &close, int depth)
{
    return open.repeated(depth) + QStringLiteral("deep") + close.repeated(depth);
}

bool writePicture(const QString &path)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    return image.save(path, "PNG");
}

} // namespace

// A help body is text from whoever made the help file: whatever it holds,
// the view opens no file, follows no link and stays responsive.
class TestHelpBodyView : public QObject
{
    Q_OBJECT

private slots:
    void hostileBody_data();
    void hostileBody();
};

void TestHelpBodyView::hostileBody_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<bool>("clickLink");   // the first link is clicked after showing
    QTest::addColumn<bool>("showsSource"); // shown as the plain source, not rendered

    QTest::newRow("image file") << QStringLiteral("<img src=\"picture.png\">") << false << false;
    QTest::newRow("image by absolute path") << QStringLiteral("<img src=\"%dir%/picture.png\">") << false << false;
    QTest::newRow("image file URL") << QStringLiteral("<img src=\"file://%dir%/picture.png\">") << false << false;
    QTest::newRow("table background") << QStringLiteral("<table background=\"picture.png\"><tr><td>x</td></tr></table>")
                                      << false << false;
    QTest::newRow("style sheet") << QStringLiteral("<head><link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\"></head>text") << false << false;
    QTest::newRow("/dev/zero") << QStringLiteral("<img src=\"/dev/zero\">") << false << false;
    QTest::newRow("FIFO") << QStringLiteral("<img src=\"fifo.png\">") << false << false;
    // Qt's image handler falls back to QImage::load() of the name itself,
    // which takes "http://host/..." for the local path "http:/host/...".
    QTest::newRow("http URL") << QStringLiteral("<img src=\"http://host/picture.png\">") << false << false;
    QTest::newRow("link to a page") << QStringLiteral("<a href=\"other.html\">other</a> page") << true << false;
    QTest::newRow("link to a file URL") << QStringLiteral("<a href=\"file://%dir%/picture.png\">picture</a>") << true
                                        << false;
    QTest::newRow("tables 6 deep")
        << nested(QStringLiteral("<table border=1><tr><td>"), QStringLiteral("</td></tr></table>"), 6) << false << false;
    QTest::newRow("table of 5000 cells")
        << QStringLiteral("<table><tr>%1</tr></table>").arg(QStringLiteral("<td>x</td>").repeated(5000)) << false
        << false;
    QTest::newRow("tables 25 deep")
        << nested(QStringLiteral("<table border=1><tr><td>"), QStringLiteral("</td></tr></table>"), 25) << false << true;
    QTest::newRow("tables 25 deep, not closed") << QStringLiteral("<table><tr><td>").repeated(25) << false << true;
    QTest::newRow("lists 5000 deep") << nested(QStringLiteral("<ul><li>"), QStringLiteral("</li></ul>"), 5000) << false
                                     << true;
    QTest::newRow("stray closing tags do not hide the depth")
        << QStringLiteral("<font color=red></i>").repeated(5000) << false << true;
    // A quote inside an attribute name starts no quoted value, for Qt's
    // parser as for the guard.
    QTest::newRow("stray quote does not hide 25 tables")
        << QStringLiteral("<b x\"y>") + nested(QStringLiteral("<table><tr><td>"), QStringLiteral("</td></tr></table>"), 25)
        << false << true;
    QTest::newRow("stray quote does not hide 30000 div")
        << QStringLiteral("<b x\"y>") + QStringLiteral("<div>").repeated(30000) << false << true;
    QTest::newRow("quoted value holding a tag") << QStringLiteral("<a title=\"<table>\">x</a>").repeated(300) << false
                                                << false;
    QTest::newRow("100000 nested div") << QStringLiteral("<div>").repeated(100000) << false << true;
    QTest::newRow("word of 1M characters") << QString(1000000, u'x') << false << true;
    QTest::newRow("5000 images aligned left") << QStringLiteral("<img align=left>").repeated(5000) << false << true;
    QTest::newRow("200 images aligned left") << QStringLiteral("<img align=left>").repeated(200) << false << false;
    QTest::newRow("nobr of 100000 characters")
        << QStringLiteral("<nobr>%1</nobr>").arg(QStringLiteral("ab ").repeated(33000)) << false << true;
    QTest::newRow("20000 elements") << QStringLiteral("<b>x</b>").repeated(20000) << false << true;
    QTest::newRow("2 words of 10000 characters") << (QString(10000, u'x') + u' ').repeated(2) << false << true;
    QTest::newRow("a word of 9000 characters") << QString(9000, u'x') + QStringLiteral(" and more") << false
                                                << false;
    QTest::newRow("table of 5000 rows")
        << QStringLiteral("<table>%1</table>").arg(QStringLiteral("<tr><td>x</td></tr>").repeated(5000)) << false
        << true;
    QTest::newRow("50M characters of text") << QStringLiteral("Lorem ipsum dolor sit amet. ").repeated(1800000)
                                            << false << true;
}

void TestHelpBodyView::hostileBody()
{
    QFETCH(QString, body);
    QFETCH(bool, clickLink);
    QFETCH(bool, showsSource);

    ScratchDir dir;
    QVERIFY(dir.isValid());
    body.replace(QStringLiteral("%dir%"), dir.path());
    QVERIFY(writePicture(dir.filePath(QStringLiteral("picture.png"))));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("http:/host")));
    QVERIFY(writePicture(dir.filePath(QStringLiteral("http:/host/picture.png"))));
    QVERIFY(dir.write(QStringLiteral("style.css"), "* { color: red }"));
    // Opened for reading, a FIFO without a writer blocks for good.
    QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("fifo.png"))).constData(), 0600), 0);

    OpenWatch watch;
    QVERIFY(watch.add(dir.path()));
    QVERIFY(watch.add(dir.filePath(QStringLiteral("http:/host"))));
    QVERIFY(watch.add(QStringLiteral("/dev/zero")));

    LogCapture log;
    HelpBodyView view;
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.showBody(body);
    view.grab(); // lays out and paints, loading what the body asks for
    const QString shown = view.toPlainText();
    QCOMPARE(view.showsSource(), showsSource);
    if (showsSource && body.size() > HelpBodyView::MaxSourceShown) {
        // A note that the rest is not shown, then the start of the source.
        QVERIFY(shown.startsWith(QStringLiteral("[Only the first ")));
        QVERIFY(shown.endsWith(QStringLiteral("]\n\n") + body.left(HelpBodyView::MaxSourceShown)));
        QVERIFY(shown.size() < HelpBodyView::MaxSourceShown + 200);
    } else if (showsSource) {
        QCOMPARE(shown, body);
    } else {
        QVERIFY(shown != body || !body.contains(u'<'));
    }

    if (clickLink) {
        QSignalSpy clicked(&view, &QTextBrowser::anchorClicked);
        QTextCursor cursor(view.document());
        cursor.setPosition(1);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.cursorRect(cursor).center());
        QCOMPARE(clicked.size(), 1); // the click met the link
        view.grab();
    }

    QCOMPARE(watch.opened(), QStringList());
    QCOMPARE(view.toPlainText(), shown);
    QCOMPARE(log.warningLines(), QStringList());

    // An image shows as Qt's own placeholder for one it cannot find.
    if (body.startsWith(QLatin1String("<img")) && body.count(QLatin1String("<img")) == 1) {
        QTextBrowser missing;
        missing.resize(view.size());
        missing.show();
        QVERIFY(QTest::qWaitForWindowExposed(&missing));
        missing.setHtml(QStringLiteral("<img src=\"no such picture.png\">"));
        QCOMPARE(view.grab().toImage(), missing.grab().toImage());
    }
}

QTEST_MAIN(TestHelpBodyView)
#include "tst_helpbodyview.moc"
