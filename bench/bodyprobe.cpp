// Opens one help body the way the programs do and prints "<ms> <peak kB>
// <how>" once it is laid out and painted: "view" shows it in the help body
// view (the calculator's help viewer and the editor's help window), "editor"
// in the body editor's text edit, or refuses it as the editor does ("how" is
// "rich", "source" or "refused"). The body is read from the UTF-8 file given.
#include "admin/helpadmin/bodyeditlimit.h"
#include "admin/helpadmin/bodytextedit.h"
#include "bench/peakmemory.h"
#include "gui/helpbodyview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <cstdio>
#include <memory>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const bool editor = app.arguments().value(1) == QLatin1String("editor");
    QFile file(app.arguments().value(2));
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const QString body = QString::fromUtf8(file.readAll());
    file.close();

    std::unique_ptr<QWidget> widget;
    if (editor)
        widget = std::make_unique<BodyTextEdit>();
    else
        widget = std::make_unique<HelpBodyView>();
    widget->resize(400, 300);
    widget->show();
    if (!QTest::qWaitForWindowExposed(widget.get()))
        return 1;

    QElapsedTimer clock;
    clock.start();
    const char *how = "rich";
    if (editor) {
        if (BodyEditLimit::mayOpen(body)) {
            static_cast<BodyTextEdit *>(widget.get())->setBody(body);
            how = "source";
        } else {
            how = "refused";
        }
    } else {
        auto *view = static_cast<HelpBodyView *>(widget.get());
        view->showBody(body);
        how = view->showsSource() ? "source" : "rich";
    }
    widget->grab();
    std::printf("%.1f %ld %s\n", clock.nsecsElapsed() / 1e6, peakResidentKb(), how);
    std::fflush(stdout);
    std::_Exit(0);
}
