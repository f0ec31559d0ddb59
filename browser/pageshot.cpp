// vorrak-page-shot PAGE.html SCRIPT OUT.png [WIDTH HEIGHT]: opens a page in
// headless Chromium, runs SCRIPT in it (to choose and press what the picture
// should show) and writes a screenshot. Used by scripts/screenshots.sh.
#include "browser/headlesschromium.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 4 && arguments.size() != 6) {
        std::fprintf(stderr, "usage: vorrak-page-shot PAGE.html SCRIPT OUT.png [WIDTH HEIGHT]\n");
        return 2;
    }
    const int width = arguments.size() == 6 ? arguments.at(4).toInt() : 900;
    const int height = arguments.size() == 6 ? arguments.at(5).toInt() : 900;
    QTemporaryDir profile;
    HeadlessChromium browser;
    if (!browser.start(profile.filePath(QStringLiteral("profile")))
        || !browser.open(QUrl::fromLocalFile(QFileInfo(arguments.at(1)).absoluteFilePath()).toString())) {
        std::fprintf(stderr, "vorrak-page-shot: %s\n", qPrintable(browser.error()));
        return 1;
    }
    browser.evaluate(arguments.at(2));
    const QByteArray png = browser.screenshot(width, height);
    QFile out(arguments.at(3));
    if (png.isEmpty() || !out.open(QIODevice::WriteOnly) || out.write(png) != png.size()) {
        std::fprintf(stderr, "vorrak-page-shot: no screenshot written: %s\n", qPrintable(browser.error()));
        return 1;
    }
    return 0;
}
