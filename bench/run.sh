#!/usr/bin/env bash
# Builds the engine benchmark with optimisation and runs it.
# Usage: bench/run.sh [extra Google Benchmark flags]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DORBISCA_BUILD_GUI=OFF -DORBISCA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target chart_bench >/dev/null
"$build/bench/chart_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
