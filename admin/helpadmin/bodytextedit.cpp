#include "admin/helpadmin/bodytextedit.h"

#include <QKeyEvent>
#include <QTextBlock>

BodyTextEdit::BodyTextEdit(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

void BodyTextEdit::setBody(const QString &body)
{
    m_loaded = BodyDocumentText(body);
    setPlainText(m_loaded.text());
}

QString BodyTextEdit::body() const
{
    return m_loaded.bodyFrom(document()->toRawText());
}

bool BodyTextEdit::isChanged() const
{
    return document()->toRawText() != m_loaded.text();
}

void BodyTextEdit::insertTags(const QString &open, const QString &close)
{
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    if (cursor.hasSelection()) {
        const int start = cursor.selectionStart();
        const int end = cursor.selectionEnd();
        // The closing tag goes in first so that the start stays valid.
        cursor.clearSelection();
        cursor.setPosition(end);
        cursor.insertText(close);
        cursor.setPosition(start);
        cursor.insertText(open);
        cursor.setPosition(end + int(open.size()) + int(close.size()));
    } else {
        cursor.insertText(open);
        cursor.insertText(close);
    }
    cursor.endEditBlock();
    setTextCursor(cursor);
}

void BodyTextEdit::appendToPreviousLine(const QString &text)
{
    const QTextBlock line = textCursor().block().previous();
    if (!line.isValid())
        return;
    QTextCursor cursor(document());
    cursor.joinPreviousEditBlock();
    cursor.setPosition(line.position() + line.length() - 1);
    cursor.insertText(text);
    cursor.endEditBlock();
}

void BodyTextEdit::keyPressEvent(QKeyEvent *event)
{
    // Tab is a character of the text; Ctrl+Tab and Ctrl+Shift+Tab move the
    // focus on, as in Qt's other text editors. (The text edit's own
    // focusNextPrevChild() refuses while Tab types a tab.)
    const bool backtab = event->key() == Qt::Key_Backtab
        || (event->key() == Qt::Key_Tab && (event->modifiers() & Qt::ShiftModifier));
    if ((event->modifiers() & Qt::ControlModifier) && (event->key() == Qt::Key_Tab || backtab)) {
        QWidget::focusNextPrevChild(!backtab);
        event->accept();
        return;
    }
    const bool lineBreak = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !isReadOnly()
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (!lineBreak) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    // Shift+Return would insert a line separator inside the paragraph; here
    // every Return starts a new line.
    QTextCursor cursor = textCursor();
    cursor.insertBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
    event->accept();
    emit returnPressed();
}
