#include "helpbodyview.h"

#include "bodynesting.h"

#include <QPixmap>

namespace {

// What QTextDocument draws for an image it cannot find.
QPixmap missingImage()
{
    QPixmap pixmap(QStringLiteral(":/qt-project.org/styles/commonstyle/images/file-16.png"));
    if (pixmap.isNull()) {
        // A null answer would make the image handler load the file itself.
        pixmap = QPixmap(16, 16);
        pixmap.fill(Qt::transparent);
    }
    return pixmap;
}

} // namespace

HelpBodyView::HelpBodyView(QWidget *parent)
    : QTextBrowser(parent)
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
}

void HelpBodyView::showBody(const QString &body)
{
    if (BodyNesting(body).isTooDeepForLayout())
        setPlainText(body);
    else
        setHtml(body);
}

QVariant HelpBodyView::loadResource(int type, const QUrl &)
{
    // Never a null answer: for that QTextDocument would read the file itself.
    if (type == QTextDocument::ImageResource) {
        static const QPixmap placeholder = missingImage();
        return placeholder;
    }
    return QString(QLatin1String(""));
}

void HelpBodyView::doSetSource(const QUrl &, QTextDocument::ResourceType)
{
    // The body is the only document: no link, history step or source
    // property replaces it.
}
