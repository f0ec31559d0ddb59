#!/usr/bin/env bash
# Builds the benchmarks (Release) and runs them: load, save, sort, start-up
# and peak memory, each next to its baseline in one run. Not part of the
# tests; the figures in docs/benchmarks.md come from this command.
# BENCH_ROUNDS sets the timed rounds per figure (default 5); --only file,
# --only sort, --only startup, --only web, --only body or --only memory runs one group (memory loads
# a sparse 1 GB file: about 4.5 GB of memory for a few seconds).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BENCH_BUILD_DIR:-$top/build-bench}
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S "$top" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release -DVORRAK_BUILD_BENCHMARKS=ON \
    -DVORRAK_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target vorrak-bench --parallel "$(nproc)"
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(free -g | awk '/^Mem:/ {print $2}') GiB"
exec "$build/bench/vorrak-bench" --rounds "${BENCH_ROUNDS:-5}" --sample "$build/sample" \
    --probe "$build/bench/vorrak-startup-probe" "$@"
