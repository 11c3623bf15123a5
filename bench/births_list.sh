#!/usr/bin/env bash
# `orbisca-chart births list --search TEXT` on a library of 100,000 births
# (unless told) against one plain `orbisca-chart` chart, whole processes
# interleaved (bench/proc_time.cpp), medians. Goal: at most 1.5x.
#
# Usage: bench/births_list.sh [births] [rounds] [build folder (default build-bench)]
set -euo pipefail
BIRTHS=${1:-100000}
ROUNDS=${2:-51}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${3:-$root/build-bench}

if [[ ! -f "$build/CMakeCache.txt" ]]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DORBISCA_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j2 --target orbisca-chart proc_time >/dev/null
chart="$build/cli/orbisca-chart"

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export ORBISCA_LIBRARY="$WORK/births.sqlite"

# Random births with names, notes and tags to search.
awk -v births="$BIRTHS" 'BEGIN {
  srand(20261208)
  print "name,date,time,zone,dst,lon,lat,note,tags"
  for (i = 1; i <= births; i++) {
    printf "Person %d,%04d-%02d-%02d,%02d:%02d,%d,%s,%d:%02dE,%d:%02dN,note %d,tag%d;family\n", i,
           1901 + int(rand() * 150), 1 + int(rand() * 12), 1 + int(rand() * 28), int(rand() * 24), int(rand() * 60),
           int(rand() * 71), (rand() < 0.5 ? "true" : "false"), int(rand() * 180), int(rand() * 60),
           int(rand() * 90), int(rand() * 60), i % 1000, i % 37
  }
}' >"$WORK/births.csv"
"$chart" births import "$WORK/births.csv" 2>/dev/null

# A search that finds a few births (Person 4242, 42420-42429) among them all.
{
  read -r list_ms list_cpu _
  read -r chart_ms chart_cpu _
} < <("$build/bench/proc_time" "$ROUNDS" "$chart" births list --search "person 4242" \
        -- "$chart" --date 1976-07-04 --time 10:15 --zone EST --lon 74:00W --lat 40:42N --dst)
awk -v b="$BIRTHS" -v l="$list_ms" -v c="$chart_ms" -v lc="$list_cpu" -v cc="$chart_cpu" 'BEGIN {
  printf "births list --search, %d births, against one orbisca-chart chart:\n", b
  printf "  wall: list %.2f ms, chart %.2f ms: ratio %.2fx (goal <= 1.5x: %s)\n", l, c, l / c, l / c <= 1.5 ? "met" : "NOT met"
  printf "  CPU:  list %.2f ms, chart %.2f ms: ratio %.2fx\n", lc, cc, lc / cc }'
