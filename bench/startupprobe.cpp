// Starts one program's main dialog the way its main() does, in the current
// directory, and prints "shown <peak kB>" once the dialog is on screen, with
// the peak resident memory so far. "baseline" shows an empty dialog in the
// same style instead. Built once per program (the two programs have
// different classes of the same name), as vorrak-startup-probe-calculator
// and vorrak-startup-probe-admin.
#include "bench/peakmemory.h"
#include "gui/dialogwindowflags.h"
#include "gui/programstyle.h"
#ifdef VORRAK_PROBE_ADMIN
#include "admin/vorrakadmindialog.h"
#else
#include "calculator/vorrakdialog.h"
#endif

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <memory>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::unique_ptr<QDialog> dialog;
    if (app.arguments().value(1) == QLatin1String("baseline")) {
        dialog = std::make_unique<QDialog>(nullptr, DialogWindowFlags);
        ProgramStyle style;
    } else {
#ifdef VORRAK_PROBE_ADMIN
        dialog = std::make_unique<VorrakAdminDialog>(nullptr, nullptr, true, DialogWindowFlags);
#else
        dialog = std::make_unique<VorrakDialog>(nullptr, nullptr, true, ContextHelpDialogWindowFlags);
#endif
    }
    dialog->show();
    if (!QTest::qWaitForWindowExposed(dialog.get()))
        return 1;
    std::printf("shown %ld\n", peakResidentKb());
    std::fflush(stdout);
    // What the dialog holds is freed by the system; that is not start-up.
    std::_Exit(0);
}
