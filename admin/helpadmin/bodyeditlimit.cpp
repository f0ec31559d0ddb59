#include "admin/helpadmin/bodyeditlimit.h"

#include <QCoreApplication>
#include <QLocale>

namespace BodyEditLimit {

namespace {

qsizetype longestLine(const QString &body)
{
    qsizetype longest = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= body.size(); ++i) {
        if (i == body.size() || body.at(i) == u'\n' || body.at(i) == u'\r' || body.at(i).unicode() == 0x2029) {
            longest = qMax(longest, i - start);
            start = i + 1;
        }
    }
    return longest;
}

} // namespace

Result<> mayOpen(const QString &body)
{
    const qsizetype longest = longestLine(body);
    if (body.size() <= MaxSize && longest <= MaxLine)
        return Result<>::ok();
    const QLocale locale = QLocale::system();
    return Result<>::failure(
        QCoreApplication::translate("BodyEditLimit",
                                    "This help body holds %1 characters (%2 MB) with lines of up to %3 "
                                    "characters: more than the body editor opens (%4 characters, lines of at "
                                    "most %5). The body is left as it is.\n\n"
                                    "To edit it, write the help file as JSON with\n"
                                    "    vorrak-data export Vorrak.hlp -o vorrak-help.json\n"
                                    "edit the body there, and read it back with\n"
                                    "    vorrak-data import vorrak-help.json Vorrak.hlp\n"
                                    "while VorrakAdmin is not running.")
            .arg(locale.toString(qlonglong(body.size())), locale.toString(body.size() * 2 / 1e6, 'f', 1),
                 locale.toString(qlonglong(longest)), locale.toString(qlonglong(MaxSize)),
                 locale.toString(qlonglong(MaxLine))));
}

} // namespace BodyEditLimit
