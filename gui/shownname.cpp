#include "gui/shownname.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QLocale>

namespace ShownName {

bool isCut(const QString &name)
{
    return name.size() > MaxLength;
}

QString of(const QString &name)
{
    return isCut(name) ? name.left(MaxLength) + QChar(0x2026) : name;
}

QString tip(const QString &name)
{
    if (!isCut(name))
        return QString();
    const QString shown = name.size() > MaxTipLength ? name.left(MaxTipLength) + QChar(0x2026) : name;
    const QString length = QCoreApplication::translate("ShownName", "(%1 characters)")
                               .arg(QLocale::system().toString(qlonglong(name.size())));
    return QStringLiteral("<p>") + shown.toHtmlEscaped() + QStringLiteral("</p><p>") + length.toHtmlEscaped()
        + QStringLiteral("</p>");
}

void fill(QComboBox *combo, const QStringList &names)
{
    QStringList shown;
    shown.reserve(names.size());
    for (const QString &name : names)
        shown.append(of(name));
    combo->addItems(shown);
    for (int i = 0; i < names.size(); ++i) {
        if (isCut(names.at(i)))
            combo->setItemData(i, tip(names.at(i)), Qt::ToolTipRole);
    }
    // The closed box shows the tooltip of its current entry.
    static const char *const follows = "vorrakTipFollowsCurrent";
    if (!combo->property(follows).toBool()) {
        combo->setProperty(follows, true);
        QObject::connect(combo, &QComboBox::currentIndexChanged, combo, [combo](int index) {
            combo->setToolTip(combo->itemData(index, Qt::ToolTipRole).toString());
        });
    }
    combo->setToolTip(combo->itemData(combo->currentIndex(), Qt::ToolTipRole).toString());
}

namespace {
const char *const WholeName = "vorrakWholeName";
}

void edit(QLineEdit *field, const QString &name)
{
    const bool tooLong = name.size() > field->maxLength();
    field->setText(tooLong ? of(name) : name);
    field->setToolTip(tooLong ? tip(name) : QString());
    field->setProperty(WholeName, tooLong ? QVariant(name) : QVariant());
}

QString edited(const QLineEdit *field)
{
    const QVariant whole = field->property(WholeName);
    return whole.isValid() && !field->isModified() ? whole.toString() : field->text();
}

} // namespace ShownName
