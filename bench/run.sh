#!/usr/bin/env bash
# Builds the benchmarks (Release) and runs them. Run from the repository root:
#   bench/run.sh [benchmark flags, e.g. --benchmark_filter=LoadFile]
# BENCH_BUILD_DIR chooses the build directory (default build/bench).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BENCH_BUILD_DIR:-build/bench}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCATALOG_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target catalogue_bench jpeg_bench window_bench
"$build/bin/catalogue_bench" --benchmark_counters_tabular=true "$@"
QT_QPA_PLATFORM=offscreen "$build/bin/jpeg_bench" --benchmark_counters_tabular=true "$@"
QT_QPA_PLATFORM=offscreen "$build/bin/window_bench" --benchmark_counters_tabular=true "$@"
