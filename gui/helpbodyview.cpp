#include "gui/helpbodyview.h"

#include "gui/bodylayoutbudget.h"

#include <QLocale>
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
    m_showsSource = !BodyLayoutBudget(body).fitsRichText();
    if (!m_showsSource) {
        setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        setHtml(body);
        return;
    }
    // A source with long runs breaks anywhere: a line breaker looking for a
    // blank in a long run takes time that grows with the square of the run.
    const QString source = body.left(MaxSourceShown);
    setWordWrapMode(BodyLayoutBudget::breaksQuickly(source) ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                                            : QTextOption::WrapAnywhere);
    if (body.size() <= MaxSourceShown) {
        setPlainText(body);
        return;
    }
    // The note comes first, where it is seen without scrolling.
    const QLocale locale = QLocale::system();
    setPlainText(tr("[Only the first %1 of the %2 characters of this topic are shown.]")
                     .arg(locale.toString(MaxSourceShown), locale.toString(qlonglong(body.size())))
                 + QStringLiteral("\n\n") + source);
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
