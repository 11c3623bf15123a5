#!/usr/bin/env bash
# The window program against two bare Qt programs on a private Xvfb:
#   start-up: from starting the process to its first window mapped, and the
#             resident size at that moment, against a bare QMainWindow with a label;
#   Proceed:  from pressing Proceed (Space on the focused button) to the results
#             window mapped, against a bare button that opens a bare window.
# The times come from the X server's MapNotify events (bench/xmaptime.cpp).
# The programs take turns, run after run; one unmeasured warm-up run each.
#
# Usage: bench/window.sh [runs (default 15)] [build folder (default build-bench)]
set -euo pipefail
RUNS=${1:-15}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$root/build-bench}

if [[ ! -f "$build/CMakeCache.txt" ]]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DORBISCA_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j2 --target orbisca bare_window bare_button xmaptime >/dev/null
ORBISCA="$build/app/orbisca"
BARE_WINDOW="$build/bench/bare_window"
BARE_BUTTON="$build/bench/bare_button"
XMAPTIME="$build/bench/xmaptime"

WORK=$(mktemp -d)
XVFB_PID=""
PROGRAM_PID=""
cleanup() {
  [[ -n "$PROGRAM_PID" ]] && kill "$PROGRAM_PID" 2>/dev/null || true
  [[ -n "$XVFB_PID" ]] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$WORK"
  if [[ -n "${RUNTIME_ROOT:-}" ]]; then rm -rf "$RUNTIME_ROOT"; fi
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB_PID=$!
for _ in $(seq 100); do [[ -s "$WORK/display" ]] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$WORK/display")"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY QT_SCALE_FACTOR QT_FONT_DPI

# Ends the program started last and waits until it is gone.
stop_program() {
  kill "$PROGRAM_PID" 2>/dev/null || true
  for _ in $(seq 200); do kill -0 "$PROGRAM_PID" 2>/dev/null || break; sleep 0.02; done
  PROGRAM_PID=""
}

# The runtime folders go on a tmpfs, as XDG_RUNTIME_DIR is on a desktop: the
# single-instance lock syncs its file, which a tmpfs does at no cost but a disk
# /tmp under a busy machine can stretch by tens of milliseconds.
RUNTIME_ROOT=""
for candidate in "${XDG_RUNTIME_DIR:-}" /dev/shm; do
  if [[ -n "$candidate" && -d "$candidate" && -w "$candidate" ]] &&
     [[ "$(stat -f -c %T "$candidate")" == tmpfs ]]; then
    RUNTIME_ROOT=$(mktemp -d "$candidate/orbisca-bench.XXXXXX")
    break
  fi
done
[[ -n "$RUNTIME_ROOT" ]] || { RUNTIME_ROOT="$WORK/runtime"; mkdir "$RUNTIME_ROOT"; }

# Starts a program under its own runtime folder (a fresh single-instance lock);
# sets START_MS, START_KIB, PROGRAM_PID and WINDOW.
start_program() {
  local runtime="$RUNTIME_ROOT/run.$RANDOM$RANDOM"
  mkdir -m 0700 "$runtime"
  read -r START_MS START_KIB PROGRAM_PID WINDOW < <(XDG_RUNTIME_DIR="$runtime" "$XMAPTIME" start "$1")
}

# The birth data of the real-window test, leaving the focus on Proceed.
fill_form() {
  xdotool windowfocus --sync "$WINDOW"
  xdotool type --delay 5 "ada lovelace"
  xdotool key --delay 5 Tab Tab Tab Tab Tab Tab Tab Down Down Down Down Down Tab Tab
  xdotool type --delay 5 "18"; xdotool key Tab; xdotool type --delay 5 "31"
  xdotool key --delay 5 Tab Tab
  xdotool type --delay 5 "73"; xdotool key Tab; xdotool type --delay 5 "51"
  xdotool key --delay 5 Tab Tab Tab Tab Tab Tab
}

# Presses Space and sets PROCEED_MS and the window that was mapped.
press_proceed() {
  sleep 0.3  # let the program go idle first
  read -r PROCEED_MS RESULTS < <("$XMAPTIME" key space)
}

# One run of each program; appends "start-ms start-KiB proceed-ms" to its file.
run_real() {
  start_program "$ORBISCA"
  fill_form
  press_proceed
  local title
  title=$(xdotool getwindowname "$RESULTS")
  [[ "$title" == Orbisca\ v* ]] || { echo "window.sh: Proceed opened \"$title\", not the results" >&2; exit 1; }
  stop_program
  echo "$START_MS $START_KIB $PROCEED_MS" >>"$WORK/$1"
}
run_bare() {
  start_program "$BARE_WINDOW"
  stop_program
  local ms=$START_MS kib=$START_KIB
  start_program "$BARE_BUTTON"
  xdotool windowfocus --sync "$WINDOW"
  press_proceed
  stop_program
  echo "$ms $kib $PROCEED_MS" >>"$WORK/$1"
}

run_real warmup
run_bare warmup
for _ in $(seq "$RUNS"); do
  run_real real
  run_bare bare
done

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
column_median() { awk -v c="$2" '{ print $c }' "$WORK/$1" | median; }
real_start=$(column_median real 1); bare_start=$(column_median bare 1)
real_kib=$(column_median real 2); bare_kib=$(column_median bare 2)
real_proceed=$(column_median real 3); bare_proceed=$(column_median bare 3)

echo "Windows under Xvfb, $RUNS runs each, interleaved, medians (times to MapNotify):"
awk -v rs="$real_start" -v bs="$bare_start" -v rk="$real_kib" -v bk="$bare_kib" \
    -v rp="$real_proceed" -v bp="$bare_proceed" 'BEGIN {
  printf "  %-34s %7.1f ms %6.1f MB   anchor %6.1f ms %6.1f MB   ratio %.2fx, %.2fx (goal <= 1.35x: %s)\n",
         "start-up to the birth-data window", rs, rk / 1024, bs, bk / 1024, rs / bs, rk / bk,
         rs / bs <= 1.35 ? "met" : "NOT met"
  printf "  %-34s %7.1f ms             anchor %6.1f ms              ratio %.2fx (goal <= 4x: %s)\n",
         "Proceed to the results window", rp, bp, rp / bp, rp / bp <= 4 ? "met" : "NOT met"
}'
