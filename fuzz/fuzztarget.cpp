#include "fuzz/fuzztarget.h"

#include <cstdio>
#include <cstdlib>

namespace {

void dropMessage(QtMsgType, const QMessageLogContext &, const QString &)
{
}

} // namespace

int runFuzzInput(const uint8_t *data, size_t size, ReaderCheck::Check check)
{
    static const bool quiet = (qInstallMessageHandler(dropMessage), true);
    Q_UNUSED(quiet);
    // No copy: reads past the input's end hit the sanitizer's redzone.
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const Result<ReadStatus> checked = check(bytes);
    if (!checked) {
        std::fprintf(stderr, "reader guarantee broken: %s\n", qPrintable(checked.text()));
        std::abort();
    }
    return 0;
}
