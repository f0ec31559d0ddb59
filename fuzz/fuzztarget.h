#pragma once

#include "fuzz/readercheck.h"

#include <cstddef>
#include <cstdint>

// Runs one libFuzzer input through a reader check and aborts, so that
// libFuzzer records the input, when a guarantee is broken. The progress
// lines stay switched on (their formatting is part of what is fuzzed) but
// are dropped instead of printed.
int runFuzzInput(const uint8_t *data, size_t size, ReaderCheck::Check check);
