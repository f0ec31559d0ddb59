#pragma once

#include "admin/helpadmin/bodydocumenttext.h"

#include <QPlainTextEdit>

// The text edit of the body editor: the source of a rich-text body, one
// paragraph per line, without wrapping so that a line on screen is a line of
// the text.
class BodyTextEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit BodyTextEdit(QWidget *parent = nullptr);

    // The body to edit, and the body as edited: unchanged characters, line
    // breaks and a null body come back as they were given (toPlainText()
    // would turn every break into LF and a non-breaking space into a blank).
    void setBody(const QString &body);
    QString body() const;
    // Whether body() differs from the body given, by its text.
    bool isChanged() const;

    // Wraps the marked text in the two tags and puts the cursor behind the
    // closing one; with nothing marked both tags go in at the cursor.
    void insertTags(const QString &open, const QString &close);

    // Appends `text` to the end of the line above the cursor, as part of the
    // edit that just broke that line, so one undo takes both back.
    void appendToPreviousLine(const QString &text);

signals:
    // Return or Enter has broken the line; the cursor stands on the new one.
    void returnPressed();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    BodyDocumentText m_loaded;
};
