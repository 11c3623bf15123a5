#!/usr/bin/env bash
# Every benchmark, each against its anchor, on an optimised build:
#   the engine's parts (Google Benchmark), the engine against Swiss Ephemeris,
#   one orbisca-chart process against a minimal C++ program, the windows
#   against bare Qt programs (bench/window.sh), and the batch mode's
#   throughput (bench/batch.sh). The start-up goals, as ratios to the
#   anchors: one orbisca-chart chart <= 1.3x the minimal program, the form
#   mapped <= 1.35x a bare window, Proceed <= 4x a bare button opening a
#   window.
# Usage: bench/run.sh [extra Google Benchmark flags]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"
gui=ON
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || gui=OFF
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DORBISCA_BUILD_TESTS=OFF -DORBISCA_BUILD_GUI=$gui >/dev/null
targets=(chart_bench orbisca-chart proc_time minimal_main births_bench)
grep -q '^SWE_LIBRARY:FILEPATH=.*swe' "$build/CMakeCache.txt" && targets+=(anchor_bench)
cmake --build "$build" -j2 --target "${targets[@]}" >/dev/null

echo "== the engine's parts"
"$build/bench/chart_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"

echo
echo "== the engine against Swiss Ephemeris"
if [[ -x "$build/bench/anchor_bench" ]]; then
  "$build/bench/anchor_bench" 10000 15
else
  echo "skipped: Swiss Ephemeris (libswe-dev) is not installed"
fi

echo
echo "== one orbisca-chart process against a minimal C++ program (300 runs each, interleaved)"
{
  read -r chart_ms chart_cpu _
  read -r minimal_ms minimal_cpu _
} < <("$build/bench/proc_time" 300 \
        "$build/cli/orbisca-chart" --date 1976-07-04 --time 10:15 --zone EST --lon 74:00W --lat 40:42N --dst \
        -- "$build/bench/minimal_main")
awk -v c="$chart_ms" -v m="$minimal_ms" -v cc="$chart_cpu" -v mc="$minimal_cpu" 'BEGIN {
  printf "  wall: orbisca-chart %.2f ms, minimal program %.2f ms: ratio %.2fx (goal <= 1.3x: %s)\n", c, m, c / m,
         c / m <= 1.3 ? "met" : "NOT met"
  printf "  CPU:  orbisca-chart %.2f ms, minimal program %.2f ms: ratio %.2fx\n", cc, mc, cc / mc }'

echo
echo "== the library of births: an AAF import against reading and parsing alone"
"$build/bench/births_bench" 100000 7

echo
echo "== windows"
if [[ $gui == ON ]]; then
  "$root/bench/window.sh" 15 "$build"
else
  echo "skipped: Xvfb and xdotool are needed"
fi

echo
echo "== batch"
if "$build/cli/orbisca-chart" --help | grep -q -- '--batch'; then
  "$root/bench/batch.sh" 1000000 "$build"
else
  echo "skipped: this orbisca-chart has no batch mode"
fi
