#!/usr/bin/env bash
# Builds the whole project a second time with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs the complete test suite on it. Any
# report stops the test that made it (halt_on_error), so the stage passes
# only with zero reports.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${SANITIZE_BUILD_DIR:-$top/build-asan}

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S "$top" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Debug -DVORRAK_SANITIZE=ON >/dev/null
cmake --build "$build" --parallel "$(nproc)"

# No leak is suppressed: the offscreen platform that the tests use loads no
# system library that leaks at exit.
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
