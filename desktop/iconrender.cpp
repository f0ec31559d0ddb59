// Renders the shared crossed-tools XPM as the square PNG icons a desktop menu
// uses. Runs at build time; needs no display, only QtGui's image code.
#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>
#include <cstdlib>

#include "icons/vorrakicon.xpm"

namespace {

// Pixel art stays crisp when enlarged by whole pixels, so grow by the
// smallest whole factor that reaches the size and smooth only the last step.
QImage renderAt(const QImage &source, int size)
{
    const int factor = (size + source.width() - 1) / source.width();
    QImage image = source;
    if (factor > 1)
        image = image.scaled(source.width() * factor, source.height() * factor,
                             Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (image.width() != size)
        image = image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTDIR SIZE...\n", argv[0]);
        return 2;
    }
    const QImage source = QImage(vorrak_icon_xpm).convertToFormat(QImage::Format_ARGB32);
    if (source.isNull()) {
        std::fprintf(stderr, "the icon picture could not be read\n");
        return 1;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size < 1) {
            std::fprintf(stderr, "not a size: %s\n", argv[i]);
            return 2;
        }
        const QString dir = QStringLiteral("%1/%2x%2").arg(outDir).arg(size);
        const QString file = dir + QStringLiteral("/vorrak.png");
        if (!QDir().mkpath(dir) || !renderAt(source, size).save(file, "PNG")) {
            std::fprintf(stderr, "could not write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
