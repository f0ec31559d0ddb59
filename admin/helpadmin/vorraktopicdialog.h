#pragma once

#include <QDialog>
#include <memory>

class QLineEdit;

namespace Ui {
class VorrakTopicDialog;
}

// The form for a help topic's ID and header. The ID starts as "HLP_"; the
// opener presets and reads both fields itself.
class VorrakTopicDialog : public QDialog
{
    Q_OBJECT

public:
    // The arguments of the editor's dialogs: without a name the object is
    // called "VorrakTopicDialog".
    explicit VorrakTopicDialog(QWidget *parent = nullptr, const char *name = nullptr, bool modal = false,
                   Qt::WindowFlags flags = {});
    ~VorrakTopicDialog() override;

    QLineEdit *idEdit() const;
    QLineEdit *headerEdit() const;

    // Showing a dialog hands its focus widget a Tab focus, which makes a line
    // edit select all its text: the first key would wipe the "HLP_" preset.
    // The cursor stands at the end of the ID instead, nothing selected.
    void setVisible(bool visible) override;

private:
    std::unique_ptr<Ui::VorrakTopicDialog> m_ui;
};
