#!/usr/bin/env bash
# Throughput of the batch mode: generates a CSV of random births (1,000,000
# rows unless told), charts it to JSON Lines without paragraphs into
# /dev/null, and prints births per second and the peak resident size.
#
# Usage: bench/batch.sh [rows] [build folder (default build-bench)] [extra orbisca-chart options]
set -euo pipefail
ROWS=${1:-1000000}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$root/build-bench}
shift $(( $# > 2 ? 2 : $# ))

if [[ ! -f "$build/CMakeCache.txt" ]]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DORBISCA_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j2 --target orbisca-chart proc_time >/dev/null

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
CSV="$WORK/births.csv"

# Valid births over the program's years, every zone by list position, both
# hemispheres, a quoted name in every tenth row.
awk -v rows="$ROWS" 'BEGIN {
  srand(20261207)
  split("31 28 31 30 31 30 31 31 30 31 30 31", days, " ")
  print "name,date,time,zone,dst,lon,lat"
  for (i = 1; i <= rows; i++) {
    y = 1901 + int(rand() * 150); m = 1 + int(rand() * 12)
    last = days[m] + (m == 2 && y % 4 == 0)
    name = (i % 10 == 0) ? "\"Doe, Jane " i "\"" : "person " i
    printf "%s,%04d-%02d-%02d,%02d:%02d,%d,%s,%d:%02d%s,%d:%02d%s\n", name, y, m, 1 + int(rand() * last),
           int(rand() * 24), int(rand() * 60), int(rand() * 71), (rand() < 0.5 ? "true" : "false"),
           int(rand() * 180), int(rand() * 60), (rand() < 0.5 ? "E" : "W"),
           int(rand() * 90), int(rand() * 60), (rand() < 0.5 ? "N" : "S")
  }
}' >"$CSV"

read -r ms cpu kib _ < <("$build/bench/proc_time" 1 "$build/cli/orbisca-chart" --batch "$CSV" --quiet "$@")
awk -v rows="$ROWS" -v ms="$ms" -v cpu="$cpu" -v kib="$kib" -v jobs="$(nproc)" 'BEGIN {
  printf "Batch, %d rows CSV in, JSON Lines out to /dev/null, %d hardware threads:\n", rows, jobs
  printf "  %.0f births/s (%.2f s, %.2f s of CPU), peak RSS %.1f MiB\n", rows / (ms / 1000), ms / 1000, cpu / 1000, kib / 1024
}'

# One record of 50 MB (a name that long) among ordinary rows: refused as a
# row on its line, skipped without being kept, so that time and peak memory
# stay those of the rows around it. Time is per MB of input, memory in MiB.
LONG="$WORK/long.csv"
{
  head -n 1001 "$CSV"
  head -c $((50 * 1024 * 1024)) /dev/zero | tr '\0' 'x'
  printf ',1976-07-04,10:15,5,true,0:00E,0:00N\n'
  sed -n '1002,2001p' "$CSV"
} >"$LONG"
# The refused row makes the exit status 1, which proc_time counts as a
# failure: a shell runs the batch and ends with 0 (wait4 gives the peak of the
# shell's child too).
read -r ms cpu kib _ < <("$build/bench/proc_time" 1 sh -c '"$0" "$@" 2>/dev/null; [ $? -eq 1 ]' \
  "$build/cli/orbisca-chart" --batch "$LONG" --quiet "$@")
awk -v ms="$ms" -v cpu="$cpu" -v kib="$kib" -v bytes="$(stat -c %s "$LONG")" 'BEGIN {
  printf "Batch, 2,000 rows and one 50 MB record (refused):\n"
  printf "  %.2f s (%.2f s of CPU, %.0f ms per 10 MB of input), peak RSS %.1f MiB\n", ms / 1000, cpu / 1000,
         ms / (bytes / 10485760), kib / 1024
}'
