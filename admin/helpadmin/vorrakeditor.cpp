#include "admin/helpadmin/vorrakeditor.h"

#include "admin/helpadmin/bodytextedit.h"
#include "gui/dialogsetup.h"
#include "gui/programcaption.h"
#include "gui/sessionending.h"
#include "gui/textmessagebox.h"
#include "icons/editoricons.h"
#include "ui_vorrakeditor.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>

VorrakEditor::VorrakEditor(QWidget *parent, const char *name, bool modal, Qt::WindowFlags flags)
    : QDialog(parent, flags)
    , m_ui(std::make_unique<Ui::VorrakEditor>())
{
    setUpDialog(*this, name, modal);
    m_ui->setupUi(this);

    using EditorIcons::Picture;
    const std::pair<QPushButton *, Picture> pictures[] = {
        {m_ui->CloseBtn, Picture::Close},  {m_ui->SaveBtn, Picture::Save},         {m_ui->BoldBtn, Picture::Bold},
        {m_ui->ULineBtn, Picture::Underline}, {m_ui->ItalicBtn, Picture::Italic}, {m_ui->UndoBtn, Picture::Undo},
        {m_ui->RedoBtn, Picture::Redo},
    };
    for (const auto &[button, picture] : pictures)
        button->setIcon(EditorIcons::icon(picture));

    m_ui->BodyEdit->document()->setDocumentMargin(2);

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("StatusBar"));
    m_statusBar->setSizeGripEnabled(false);
    m_numLockInd = new QLabel(tr("Num"), m_statusBar);
    m_numLockInd->setObjectName(QStringLiteral("NumLockInd"));
    m_numLockInd->setContentsMargins(4, 0, 4, 0);
    showLockState(m_numLockInd, LockKey::NumLock);
    m_statusBar->addPermanentWidget(m_numLockInd, 0);
    m_capsLockInd = new QLabel(tr("Caps"), m_statusBar);
    m_capsLockInd->setObjectName(QStringLiteral("CapsLockInd"));
    m_capsLockInd->setContentsMargins(4, 0, 4, 0);
    showLockState(m_capsLockInd, LockKey::CapsLock);
    m_statusBar->addPermanentWidget(m_capsLockInd, 0);
    m_ui->topLevelLayout->addWidget(m_statusBar);
    m_statusBar->showMessage(QStringLiteral("Ready."));

    connect(m_ui->CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->SaveBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->BoldBtn, &QPushButton::clicked, this, &VorrakEditor::toggleBold);
    connect(m_ui->ULineBtn, &QPushButton::clicked, this, &VorrakEditor::toggleUline);
    connect(m_ui->ItalicBtn, &QPushButton::clicked, this, &VorrakEditor::toggleItalic);
    connect(m_ui->UndoBtn, &QPushButton::clicked, m_ui->BodyEdit, &QPlainTextEdit::undo);
    connect(m_ui->RedoBtn, &QPushButton::clicked, m_ui->BodyEdit, &QPlainTextEdit::redo);
    connect(m_ui->BodyEdit, &BodyTextEdit::returnPressed, this, &VorrakEditor::addBR);

    // A click on a button leaves the focus in the text, and a button pressed
    // from the keyboard hands it back, so typing goes on where the button
    // left the cursor. Tab still reaches every button.
    for (QPushButton *button : {m_ui->CloseBtn, m_ui->SaveBtn, m_ui->BoldBtn, m_ui->ULineBtn, m_ui->ItalicBtn,
                                m_ui->UndoBtn, m_ui->RedoBtn}) {
        button->setFocusPolicy(Qt::TabFocus);
        connect(button, &QPushButton::clicked, m_ui->BodyEdit, qOverload<>(&QWidget::setFocus));
    }

    m_ui->BodyEdit->setFocus();
    m_ui->BodyEdit->moveCursor(QTextCursor::Start);
}

VorrakEditor::~VorrakEditor() = default;

BodyTextEdit *VorrakEditor::bodyEdit() const
{
    return m_ui->BodyEdit;
}

void VorrakEditor::reject()
{
    if (!m_ui->BodyEdit->isChanged()) {
        QDialog::reject();
        return;
    }
    // No one is left to answer at the end of the session; what was typed is
    // kept.
    if (!SessionEnding::isEnding()) {
        QMessageBox box(QMessageBox::Question, ProgramCaption::editor(), tr("The body was changed. Save the changes?"),
                        QMessageBox::NoButton, this);
        QPushButton *save = box.addButton(tr("Save"), QMessageBox::AcceptRole);
        QPushButton *discard = box.addButton(tr("Discard"), QMessageBox::DestructiveRole);
        QPushButton *cancel = box.addButton(tr("Cancel"), QMessageBox::RejectRole);
        box.setDefaultButton(save);
        box.setEscapeButton(cancel);
        TextMessageBox::makePlain(box);
        box.exec();
        if (box.clickedButton() == discard) {
            QDialog::reject();
            return;
        }
        // Cancel stays in the editor, unless the session ended meanwhile.
        if (box.clickedButton() != save && !SessionEnding::isEnding())
            return;
    }
    accept();
}

void VorrakEditor::addBR()
{
    m_ui->BodyEdit->appendToPreviousLine(QStringLiteral("<br>"));
}

void VorrakEditor::toggleBold()
{
    m_ui->BodyEdit->insertTags(QStringLiteral("<b>"), QStringLiteral("</b>"));
}

void VorrakEditor::toggleUline()
{
    m_ui->BodyEdit->insertTags(QStringLiteral("<u>"), QStringLiteral("</u>"));
}

void VorrakEditor::toggleItalic()
{
    m_ui->BodyEdit->insertTags(QStringLiteral("<i>"), QStringLiteral("</i>"));
}

void VorrakEditor::saveBody()
{
    qWarning("VorrakEditor::saveBody(): Not implemented yet!");
}

void VorrakEditor::topicSelected(int)
{
    qWarning("VorrakEditor::topicSelected(int): Not implemented yet!");
}

// A button sends its status-bar text when the pointer enters it and an empty
// one when the pointer leaves; a dialog has no status bar of its own to take
// them, so the editor passes them to its own.
bool VorrakEditor::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        m_statusBar->showMessage(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QDialog::event(event);
}

void VorrakEditor::keyReleaseEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_CapsLock:
        showLockState(m_capsLockInd, LockKey::CapsLock);
        break;
    case Qt::Key_NumLock:
        showLockState(m_numLockInd, LockKey::NumLock);
        break;
    default:
        event->ignore();
        break;
    }
}

void VorrakEditor::showLockState(QLabel *indicator, LockKey key)
{
    indicator->setEnabled(isLockKeyOn(key).value_or(false));
}
