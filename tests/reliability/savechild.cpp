// Saves a large store into the current directory and is killed while doing
// so by SaveFaultTest. "data" and "help" save a generated store; "editor"
// runs the editor's end of session on the main dialog, which has loaded
// Vorrak.dat. Prints "ready" just before saving and "saved" once the save
// has succeeded.
#include "admin/editorsession.h"
#include "admin/vorrakadmindialog.h"
#include "bench/generatedstore.h"
#include "help/helpdata.h"
#include "tradeskill/tradeskilldata.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString kind = app.arguments().value(1);
    const auto report = [](const SaveResult &result) {
        if (!result.text().isEmpty())
            std::fprintf(stderr, "%s\n", qPrintable(result.text()));
        return result.isOk();
    };
    const auto ready = [] {
        std::puts("ready");
        std::fflush(stdout);
    };

    bool saved = false;
    if (kind == QLatin1String("data")) {
        TradeskillData data;
        data.procGrps() = GeneratedStore::tradeskill(300, 50, 10);
        ready();
        saved = report(data.save());
    } else if (kind == QLatin1String("help")) {
        HelpData help;
        help.topics() = GeneratedStore::help(4000, 1000);
        ready();
        saved = report(help.save());
    } else if (kind == QLatin1String("editor")) {
        VorrakAdminDialog dialog;
        ready();
        saved = EditorSession::finish(dialog);
    } else {
        std::fprintf(stderr, "usage: savechild data|help|editor\n");
        return 2;
    }
    std::puts(saved ? "saved" : "failed");
    std::fflush(stdout);
    return saved ? 0 : 1;
}
