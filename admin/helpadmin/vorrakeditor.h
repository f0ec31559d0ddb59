#pragma once

#include "admin/helpadmin/lockkeys.h"

#include <QDialog>
#include <memory>

class BodyTextEdit;
class QLabel;
class QStatusBar;

namespace Ui {
class VorrakEditor;
}

// The editor for the rich-text source of one help body: tag buttons, "<br>"
// on every Return, undo and redo, and a status bar with the buttons' texts
// and the Num / Caps indicators. Save accepts, Close rejects; the opener
// takes the text from bodyEdit(). Leaving a changed body any other way than
// by Save asks first; at the end of the session it is kept as by Save.
class VorrakEditor : public QDialog
{
    Q_OBJECT

public:
    // The arguments of the editor's dialogs: without a name the object is
    // called "VorrakEditor".
    explicit VorrakEditor(QWidget *parent = nullptr, const char *name = nullptr, bool modal = false,
                   Qt::WindowFlags flags = {});
    ~VorrakEditor() override;

    BodyTextEdit *bodyEdit() const;

public slots:
    // Escape, "Close" and the close box: a changed body is saved, dropped or
    // kept in the editor, as the user answers.
    void reject() override;

protected slots:
    virtual void addBR();
    virtual void toggleBold();
    virtual void toggleUline();
    virtual void toggleItalic();
    virtual void saveBody();
    virtual void topicSelected(int);

protected:
    bool event(QEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    void showLockState(QLabel *indicator, LockKey key);

    std::unique_ptr<Ui::VorrakEditor> m_ui;
    QStatusBar *m_statusBar;
    QLabel *m_numLockInd;
    QLabel *m_capsLockInd;
};
