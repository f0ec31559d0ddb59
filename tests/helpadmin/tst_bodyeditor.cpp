// The help body editor: tags around the marking or at the cursor, "<br>" on
// Return, undo and redo, Save versus Close, the status bar and its texts.
#include "admin/helpadmin/bodytextedit.h"
#include "admin/helpadmin/vorrakeditor.h"
#include "tests/helpadmin/helpadmintestsupport.h"
#include "tests/support/logcapture.h"
#include "tests/support/modalanswer.h"

#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QToolTip>

namespace {

struct Editor
{
    Editor()
    {
        dialog.show();
        edit = dialog.findChild<BodyTextEdit *>(QStringLiteral("BodyEdit"));
        statusBar = dialog.findChild<QStatusBar *>(QStringLiteral("StatusBar"));
    }
    QPushButton *button(const QString &name) const { return dialog.findChild<QPushButton *>(name); }
    void click(const QString &name) const { QTest::mouseClick(button(name), Qt::LeftButton); }
    // The text cursor as line and column.
    QPoint cursor() const
    {
        const QTextCursor c = edit->textCursor();
        return QPoint(c.positionInBlock(), c.blockNumber());
    }
    void setCursor(int line, int column, int toLine = -1, int toColumn = -1) const
    {
        QTextCursor c = edit->textCursor();
        c.setPosition(edit->document()->findBlockByNumber(line).position() + column);
        if (toLine >= 0)
            c.setPosition(edit->document()->findBlockByNumber(toLine).position() + toColumn, QTextCursor::KeepAnchor);
        edit->setTextCursor(c);
    }

    VorrakEditor dialog;
    BodyTextEdit *edit = nullptr;
    QStatusBar *statusBar = nullptr;
};

} // namespace

class TestBodyEditor : public QObject
{
    Q_OBJECT

private slots:
    void window();
    void buttons_data();
    void buttons();
    void insertTags_data();
    void insertTags();
    void markingWithKeyboard();
    void tagsTwiceMakeTwoPairs();
    void buttonsLeaveFocusInText_data();
    void buttonsLeaveFocusInText();
    void lineBreak_data();
    void lineBreak();
    void undoRedo_data();
    void undoRedo();
    void closing_data();
    void closing();
    void statusBarFollowsHoveredButton_data();
    void statusBarFollowsHoveredButton();
    void lockIndicatorsWithoutKeyState();
    void unconnectedSlotsWarn_data();
    void unconnectedSlotsWarn();
};

void TestBodyEditor::window()
{
    Editor editor;
    QCOMPARE(editor.dialog.objectName(), QStringLiteral("VorrakEditor"));
    QCOMPARE(editor.dialog.windowTitle(), QStringLiteral("VorrakAdmin"));
    QCOMPARE(editor.dialog.size(), QSize(500, 400));
    QVERIFY(editor.edit);
    QCOMPARE(editor.dialog.focusWidget(), editor.edit);
    QCOMPARE(editor.cursor(), QPoint(0, 0));
    QVERIFY(editor.statusBar);
    QCOMPARE(editor.statusBar->currentMessage(), QStringLiteral("Ready."));
}

void TestBodyEditor::buttons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<int>("order");

    QTest::newRow("Close") << "CloseBtn" << "Close" << 0;
    QTest::newRow("Save") << "SaveBtn" << "Save" << 1;
    QTest::newRow("Bold") << "BoldBtn" << "Bold" << 2;
    QTest::newRow("Underlined") << "ULineBtn" << "Underlined" << 3;
    QTest::newRow("Italic") << "ItalicBtn" << "Italic" << 4;
    QTest::newRow("Undo") << "UndoBtn" << "Undo" << 5;
    QTest::newRow("Redo") << "RedoBtn" << "Redo" << 6;
}

void TestBodyEditor::buttons()
{
    QFETCH(QString, name);
    QFETCH(QString, toolTip);
    QFETCH(int, order);
    Editor editor;
    QPushButton *button = editor.button(name);
    QVERIFY(button);
    QCOMPARE(button->text(), QString());
    QCOMPARE(button->toolTip(), toolTip);
    QVERIFY(!button->icon().isNull());
    QCOMPARE(button->icon().availableSizes().value(0), QSize(16, 16));
    QVERIFY(!button->autoDefault());
    QVERIFY(!button->isDefault());
    // Left to right in the order of the row.
    const QStringList row = {"CloseBtn", "SaveBtn", "BoldBtn", "ULineBtn", "ItalicBtn", "UndoBtn", "RedoBtn"};
    if (order > 0)
        QVERIFY(editor.button(row.at(order - 1))->x() < button->x());
    QHelpEvent tipRequest(QEvent::ToolTip, QPoint(4, 4), button->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(button, &tipRequest);
    QTRY_COMPARE(QToolTip::text(), toolTip);
    QToolTip::hideText();
}

void TestBodyEditor::insertTags_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QPoint>("cursor");
    // Points are (column, line); `to` (-1, -1) means nothing is marked.
    const QPoint none(-1, -1);

    QTest::newRow("nothing marked: bold at the cursor")
        << "Hello world" << QPoint(5, 0) << none << "BoldBtn" << "Hello<b></b> world" << QPoint(12, 0);
    QTest::newRow("word on one line: italic")
        << "one two three" << QPoint(4, 0) << QPoint(7, 0) << "ItalicBtn" << "one <i>two</i> three" << QPoint(14, 0);
    QTest::newRow("marked backwards")
        << "one two three" << QPoint(7, 0) << QPoint(4, 0) << "ItalicBtn" << "one <i>two</i> three" << QPoint(14, 0);
    QTest::newRow("across lines: underlined") << "abcdef\nghij\nklmnop" << QPoint(2, 0) << QPoint(3, 2) << "ULineBtn"
                                              << "ab<u>cdef\nghij\nklm</u>nop" << QPoint(7, 2);
    QTest::newRow("across lines, second line") << "ab\ncdef\ngh" << QPoint(1, 1) << QPoint(1, 2) << "BoldBtn"
                                               << "ab\nc<b>def\ng</b>h" << QPoint(5, 2);
    QTest::newRow("whole line") << "abc\nx" << QPoint(0, 0) << QPoint(3, 0) << "BoldBtn" << "<b>abc</b>\nx"
                                << QPoint(10, 0);
}

void TestBodyEditor::insertTags()
{
    QFETCH(QString, text);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QString, button);
    QFETCH(QString, result);
    QFETCH(QPoint, cursor);
    Editor editor;
    editor.edit->setPlainText(text);
    editor.setCursor(from.y(), from.x(), to.y(), to.x());
    editor.click(button);
    QCOMPARE(editor.edit->toPlainText(), result);
    QCOMPARE(editor.cursor(), cursor);
    QVERIFY(!editor.edit->textCursor().hasSelection());
}

void TestBodyEditor::markingWithKeyboard()
{
    Editor editor;
    editor.edit->setPlainText(QStringLiteral("say hello\nnow"));
    editor.setCursor(0, 4);
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(editor.edit, Qt::Key_Right, Qt::ShiftModifier);
    editor.click(QStringLiteral("BoldBtn"));
    QCOMPARE(editor.edit->toPlainText(), QStringLiteral("say <b>hello</b>\nnow"));
    // Typing goes on behind the closing tag.
    QTest::keyClicks(editor.edit, QStringLiteral("!"));
    QCOMPARE(editor.edit->toPlainText(), QStringLiteral("say <b>hello</b>!\nnow"));
}

void TestBodyEditor::tagsTwiceMakeTwoPairs()
{
    Editor editor;
    editor.click(QStringLiteral("BoldBtn"));
    editor.click(QStringLiteral("BoldBtn"));
    QCOMPARE(editor.edit->toPlainText(), QStringLiteral("<b></b><b></b>"));
    QCOMPARE(editor.cursor(), QPoint(14, 0));
}

void TestBodyEditor::buttonsLeaveFocusInText_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("fromKeyboard"); // reached with Tab and pressed with Space
    QTest::addColumn<QString>("text");

    QTest::newRow("Bold") << "BoldBtn" << false << "w<b></b> x";
    QTest::newRow("Underlined") << "ULineBtn" << false << "w<u></u> x";
    QTest::newRow("Italic") << "ItalicBtn" << false << "w<i></i> x";
    QTest::newRow("Undo") << "UndoBtn" << false << " x";
    QTest::newRow("Bold from the keyboard") << "BoldBtn" << true << "w<b></b> x";
    QTest::newRow("Undo from the keyboard") << "UndoBtn" << true << " x";
}

// After a button the keys go on into the text where the button left the
// cursor: a blank typed next is text, not a second press of the button.
void TestBodyEditor::buttonsLeaveFocusInText()
{
    QFETCH(QString, button);
    QFETCH(bool, fromKeyboard);
    QFETCH(QString, text);
    Editor editor;
    editor.dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&editor.dialog));
    QTest::keyClicks(editor.edit, QStringLiteral("w"));

    if (fromKeyboard) {
        // Out of the text with Ctrl+Tab, then on along the buttons with Tab.
        for (int step = 0; step < 8 && QApplication::focusWidget() != editor.button(button); ++step) {
            QWidget *focus = QApplication::focusWidget();
            QVERIFY(focus);
            QTest::keyClick(focus, Qt::Key_Tab, focus == editor.edit ? Qt::ControlModifier : Qt::NoModifier);
        }
        QCOMPARE(QApplication::focusWidget(), editor.button(button));
        QTest::keyClick(editor.button(button), Qt::Key_Space);
    } else {
        editor.click(button);
    }
    QCOMPARE(QApplication::focusWidget(), editor.edit);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral(" x"));
    QCOMPARE(editor.edit->toPlainText(), text);
}

void TestBodyEditor::lineBreak_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QPoint>("cursor");

    QTest::newRow("Return at the end of a line")
        << "first\nsecond" << QPoint(5, 0) << int(Qt::Key_Return) << 0 << "first<br>\n\nsecond" << QPoint(0, 1);
    QTest::newRow("Return in the middle of a line")
        << "firstsecond" << QPoint(5, 0) << int(Qt::Key_Return) << 0 << "first<br>\nsecond" << QPoint(0, 1);
    QTest::newRow("Return at the start of a line")
        << "a\nb" << QPoint(0, 1) << int(Qt::Key_Return) << 0 << "a\n<br>\nb" << QPoint(0, 2);
    QTest::newRow("Enter on the keypad") << "ab" << QPoint(1, 0) << int(Qt::Key_Enter) << int(Qt::KeypadModifier)
                                         << "a<br>\nb" << QPoint(0, 1);
    QTest::newRow("Shift+Return breaks the line too")
        << "ab" << QPoint(2, 0) << int(Qt::Key_Return) << int(Qt::ShiftModifier) << "ab<br>\n" << QPoint(0, 1);
}

void TestBodyEditor::lineBreak()
{
    QFETCH(QString, text);
    QFETCH(QPoint, at);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, result);
    QFETCH(QPoint, cursor);
    Editor editor;
    editor.edit->setPlainText(text);
    editor.setCursor(at.y(), at.x());
    QTest::keyClick(editor.edit, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(editor.edit->toPlainText(), result);
    QCOMPARE(editor.cursor(), cursor);
    QVERIFY(editor.dialog.isVisible());
}

void TestBodyEditor::undoRedo_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("changed");

    QTest::newRow("typing") << "type" << "abxyz";
    QTest::newRow("tags are one step") << "bold" << "ab<b></b>";
    QTest::newRow("line break with its <br> is one step") << "return" << "ab<br>\n";
}

void TestBodyEditor::undoRedo()
{
    QFETCH(QString, action);
    QFETCH(QString, changed);
    Editor editor;
    editor.edit->setPlainText(QStringLiteral("ab"));
    editor.edit->moveCursor(QTextCursor::End);
    if (action == QLatin1String("type"))
        QTest::keyClicks(editor.edit, QStringLiteral("xyz"));
    else if (action == QLatin1String("bold"))
        editor.click(QStringLiteral("BoldBtn"));
    else
        QTest::keyClick(editor.edit, Qt::Key_Return);
    QCOMPARE(editor.edit->toPlainText(), changed);

    editor.click(QStringLiteral("UndoBtn"));
    QCOMPARE(editor.edit->toPlainText(), QStringLiteral("ab"));
    editor.click(QStringLiteral("RedoBtn"));
    QCOMPARE(editor.edit->toPlainText(), changed);
    // Both stay usable whatever the history holds.
    QVERIFY(editor.button(QStringLiteral("UndoBtn"))->isEnabled());
    editor.click(QStringLiteral("RedoBtn"));
    QVERIFY(editor.button(QStringLiteral("RedoBtn"))->isEnabled());
    QCOMPARE(editor.edit->toPlainText(), changed);
}

void TestBodyEditor::closing_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("closeWith");
    QTest::addColumn<QString>("reply"); // to the question whether to save the changed body
    QTest::addColumn<int>("result");

    QTest::newRow("Save") << true << "SaveBtn" << "" << int(QDialog::Accepted);
    QTest::newRow("Close, unchanged") << false << "CloseBtn" << "" << int(QDialog::Rejected);
    QTest::newRow("Close, Discard") << true << "CloseBtn" << "Discard" << int(QDialog::Rejected);
    QTest::newRow("Escape, Save") << true << "Escape" << "Save" << int(QDialog::Accepted);
    QTest::newRow("close box, Cancel stays") << true << "closeBox" << "Cancel" << int(QDialog::Accepted);
}

void TestBodyEditor::closing()
{
    QFETCH(bool, changed);
    QFETCH(QString, closeWith);
    QFETCH(QString, reply);
    QFETCH(int, result);
    VorrakEditor editor;
    QStringList asked;
    ModalAnswer answer("VorrakEditor", [&](QWidget *window) {
        auto *edit = window->findChild<BodyTextEdit *>(QStringLiteral("BodyEdit"));
        // Return in the text must not press a button.
        if (changed)
            QTest::keyClick(edit, Qt::Key_Return);
        ModalAnswer question("QMessageBox", [&](QWidget *box) {
            asked.append(messageBoxText(box));
            for (QAbstractButton *button : box->findChildren<QAbstractButton *>()) {
                if (button->text() == reply)
                    QTest::mouseClick(button, Qt::LeftButton);
            }
        });
        if (closeWith == QLatin1String("Escape"))
            QTest::keyClick(edit, Qt::Key_Escape);
        else if (closeWith == QLatin1String("closeBox"))
            window->close();
        else
            QTest::mouseClick(window->findChild<QPushButton *>(closeWith), Qt::LeftButton);
        // Cancel leaves the editor open with the text; Save ends it then.
        if (reply == QLatin1String("Cancel") && window->isVisible())
            QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("SaveBtn")), Qt::LeftButton);
    });
    QCOMPARE(editor.exec(), result);
    QVERIFY(answer.answered());
    QCOMPARE(asked, reply.isEmpty() ? QStringList() : QStringList{QStringLiteral("The body was changed. Save the changes?")});
    QCOMPARE(editor.bodyEdit()->toPlainText(), changed ? QStringLiteral("<br>\n") : QString());
}

void TestBodyEditor::statusBarFollowsHoveredButton_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("statusText");

    QTest::newRow("Close") << "CloseBtn" << "Exit editor without saving changes";
    QTest::newRow("Save") << "SaveBtn" << "Exit editor and save changes";
    QTest::newRow("Bold") << "BoldBtn" << "Insert 'bold' tags around marked text or at cursor";
    QTest::newRow("Underlined") << "ULineBtn" << "Insert 'underlined' tags around marked text or at cursor";
    QTest::newRow("Italic") << "ItalicBtn" << "Insert 'italic' tags around marked text or at cursor";
    QTest::newRow("Undo") << "UndoBtn" << "Undo the last change you did";
    QTest::newRow("Redo") << "RedoBtn" << "Redo the last undo you did";
}

void TestBodyEditor::statusBarFollowsHoveredButton()
{
    QFETCH(QString, name);
    QFETCH(QString, statusText);
    Editor editor;
    QVERIFY(QTest::qWaitForWindowExposed(&editor.dialog));
    QCOMPARE(editor.statusBar->currentMessage(), QStringLiteral("Ready."));
    QTest::mouseMove(editor.button(name));
    QTRY_COMPARE(editor.statusBar->currentMessage(), statusText);
    QTest::mouseMove(editor.edit->viewport());
    QTRY_COMPARE(editor.statusBar->currentMessage(), QString());
}

void TestBodyEditor::lockIndicatorsWithoutKeyState()
{
    // The offscreen platform cannot tell the lock state: both stay greyed,
    // also after the lock keys are released in the text.
    Editor editor;
    auto *num = editor.statusBar->findChild<QLabel *>(QStringLiteral("NumLockInd"));
    auto *caps = editor.statusBar->findChild<QLabel *>(QStringLiteral("CapsLockInd"));
    QVERIFY(num && caps);
    QCOMPARE(num->text(), QStringLiteral("Num"));
    QCOMPARE(caps->text(), QStringLiteral("Caps"));
    QVERIFY(num->x() < caps->x());
    QVERIFY(!num->isEnabled());
    QVERIFY(!caps->isEnabled());
    QTest::keyClick(editor.edit, Qt::Key_CapsLock);
    QTest::keyClick(editor.edit, Qt::Key_NumLock);
    QVERIFY(!num->isEnabled());
    QVERIFY(!caps->isEnabled());
}

void TestBodyEditor::unconnectedSlotsWarn_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("warning");

    QTest::newRow("saveBody") << "saveBody()" << "VorrakEditor::saveBody(): Not implemented yet!";
    QTest::newRow("topicSelected") << "topicSelected(int)" << "VorrakEditor::topicSelected(int): Not implemented yet!";
}

void TestBodyEditor::unconnectedSlotsWarn()
{
    QFETCH(QString, slot);
    QFETCH(QString, warning);
    Editor editor;
    editor.edit->setPlainText(QStringLiteral("kept"));
    const QMetaObject *meta = editor.dialog.metaObject();
    const int index = meta->indexOfSlot(slot.toLatin1().constData());
    QVERIFY(index >= 0);
    LogCapture log;
    if (slot == QLatin1String("saveBody()"))
        QVERIFY(meta->method(index).invoke(&editor.dialog, Qt::DirectConnection));
    else
        QVERIFY(meta->method(index).invoke(&editor.dialog, Qt::DirectConnection, Q_ARG(int, 3)));
    QCOMPARE(log.warningLines(), QStringList{warning});
    QCOMPARE(editor.edit->toPlainText(), QStringLiteral("kept"));
    QVERIFY(editor.dialog.isVisible());
}

QTEST_MAIN(TestBodyEditor)
#include "tst_bodyeditor.moc"
