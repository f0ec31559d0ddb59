#include "fuzz/fuzztarget.h"
#include "fuzz/readercheck.h"

// Vorrak.hlp reader: HelpFile::read over a memory buffer.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return runFuzzInput(data, size, ReaderCheck::checkHelpFile);
}
