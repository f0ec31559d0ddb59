#include "fuzz/fuzztarget.h"
#include "fuzz/readercheck.h"

// Vorrak.dat reader: TradeskillFile::read over a memory buffer.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return runFuzzInput(data, size, ReaderCheck::checkDataFile);
}
