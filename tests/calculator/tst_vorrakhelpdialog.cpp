#include "calculator/vorrakdialog.h"
#include "calculator/vorrakhelpdialog.h"
#include "tests/support/fixtures.h"
#include "tests/support/logcapture.h"
#include "tests/support/modalanswer.h"
#include "tests/support/scratchdir.h"
#include "tests/support/widgetinput.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>

#include <memory>

namespace {

QList<HelpTopic> threeTopics()
{
    return {HelpTopic{QStringLiteral("1"), QStringLiteral("Getting started"), QStringLiteral("<b>First</b> body")},
            HelpTopic{QStringLiteral("2"), QStringLiteral("Quality"), QStringLiteral("Second body")},
            HelpTopic{QStringLiteral("3"), QStringLiteral("Credits"), QStringLiteral("Third body")}};
}

QStringList listTexts(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

QStringList selectedTexts(const QListWidget *list)
{
    QStringList texts;
    for (const QListWidgetItem *item : list->selectedItems())
        texts << item->text();
    return texts;
}

void clickRow(QListWidget *list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

QListWidget *topicsList(const QWidget &help)
{
    return help.findChild<QListWidget *>(QStringLiteral("TopicsList"));
}

QTextBrowser *bodyView(const QWidget &help)
{
    return help.findChild<QTextBrowser *>(QStringLiteral("BodyView"));
}

} // namespace

class TestVorrakHelpDialog : public ScratchTest
{
    Q_OBJECT

private slots:
    void topicsAndFirstBody();
    void window_data();
    void window();
    void choosingTopic_data();
    void choosingTopic();
    void aboutQt_data();
    void aboutQt();
    void noTopics();
    void unusableHelpFile_data();
    void unusableHelpFile();
    void richTextBody();
    void closeButtonRejects();
    void openingTwiceReadsFileAgain();
};

void TestVorrakHelpDialog::topicsAndFirstBody()
{
    QVERIFY(writeHelpFile(threeTopics()));
    QList<MessageBoxRecord> boxes;
    ModalAnswer watcher(closeMessageBoxes(&boxes));
    LogCapture log;
    VorrakHelpDialog help;

    auto *list = topicsList(help);
    auto *body = bodyView(help);
    QVERIFY(list && body);
    QCOMPARE(listTexts(list), (QStringList{QStringLiteral("Getting started"), QStringLiteral("Quality"),
                                           QStringLiteral("Credits"), QStringLiteral("About Qt")}));
    QCOMPARE(body->toPlainText(), QStringLiteral("First body"));
    // The topic shown is the one marked as chosen.
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(selectedTexts(list), QStringList{QStringLiteral("Getting started")});
    QCOMPARE(boxes.size(), 0);
    QCOMPARE(log.allLines(), (QStringList{
                                 QStringLiteral("D: Topics: 3"),
                                 QStringLiteral("D:  * Topic #0: 1> \"Getting started\" (not displaying body...)"),
                                 QStringLiteral("D:  * Topic #1: 2> \"Quality\" (not displaying body...)"),
                                 QStringLiteral("D:  * Topic #2: 3> \"Credits\" (not displaying body...)"),
                                 QStringLiteral("D: Finished loading help file"),
                             }));
}

void TestVorrakHelpDialog::window_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("parentName");

    QTest::newRow("label") << "TopicsLabel" << "QLabel" << "VorrakHelpDialogBase";
    QTest::newRow("list") << "TopicsList" << "QListWidget" << "VorrakHelpDialogBase";
    QTest::newRow("frame") << "BodyFrame" << "QFrame" << "VorrakHelpDialogBase";
    QTest::newRow("body") << "BodyView" << "HelpBodyView" << "BodyFrame";
    QTest::newRow("close") << "CloseButton" << "QPushButton" << "VorrakHelpDialogBase";
}

void TestVorrakHelpDialog::window()
{
    QFETCH(QString, objectName);
    QFETCH(QString, className);
    QFETCH(QString, parentName);

    QVERIFY(writeHelpFile(threeTopics()));
    VorrakHelpDialog help;
    QCOMPARE(help.objectName(), QStringLiteral("VorrakHelpDialogBase"));
    QCOMPARE(help.windowTitle(), QStringLiteral("vorrakhelpdialog"));
    QCOMPARE(help.size(), QSize(500, 400));
    QVERIFY(!help.windowIcon().isNull());

    QWidget *widget = help.findChild<QWidget *>(objectName);
    QVERIFY(widget);
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
    QCOMPARE(widget->parentWidget()->objectName(), parentName);

    auto *label = help.findChild<QLabel *>(QStringLiteral("TopicsLabel"));
    QCOMPARE(label->text(), QStringLiteral("Help Topics"));
    QCOMPARE(label->frameShape(), QFrame::Panel);
    QCOMPARE(label->frameShadow(), QFrame::Raised);
    QCOMPARE(help.findChild<QPushButton *>(QStringLiteral("CloseButton"))->text(), QStringLiteral("&Close"));
}

void TestVorrakHelpDialog::choosingTopic_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("body");

    QTest::newRow("second") << 1 << "Second body";
    QTest::newRow("third") << 2 << "Third body";
    QTest::newRow("first after another") << 0 << "First body";
}

void TestVorrakHelpDialog::choosingTopic()
{
    QFETCH(int, row);
    QFETCH(QString, body);

    QVERIFY(writeHelpFile(threeTopics()));
    VorrakHelpDialog help;
    QVERIFY(showAndActivate(help));
    auto *list = topicsList(help);
    auto *view = bodyView(help);
    // Start from another topic so that every row is a change.
    clickRow(list, row == 2 ? 1 : 2);
    QTRY_VERIFY(view->toPlainText() != body);
    clickRow(list, row);
    QTRY_COMPARE(view->toPlainText(), body);
    QCOMPARE(selectedTexts(list), QStringList{list->item(row)->text()});
}

void TestVorrakHelpDialog::aboutQt_data()
{
    QTest::addColumn<int>("viewedFirst"); // -1: none chosen since opening
    QTest::addColumn<int>("expectedRow");
    QTest::addColumn<QString>("body");

    QTest::newRow("after the third topic") << 2 << 2 << "Third body";
    QTest::newRow("first thing after opening") << -1 << 0 << "First body";
}

void TestVorrakHelpDialog::aboutQt()
{
    QFETCH(int, viewedFirst);
    QFETCH(int, expectedRow);
    QFETCH(QString, body);

    QVERIFY(writeHelpFile(threeTopics()));
    QList<MessageBoxRecord> boxes;
    ModalAnswer watcher(closeMessageBoxes(&boxes));
    VorrakHelpDialog help;
    QVERIFY(showAndActivate(help));
    auto *list = topicsList(help);
    auto *view = bodyView(help);
    if (viewedFirst >= 0) {
        clickRow(list, viewedFirst);
        QTRY_COMPARE(view->toPlainText(), body);
    }

    clickRow(list, 3);
    QTRY_COMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().caption, QStringLiteral("About Qt"));
    QVERIFY(boxes.first().text.contains(QStringLiteral("About Qt")));
    // Back on the topic shown last, which is also the selected entry.
    QTRY_COMPARE(list->currentRow(), expectedRow);
    QCOMPARE(selectedTexts(list), QStringList{list->item(expectedRow)->text()});
    QCOMPARE(view->toPlainText(), body);
    QTest::qWait(50);
    QCOMPARE(boxes.size(), 1);
}

void TestVorrakHelpDialog::noTopics()
{
    QList<MessageBoxRecord> boxes;
    ModalAnswer watcher(closeMessageBoxes(&boxes));
    VorrakHelpDialog help;

    // The about box opened while the viewer was being built.
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().caption, QStringLiteral("About Qt"));
    auto *list = topicsList(help);
    QCOMPARE(listTexts(list), QStringList{QStringLiteral("About Qt")});
    QCOMPARE(bodyView(help)->toPlainText(), QString());

    // Showing the viewer doesn't open it again; choosing the entry does.
    QVERIFY(showAndActivate(help));
    QTest::qWait(100);
    QCOMPARE(boxes.size(), 1);
    clickRow(list, 0);
    QTRY_COMPARE(boxes.size(), 2);
}

void TestVorrakHelpDialog::unusableHelpFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("swapped magic")
        << hexBytes("3D 14 A7 E9 00 00")
        << QStringList{QStringLiteral("Vorrak: Unable to load help file: Format not recognized"),
                       QStringLiteral("About Qt")}
        << QStringLiteral("BAD MAGIC NUMBER!") << QStringList{QStringLiteral("About Qt")};

    QByteArray cut = helpFileBytes(threeTopics().mid(0, 2));
    cut.chop(5);
    QTest::newRow("cut short") << cut
                               << QStringList{QStringLiteral("Vorrak: Unable to load help file: File is damaged.\n1 "
                                                             "topic was read before the damage and is shown.")}
                               << QStringLiteral("Help file %1/Vorrak.hlp is damaged")
                               << QStringList{QStringLiteral("Getting started"), QStringLiteral("About Qt")};
}

void TestVorrakHelpDialog::unusableHelpFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, messages);
    QFETCH(QString, warning);
    QFETCH(QStringList, entries);

    QVERIFY(m_dir->write(QStringLiteral("Vorrak.hlp"), bytes));
    QList<MessageBoxRecord> boxes;
    ModalAnswer watcher(closeMessageBoxes(&boxes));
    LogCapture log;
    VorrakHelpDialog help;

    QStringList shown;
    for (const MessageBoxRecord &box : boxes) {
        if (box.caption == QLatin1String("About Qt")) {
            shown << box.caption;
        } else {
            QCOMPARE(box.icon, int(QMessageBox::Critical));
            shown << box.caption + QLatin1String(": ") + box.text;
        }
    }
    QCOMPARE(shown, messages);
    QCOMPARE(listTexts(topicsList(help)), entries);
    const QStringList lines = log.allLines();
    const int warningAt = lines.indexOf(QLatin1String("W: ") + warning.arg(QDir::currentPath()));
    QVERIFY2(warningAt >= 0, qPrintable(lines.join(QLatin1Char('|'))));
    // A damaged file still ends its log; an unrecognised one stops at the warning.
    const bool damaged = warning.startsWith(QLatin1String("Help file"));
    QCOMPARE(lines.indexOf(QStringLiteral("D: Finished loading help file")) > warningAt, damaged);
}

void TestVorrakHelpDialog::richTextBody()
{
    QVERIFY(writeHelpFile({HelpTopic{QStringLiteral("1"), QStringLiteral("Rich"),
                                     QStringLiteral("Press <b>GO!</b><br>to see the <i>list</i>")}}));
    VorrakHelpDialog help;
    QTextDocument *document = bodyView(help)->document();

    QCOMPARE(document->toPlainText(), QStringLiteral("Press GO!\nto see the list"));
    const QTextCursor bold = document->find(QStringLiteral("GO!"));
    QVERIFY(!bold.isNull());
    QCOMPARE(bold.charFormat().fontWeight(), int(QFont::Bold));
    const QTextCursor plain = document->find(QStringLiteral("Press"));
    QCOMPARE(plain.charFormat().fontWeight(), int(QFont::Normal));
    QVERIFY(document->find(QStringLiteral("list")).charFormat().fontItalic());
}

void TestVorrakHelpDialog::closeButtonRejects()
{
    QVERIFY(writeHelpFile(threeTopics()));
    VorrakHelpDialog help;
    ModalAnswer watcher([](QWidget *modal) {
        QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("CloseButton")), Qt::LeftButton);
    });
    help.setResult(QDialog::Accepted);
    QCOMPARE(help.exec(), int(QDialog::Rejected));
    QCOMPARE(watcher.answered(), 1);
}

void TestVorrakHelpDialog::openingTwiceReadsFileAgain()
{
    QVERIFY(writeHelpFile({HelpTopic{QStringLiteral("1"), QStringLiteral("One"), QStringLiteral("1")}}));
    VorrakDialog dialog;
    QVERIFY(showAndActivate(dialog));

    QList<QStringList> opened;
    ModalAnswer watcher([&opened](QWidget *modal) {
        opened << listTexts(modal->findChild<QListWidget *>(QStringLiteral("TopicsList")));
        QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("CloseButton")), Qt::LeftButton);
    });
    auto *helpButton = dialog.findChild<QPushButton *>(QStringLiteral("HelpButton"));
    QTest::mouseClick(helpButton, Qt::LeftButton);
    QVERIFY(writeHelpFile({HelpTopic{QStringLiteral("2"), QStringLiteral("Two"), QStringLiteral("2")},
                           HelpTopic{QStringLiteral("3"), QStringLiteral("Three"), QStringLiteral("3")}}));
    QTest::mouseClick(helpButton, Qt::LeftButton);

    QCOMPARE(opened.size(), 2);
    QCOMPARE(opened.at(0), (QStringList{QStringLiteral("One"), QStringLiteral("About Qt")}));
    QCOMPARE(opened.at(1), (QStringList{QStringLiteral("Two"), QStringLiteral("Three"), QStringLiteral("About Qt")}));
}

QTEST_MAIN(TestVorrakHelpDialog)
#include "tst_vorrakhelpdialog.moc"
