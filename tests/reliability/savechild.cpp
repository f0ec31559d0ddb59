// Saves a large store into the current directory and is killed while doing
// so by SaveFaultTest. A kind of store ("data", "help") saves a generated
// store of several megabytes; "editor" runs the editor's end of session on
// the main dialog, which has loaded Vorrak.dat. Prints "ready" just before
// saving and "saved" once the save has succeeded.
#include "admin/editorsession.h"
#include "admin/vorrakadmindialog.h"
#include "tests/support/storeundertest.h"

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
    if (StoreUnderTest::kinds().contains(kind)) {
        StoreUnderTest store(kind);
        store.fillGenerated(15);
        ready();
        saved = report(store.save());
    } else if (kind == QLatin1String("editor")) {
        VorrakAdminDialog dialog;
        ready();
        saved = EditorSession::finish(dialog);
    } else {
        std::fprintf(stderr, "usage: savechild %s|editor\n", qPrintable(StoreUnderTest::kinds().join(u'|')));
        return 2;
    }
    std::puts(saved ? "saved" : "failed");
    std::fflush(stdout);
    return saved ? 0 : 1;
}
