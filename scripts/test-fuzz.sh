#!/usr/bin/env bash
# Builds the libFuzzer targets of the two file readers with clang and runs
# each for a bounded time (FUZZ_SECONDS, default 60) from the seed corpus in
# fuzz/corpus/. Fails on any crash, broken reader guarantee, leak, per-input
# timeout or out-of-memory. A failing input is kept in $BUILD_DIR/artifacts;
# copy it into fuzz/regressions/<data|help>/ so that the test suite
# (ReaderRegressionTest) replays it from then on.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$top/build-fuzz}
seconds=${FUZZ_SECONDS:-60}

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S "$top" -B "$build" "${generator[@]}" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVORRAK_BUILD_FUZZERS=ON -DVORRAK_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target datafilefuzzer helpfilefuzzer --parallel "$(nproc)"

status=0
for kind in data help; do
    fuzzer="$build/fuzz/${kind}filefuzzer"
    work="$build/fuzz-run/$kind"
    artifacts="$build/artifacts/$kind"
    rm -rf "$work"
    mkdir -p "$work" "$artifacts"
    echo "--- ${kind}filefuzzer for ${seconds}s"
    # The generated corpus grows in $work; the seeds in the repo stay as they are.
    if ! ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        "$fuzzer" "$work" "$top/fuzz/corpus/$kind" "$top/fuzz/regressions/$kind" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=512 \
        -detect_leaks=1 -print_final_stats=1 -artifact_prefix="$artifacts/" >"$build/fuzz-$kind.log" 2>&1; then
        status=1
        tail -60 "$build/fuzz-$kind.log"
        echo "FAILED: ${kind}filefuzzer; failing inputs in $artifacts:" >&2
        ls -l "$artifacts" >&2
    else
        grep -E '^(Done|stat::)' "$build/fuzz-$kind.log" || true
    fi
done
exit $status
