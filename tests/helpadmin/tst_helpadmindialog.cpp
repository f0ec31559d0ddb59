// The help topic administration window driven as a user would: the topic
// tree, the four actions with their forms and questions, and the log lines.
#include "admin/helpadmin/vorrakhelpdialog.h"
#include "help/helpfile.h"
#include "tests/helpadmin/helpadmintestsupport.h"
#include "tests/support/fixtures.h"
#include "tests/support/logcapture.h"
#include "tests/support/modalanswer.h"
#include "tests/support/scratchdir.h"
#include "tests/support/widgetinput.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>

namespace {

// A window over a help file holding `topics`, shown and ready for clicks.
struct Window
{
    explicit Window(const QList<HelpTopic> &topics)
    {
        if (!topics.isEmpty())
            scratch.write(QStringLiteral("Vorrak.hlp"), helpFileBytes(topics));
        dialog = std::make_unique<VorrakHelpDialog>();
        dialog->show();
        list = dialog->findChild<QTreeWidget *>(QStringLiteral("HeaderList"));
        body = dialog->findChild<QTextBrowser *>(QStringLiteral("BodyView"));
    }
    QPushButton *button(const char *name) const { return dialog->findChild<QPushButton *>(QLatin1String(name)); }
    void select(const QString &id) const { clickRow(list, rowWithId(list, id)); }
    QStringList ids() const { return topicIds(dialog->helpData().topics()); }
    // The ID of the row that is both current and selected, with its body
    // shown; "none", or what differs.
    QString chosen() const
    {
        QTreeWidgetItem *current = list->currentItem();
        const QList<QTreeWidgetItem *> selected = list->selectedItems();
        if (selected != (current ? QList<QTreeWidgetItem *>{current} : QList<QTreeWidgetItem *>()))
            return QStringLiteral("current and selected rows differ");
        QTextBrowser expected;
        if (current)
            expected.setHtml(dialog->helpData().topics().at(current->text(2).toInt()).body);
        if (body->toPlainText() != expected.toPlainText())
            return QStringLiteral("body shown: ") + body->toPlainText();
        return current ? current->text(1) : QStringLiteral("none");
    }

    ScratchDir scratch;
    std::unique_ptr<VorrakHelpDialog> dialog;
    QTreeWidget *list = nullptr;
    QTextBrowser *body = nullptr;
};

QAbstractButton *buttonWithText(QWidget *window, const QString &text)
{
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

QLineEdit *field(QWidget *form, const char *name)
{
    return form->findChild<QLineEdit *>(QLatin1String(name));
}

} // namespace

class TestHelpAdminDialog : public QObject
{
    Q_OBJECT

private slots:
    void constructionLogAndLayout();
    void topicTree_data();
    void topicTree();
    void idTestLine_data();
    void idTestLine();
    void hiddenIndexColumnHoldsPosition();
    void selectingShowsBody();
    void addTopic_data();
    void addTopic();
    void addedTopicShowsEmptyBody();
    void typingAfterPresetKeepsIt();
    void addRefusedWhenFileIsFull();
    void editTopic_data();
    void editTopic();
    void deleteTopic_data();
    void deleteTopic();
    void confirmationText_data();
    void confirmationText();
    void actionsWithoutSelectionDoNothing_data();
    void actionsWithoutSelectionDoNothing();
    void currentRowIsSelectedRow();
    void editBody_data();
    void editBody();
    void bodyTooLargeToEdit_data();
    void bodyTooLargeToEdit();
    void subWindows_data();
    void subWindows();
};

void TestHelpAdminDialog::constructionLogAndLayout()
{
    ScratchDir scratch;
    QVERIFY(scratch.write(QStringLiteral("Vorrak.hlp"), helpFileBytes(topicsWithIds({"2", "2.5"}))));
    LogCapture log;
    VorrakHelpDialog dialog;
    const QStringList expected = {
        "Loading help data...",
        "Topics: 2",
        " * Topic #0: 2> \"Title 2\" (not displaying body...)",
        " * Topic #1: 2.5> \"Title 2.5\" (not displaying body...)",
        "Finished loading help file",
        "Setting up GUI:",
        " * TopLevel layout",
        "   + HBoxLayout",
        "     + VBoxLayout",
        "       + HeaderLabel",
        "       + HeaderList",
        "     + BodyFrame",
        "       + BodyView",
        "   + ActionGroup",
        "     + AddBtn",
        "     + EditBtn",
        "     + DelBtn",
        "     + EditorBtn",
        "   + HBoxLayout",
        "     + CloseBtnBtn",
        "Connecting signals",
        "IDTest: 2.00 - 2 = 0.00",
        "IDTest: 2.50 - 2 = 0.50",
    };
    QCOMPARE(log.debugLines(), expected);

    QCOMPARE(dialog.objectName(), QStringLiteral("VorrakHelpDialog"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("VorrakAdmin"));
    QCOMPARE(dialog.size(), QSize(450, 400));
    auto *list = dialog.findChild<QTreeWidget *>(QStringLiteral("HeaderList"));
    QVERIFY(list);
    QVERIFY(list->isHeaderHidden());
    QCOMPARE(list->columnCount(), 3);
    QCOMPARE(list->headerItem()->text(0), QStringLiteral("Title"));
    QCOMPARE(list->headerItem()->text(1), QStringLiteral("ID"));
    QCOMPARE(list->headerItem()->text(2), QStringLiteral("index"));
    QVERIFY(list->isColumnHidden(2));
    QCOMPARE(list->sortColumn(), 1);
    QCOMPARE(list->header()->sortIndicatorOrder(), Qt::AscendingOrder);
    QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
    auto *close = dialog.findChild<QPushButton *>(QStringLiteral("CloseBtn"));
    QVERIFY(close && close->isDefault());
    QCOMPARE(close->text(), QStringLiteral("&Close"));
    const QList<QPair<const char *, const char *>> buttons = {
        {"AddBtn", "Add Topic"}, {"EditBtn", "Edit Topic"}, {"DelBtn", "Delete Topic"}, {"EditorBtn", "Open Editor"}};
    for (const auto &[name, text] : buttons) {
        auto *button = dialog.findChild<QPushButton *>(QLatin1String(name));
        QVERIFY2(button, name);
        QCOMPARE(button->text(), QLatin1String(text));
    }
}

void TestHelpAdminDialog::topicTree_data()
{
    QTest::addColumn<QStringList>("ids");
    QTest::addColumn<QString>("shape");

    QTest::newRow("sub-topics under their topic, text order") << QStringList{"1", "1.1", "1.2", "2", "10"}
                                                              << "1[1.1,1.2] 10 2";
    QTest::newRow("children sorted by ID text") << QStringList{"1", "1.2", "1.10", "1.1"} << "1[1.1,1.10,1.2]";
    QTest::newRow("parent is the last whole topic in file order") << QStringList{"1", "2", "1.5"} << "1 2[1.5]";
    QTest::newRow("non-numeric, whole and negative IDs stay on top")
        << QStringList{"HLP_intro", "3.0", "-0.5"} << "-0.5 3.0 HLP_intro";
    QTest::newRow("sub-topic IDs before any whole topic stand on top")
        << QStringList{"0.5", "0.7", "1", "1.5"} << "0.5 0.7 1[1.5]";
    QTest::newRow("ID beyond the int range") << QStringList{"3", "99999999999.5"} << "3[99999999999.5]";
    QTest::newRow("empty file") << QStringList{} << "";
}

void TestHelpAdminDialog::topicTree()
{
    QFETCH(QStringList, ids);
    QFETCH(QString, shape);
    Window window(topicsWithIds(ids));
    QCOMPARE(treeShape(window.list), shape);
}

void TestHelpAdminDialog::idTestLine_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("line");

    QTest::newRow("sub-topic") << "1.5" << "IDTest: 1.50 - 1 = 0.50";
    QTest::newRow("whole") << "3.0" << "IDTest: 3.00 - 3 = 0.00";
    QTest::newRow("not a number") << "HLP_intro" << "IDTest: 0.00 - 0 = 0.00";
    QTest::newRow("negative") << "-0.5" << "IDTest: -0.50 - 0 = -0.50";
    QTest::newRow("negative with whole part") << "-2.25" << "IDTest: -2.25 - -2 = -0.25";
    QTest::newRow("beyond int") << "99999999999.5" << "IDTest: 99999999999.50 - 2147483647 = 0.50";
}

void TestHelpAdminDialog::idTestLine()
{
    QFETCH(QString, id);
    QFETCH(QString, line);
    ScratchDir scratch;
    QVERIFY(scratch.write(QStringLiteral("Vorrak.hlp"), helpFileBytes(topicsWithIds({id}))));
    LogCapture log;
    VorrakHelpDialog dialog;
    QCOMPARE(log.debugLines().filter(QStringLiteral("IDTest")), QStringList{line});
}

void TestHelpAdminDialog::hiddenIndexColumnHoldsPosition()
{
    Window window(topicsWithIds({"10", "1", "1.1", "2"}));
    const QStringList ids = {"10", "1", "1.1", "2"};
    for (int p = 0; p < ids.size(); ++p) {
        QTreeWidgetItem *row = rowWithId(window.list, ids.at(p));
        QVERIFY(row);
        QCOMPARE(row->text(2), QString::number(p));
        QCOMPARE(row->text(0), QStringLiteral("Title ") + ids.at(p));
    }
}

void TestHelpAdminDialog::selectingShowsBody()
{
    QList<HelpTopic> topics = topicsWithIds({"1", "2"});
    topics[1].body = QStringLiteral("Some <b>bold</b> words");
    Window window(topics);
    LogCapture log;
    window.select(QStringLiteral("2"));
    QCOMPARE(log.debugLines(), QStringList{"Topic selected: #1"});
    QCOMPARE(window.body->toPlainText(), QStringLiteral("Some bold words"));
    window.select(QStringLiteral("1"));
    QCOMPARE(window.body->toPlainText(), QStringLiteral("Body of 1"));
}

void TestHelpAdminDialog::addTopic_data()
{
    QTest::addColumn<QString>("typedId");
    QTest::addColumn<QString>("typedHeader");
    QTest::addColumn<QString>("closeWith");
    QTest::addColumn<QString>("shape");

    QTest::newRow("untouched form") << "" << "" << "OkBtn" << "1 HLP_";
    QTest::newRow("typed sub-topic") << "1.5" << "Details" << "OkBtn" << "1[1.5]";
    QTest::newRow("Return accepts") << "7" << "Seven" << "Return" << "1 7";
    QTest::newRow("Cancel") << "7" << "Seven" << "CancelBtn" << "1";
    QTest::newRow("Escape") << "7" << "Seven" << "Escape" << "1";
}

void TestHelpAdminDialog::addTopic()
{
    QFETCH(QString, typedId);
    QFETCH(QString, typedHeader);
    QFETCH(QString, closeWith);
    QFETCH(QString, shape);
    Window window(topicsWithIds({"1"}));

    QString presetId, presetHeader, caption, okText, cancelText;
    bool idHasFocus = false;
    ModalAnswer answer("VorrakTopicDialog", [&](QWidget *form) {
        QLineEdit *id = field(form, "IDEdit");
        QLineEdit *header = field(form, "HeaderEdit");
        presetId = id->text();
        presetHeader = header->text();
        idHasFocus = form->focusWidget() == id;
        caption = form->windowTitle();
        okText = form->findChild<QPushButton *>(QStringLiteral("OkBtn"))->text();
        cancelText = form->findChild<QPushButton *>(QStringLiteral("CancelBtn"))->text();
        if (!typedId.isEmpty()) {
            id->selectAll();
            QTest::keyClicks(id, typedId);
        }
        QTest::keyClicks(header, typedHeader);
        if (closeWith == QLatin1String("Return"))
            QTest::keyClick(header, Qt::Key_Return);
        else if (closeWith == QLatin1String("Escape"))
            QTest::keyClick(header, Qt::Key_Escape);
        else
            clickButton(form, closeWith.toLatin1().constData());
    });
    QTest::mouseClick(window.button("AddBtn"), Qt::LeftButton);
    QVERIFY(answer.answered());
    QCOMPARE(presetId, QStringLiteral("HLP_"));
    QCOMPARE(presetHeader, QString());
    QVERIFY(idHasFocus);
    QCOMPARE(caption, QStringLiteral("VorrakAdmin"));
    QCOMPARE(okText, QStringLiteral("&Ok"));
    QCOMPARE(cancelText, QStringLiteral("&Cancel"));
    QCOMPARE(treeShape(window.list), shape);

    const QList<HelpTopic> &topics = window.dialog->helpData().topics();
    const bool accepted = closeWith == QLatin1String("OkBtn") || closeWith == QLatin1String("Return");
    QCOMPARE(topics.size(), accepted ? 2 : 1);
    // The added topic is the chosen row, so the next key moves from it.
    QCOMPARE(window.chosen(), accepted ? topics.last().id : QStringLiteral("none"));
    if (accepted) {
        QCOMPARE(topics.last().id, typedId.isEmpty() ? QStringLiteral("HLP_") : typedId);
        QCOMPARE(topics.last().header, typedHeader);
        QVERIFY(topics.last().body.isNull());
    }
}

// The form opens with the cursor behind "HLP_" and nothing selected, so the
// first key typed goes on from the preset.
void TestHelpAdminDialog::typingAfterPresetKeepsIt()
{
    Window window(topicsWithIds({"1"}));
    ModalAnswer answer("VorrakTopicDialog", [](QWidget *form) {
        QTest::keyClicks(form->focusWidget(), QStringLiteral("intro"));
        clickButton(form, "OkBtn");
    });
    QTest::mouseClick(window.button("AddBtn"), Qt::LeftButton);
    QVERIFY(answer.answered());
    QCOMPARE(window.ids(), QStringList({"1", "HLP_intro"}));
}

void TestHelpAdminDialog::addedTopicShowsEmptyBody()
{
    Window window(topicsWithIds({"1"}));
    window.select(QStringLiteral("1"));
    QCOMPARE(window.body->toPlainText(), QStringLiteral("Body of 1"));
    ModalAnswer answer("VorrakTopicDialog", [](QWidget *form) { clickButton(form, "OkBtn"); });
    QTest::mouseClick(window.button("AddBtn"), Qt::LeftButton);
    QVERIFY(answer.answered());
    window.select(QStringLiteral("HLP_"));
    QCOMPARE(window.body->toPlainText(), QString());
}

void TestHelpAdminDialog::addRefusedWhenFileIsFull()
{
    Window window({});
    QList<HelpTopic> &topics = window.dialog->helpData().topics();
    topics.fill(HelpTopic{QStringLiteral("1"), QStringLiteral("t"), QString()}, HelpFile::MaxTopics - 1);

    // One more still fits: the form opens.
    ModalAnswer form("VorrakTopicDialog", [](QWidget *dialog) { clickButton(dialog, "CancelBtn"); });
    QTest::mouseClick(window.button("AddBtn"), Qt::LeftButton);
    QVERIFY(form.answered());

    topics.append(HelpTopic{QStringLiteral("2"), QStringLiteral("last"), QString()});
    QString text;
    ModalAnswer refusal("QMessageBox", [&](QWidget *box) {
        text = static_cast<QMessageBox *>(box)->text();
        static_cast<QMessageBox *>(box)->accept();
    });
    QTest::mouseClick(window.button("AddBtn"), Qt::LeftButton);
    QVERIFY(refusal.answered());
    QCOMPARE(text, QStringLiteral("The help file cannot hold more than 65535 topics."));
    QCOMPARE(topics.size(), qsizetype(HelpFile::MaxTopics));
    QCOMPARE(topics.last().header, QStringLiteral("last"));
}

void TestHelpAdminDialog::editTopic_data()
{
    QTest::addColumn<QString>("newId");
    QTest::addColumn<QString>("closeWith");
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QString>("newHeader");

    QTest::newRow("ID 2 becomes 1.5: one level down") << "1.5" << "OkBtn" << "1[1.5]" << "Moved";
    QTest::newRow("header only") << "2" << "OkBtn" << "1 2" << "Moved";
    QTest::newRow("Cancel") << "1.5" << "CancelBtn" << "1 2" << "Title 2";
}

void TestHelpAdminDialog::editTopic()
{
    QFETCH(QString, newId);
    QFETCH(QString, closeWith);
    QFETCH(QString, shape);
    QFETCH(QString, newHeader);
    QList<HelpTopic> topics = topicsWithIds({"1", "2"});
    Window window(topics);
    window.select(QStringLiteral("2"));

    QString presetId, presetHeader;
    ModalAnswer answer("VorrakTopicDialog", [&](QWidget *form) {
        presetId = field(form, "IDEdit")->text();
        presetHeader = field(form, "HeaderEdit")->text();
        field(form, "IDEdit")->setText(newId);
        field(form, "HeaderEdit")->setText(QStringLiteral("Moved"));
        clickButton(form, closeWith.toLatin1().constData());
    });
    LogCapture log;
    QTest::mouseClick(window.button("EditBtn"), Qt::LeftButton);
    QVERIFY(answer.answered());
    QCOMPARE(log.debugLines().first(), QStringLiteral("Editing Topic: #1"));
    QCOMPARE(presetId, QStringLiteral("2"));
    QCOMPARE(presetHeader, QStringLiteral("Title 2"));
    QCOMPARE(treeShape(window.list), shape);

    const HelpTopic &edited = window.dialog->helpData().topics().at(1);
    QCOMPARE(edited.id, closeWith == QLatin1String("OkBtn") ? newId : QStringLiteral("2"));
    QCOMPARE(edited.header, newHeader);
    QCOMPARE(edited.body, QStringLiteral("Body of 2"));
    QCOMPARE(window.chosen(), edited.id);
}

void TestHelpAdminDialog::deleteTopic_data()
{
    QTest::addColumn<QString>("deleted");
    QTest::addColumn<QMessageBox::StandardButton>("reply");
    QTest::addColumn<QStringList>("idsAfter");
    QTest::addColumn<QString>("chosenAfter"); // the row that took its place

    QTest::newRow("Yes") << "2" << QMessageBox::Yes << QStringList{"1", "3", "4"} << "3";
    QTest::newRow("Yes on the last row") << "4" << QMessageBox::Yes << QStringList{"1", "2", "3"} << "none";
    QTest::newRow("No") << "2" << QMessageBox::No << QStringList{"1", "2", "3", "4"} << "2";
    QTest::newRow("Escape") << "2" << QMessageBox::NoButton << QStringList{"1", "2", "3", "4"} << "2";
}

void TestHelpAdminDialog::deleteTopic()
{
    QFETCH(QString, deleted);
    QFETCH(QMessageBox::StandardButton, reply);
    QFETCH(QStringList, idsAfter);
    QFETCH(QString, chosenAfter);
    Window window(topicsWithIds({"1", "2", "3", "4"}));
    window.select(deleted);

    QMessageBox::StandardButtons offered;
    ModalAnswer answer("QMessageBox", [&](QWidget *widget) {
        auto *box = static_cast<QMessageBox *>(widget);
        offered = box->standardButtons();
        if (reply == QMessageBox::NoButton)
            QTest::keyClick(box, Qt::Key_Escape);
        else
            QTest::mouseClick(box->button(reply), Qt::LeftButton);
    });
    LogCapture log;
    QTest::mouseClick(window.button("DelBtn"), Qt::LeftButton);
    QVERIFY(answer.answered());
    QCOMPARE(log.debugLines().first(), QStringLiteral("Deleting Topic: #%1").arg(deleted.toInt() - 1));
    QCOMPARE(offered, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(window.ids(), idsAfter);
    QCOMPARE(window.chosen(), chosenAfter);
    // Every row still leads to its own topic.
    for (int p = 0; p < idsAfter.size(); ++p)
        QCOMPARE(rowWithId(window.list, idsAfter.at(p))->text(2), QString::number(p));
}

void TestHelpAdminDialog::confirmationText_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("question");

    QTest::newRow("plain") << "Intro" << "HLP_1" << "Really delete help topic \"Intro\" (HLP_1)?";
    QTest::newRow("percent sign in the header stays")
        << "50%2 off" << "7" << "Really delete help topic \"50%2 off\" (7)?";
}

void TestHelpAdminDialog::confirmationText()
{
    QFETCH(QString, header);
    QFETCH(QString, id);
    QFETCH(QString, question);
    Window window({HelpTopic{id, header, QString()}});
    window.select(id);
    QString text, caption;
    ModalAnswer answer("QMessageBox", [&](QWidget *widget) {
        auto *box = static_cast<QMessageBox *>(widget);
        text = box->text();
        caption = box->windowTitle();
        QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
    });
    QTest::mouseClick(window.button("DelBtn"), Qt::LeftButton);
    QVERIFY(answer.answered());
    QCOMPARE(text, question);
    QCOMPARE(caption, QStringLiteral("VorrakAdmin"));
}

void TestHelpAdminDialog::actionsWithoutSelectionDoNothing_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("Edit Topic") << "EditBtn";
    QTest::newRow("Delete Topic") << "DelBtn";
    QTest::newRow("Open Editor") << "EditorBtn";
}

void TestHelpAdminDialog::actionsWithoutSelectionDoNothing()
{
    QFETCH(QString, button);
    Window window(topicsWithIds({"1", "2"}));
    LogCapture log;
    ModalAnswer unexpected("QDialog", [](QWidget *dialog) { static_cast<QDialog *>(dialog)->reject(); }, 300);
    QTest::mouseClick(window.button(button.toLatin1().constData()), Qt::LeftButton);
    QTest::qWait(50);
    QVERIFY(!unexpected.answered());
    QCOMPARE(log.debugLines(), QStringList());
    QCOMPARE(window.ids(), QStringList({"1", "2"}));
}

// What the window shows as chosen is what the actions act on: a row that
// looks current is the selected row and its body is shown; with no row
// selected none looks current and no body is shown.
void TestHelpAdminDialog::currentRowIsSelectedRow()
{
    Window window(topicsWithIds({"1", "2", "3"}));
    const auto chosen = [&window] { return window.chosen(); };

    window.dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.dialog.get()));
    QCOMPARE(window.dialog->focusWidget(), window.list);
    QCOMPARE(chosen(), QStringLiteral("none"));
    window.select(QStringLiteral("2"));
    QCOMPARE(chosen(), QStringLiteral("2"));
    // Below the rows, and Ctrl on the selected row, a click leaves none chosen.
    QTest::mouseClick(window.list->viewport(), Qt::LeftButton, {}, QPoint(20, window.list->viewport()->height() - 5));
    QCOMPARE(chosen(), QStringLiteral("none"));
    window.select(QStringLiteral("2"));
    QTest::mouseClick(window.list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      window.list->visualItemRect(rowWithId(window.list, QStringLiteral("2"))).center());
    QCOMPARE(chosen(), QStringLiteral("none"));
    // Ctrl+arrows move the current row without selecting: it is selected all the same.
    window.select(QStringLiteral("1"));
    QTest::keyClick(window.list, Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(chosen(), QStringLiteral("2"));

    LogCapture log;
    ModalAnswer editor("VorrakEditor", [](QWidget *dialog) { static_cast<QDialog *>(dialog)->reject(); });
    QTest::mouseClick(window.button("EditorBtn"), Qt::LeftButton);
    QVERIFY(editor.answered());
    QCOMPARE(log.debugLines().value(0), QStringLiteral("Editing Body: #1"));
}

void TestHelpAdminDialog::editBody_data()
{
    QTest::addColumn<QString>("closeWith");
    QTest::addColumn<QString>("reply"); // to the question whether to save the changed body
    QTest::addColumn<QString>("bodyAfter");

    QTest::newRow("Save") << "SaveBtn" << "" << "Old <b>body</b><br>\nnew line";
    QTest::newRow("Close, Discard") << "CloseBtn" << "Discard" << "Old <b>body</b>";
    QTest::newRow("Escape, Discard") << "Escape" << "Discard" << "Old <b>body</b>";
    QTest::newRow("Escape, Save") << "Escape" << "Save" << "Old <b>body</b><br>\nnew line";
}

void TestHelpAdminDialog::editBody()
{
    QFETCH(QString, closeWith);
    QFETCH(QString, reply);
    QFETCH(QString, bodyAfter);
    QList<HelpTopic> topics = topicsWithIds({"1", "2"});
    topics[1].body = QStringLiteral("Old <b>body</b>");
    Window window(topics);
    window.select(QStringLiteral("1"));
    window.select(QStringLiteral("2"));

    QString preset;
    ModalAnswer answer("VorrakEditor", [&](QWidget *editor) {
        auto *edit = editor->findChild<QPlainTextEdit *>(QStringLiteral("BodyEdit"));
        preset = edit->toPlainText();
        edit->moveCursor(QTextCursor::End);
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClicks(edit, QStringLiteral("new line"));
        ModalAnswer question("QMessageBox", [&](QWidget *box) {
            QCOMPARE(messageBoxText(box), QStringLiteral("The body was changed. Save the changes?"));
            QAbstractButton *button = buttonWithText(box, reply);
            QVERIFY(button);
            QTest::mouseClick(button, Qt::LeftButton);
        });
        if (closeWith == QLatin1String("Escape"))
            QTest::keyClick(edit, Qt::Key_Escape);
        else
            clickButton(editor, closeWith.toLatin1().constData());
        QCOMPARE(question.answered(), reply.isEmpty() ? 0 : 1);
    });
    LogCapture log;
    QTest::mouseClick(window.button("EditorBtn"), Qt::LeftButton);
    QVERIFY(answer.answered());
    QCOMPARE(log.debugLines().first(), QStringLiteral("Editing Body: #1"));
    QCOMPARE(preset, QStringLiteral("Old <b>body</b>"));

    const HelpTopic &topic = window.dialog->helpData().topics().at(1);
    QCOMPARE(topic.body, bodyAfter);
    QCOMPARE(topic.id, QStringLiteral("2"));
    QCOMPARE(topic.header, QStringLiteral("Title 2"));
    QCOMPARE(treeShape(window.list), QStringLiteral("1 2"));
    QCOMPARE(window.chosen(), QStringLiteral("2"));
    // The body view shows the body the topic now has.
    QTextBrowser expected;
    expected.setHtml(bodyAfter);
    QCOMPARE(window.body->toPlainText(), expected.toPlainText());
}

void TestHelpAdminDialog::bodyTooLargeToEdit_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<bool>("opens");
    const QString line = QStringLiteral("Some <b>text</b> of a line.<br>\n");
    const QString lines = line.repeated(300000 / line.size());
    QTest::newRow("300,000 characters in lines") << lines << true;
    QTest::newRow("more than 300,000 characters") << lines + line.repeated(2) << false;
    QTest::newRow("one line of 100,001 characters") << QString(100001, u'x') << false;
}

// A body the editor cannot open within a second is refused, says its size and
// the way to edit it, and stays exactly as it was.
void TestHelpAdminDialog::bodyTooLargeToEdit()
{
    QFETCH(QString, body);
    QFETCH(bool, opens);
    Window window({HelpTopic{QStringLiteral("1"), QStringLiteral("Big"), body}});
    window.select(QStringLiteral("1"));

    QString text;
    Qt::TextFormat format = Qt::AutoText;
    bool editorOpened = false;
    ModalAnswer answer(
        [&](QWidget *modal) {
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                text = box->text();
                format = box->textFormat();
            }
            editorOpened = editorOpened || modal->inherits("VorrakEditor");
            static_cast<QDialog *>(modal)->reject();
        });
    QTest::mouseClick(window.button("EditorBtn"), Qt::LeftButton);
    QCOMPARE(answer.answered(), 1);
    QCOMPARE(editorOpened, opens);
    if (!opens) {
        QCOMPARE(format, Qt::PlainText);
        QVERIFY2(text.contains(QLocale::system().toString(qlonglong(body.size()))), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("vorrak-data export Vorrak.hlp")));
        QVERIFY(text.contains(QStringLiteral("vorrak-data import")));
    }
    QVERIFY(window.dialog->helpData().topics().at(0).body == body);
}

void TestHelpAdminDialog::subWindows_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("className");
    QTest::newRow("topic form") << "EditBtn" << "VorrakTopicDialog";
    QTest::newRow("body editor") << "EditorBtn" << "VorrakEditor";
}

void TestHelpAdminDialog::subWindows()
{
    QFETCH(QString, button);
    QFETCH(QString, className);
    Window window(topicsWithIds({"1"}));
    window.select(QStringLiteral("1"));
    QWidget *parent = nullptr;
    bool modal = false;
    Qt::WindowFlags flags;
    QString name;
    ModalAnswer answer(className.toLatin1().constData(), [&](QWidget *dialog) {
        parent = dialog->parentWidget();
        modal = dialog->isModal();
        flags = dialog->windowFlags();
        name = dialog->objectName();
        static_cast<QDialog *>(dialog)->reject();
    });
    QTest::mouseClick(window.button(button.toLatin1().constData()), Qt::LeftButton);
    QVERIFY(answer.answered());
    QCOMPARE(parent, window.dialog.get());
    QVERIFY(modal);
    QCOMPARE(name, className);
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
}

QTEST_MAIN(TestHelpAdminDialog)
#include "tst_helpadmindialog.moc"
