#include "gui/textmessagebox.h"

namespace {

QMessageBox::StandardButton run(QMessageBox::Icon icon, QWidget *parent, const QString &caption, const QString &text,
                                QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, caption, text, buttons, parent);
    TextMessageBox::makePlain(box);
    box.setDefaultButton(defaultButton);
    box.exec();
    return box.standardButton(box.clickedButton());
}

} // namespace

namespace TextMessageBox {

QMessageBox::StandardButton critical(QWidget *parent, const QString &caption, const QString &text)
{
    return run(QMessageBox::Critical, parent, caption, text, QMessageBox::Ok, QMessageBox::NoButton);
}

QMessageBox::StandardButton warning(QWidget *parent, const QString &caption, const QString &text,
                                    QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return run(QMessageBox::Warning, parent, caption, text, buttons, defaultButton);
}

QMessageBox::StandardButton information(QWidget *parent, const QString &caption, const QString &text)
{
    return run(QMessageBox::Information, parent, caption, text, QMessageBox::Ok, QMessageBox::NoButton);
}

void makePlain(QMessageBox &box)
{
    box.setTextFormat(Qt::PlainText);
}

} // namespace TextMessageBox
