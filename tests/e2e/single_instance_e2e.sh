#!/usr/bin/env bash
# One copy per user, on a real X display: two copies started at once give one
# window; a hundred second copies are each refused with a message box and end
# with status 0 while the first keeps its window; after the first copy is
# killed with SIGKILL the next start opens its window; and a lock path that
# another user prepared (in the shared temporary folder, or in a runtime
# folder that is not the user's own with mode 0700) keeps no one out.
#
# Usage: single_instance_e2e.sh <orbisca program>
set -euo pipefail

PROGRAM=$1
BOX_CAPTION='^Orbisca$'  # message boxes carry the application title
SECOND_COPIES=${ORBISCA_SECOND_COPIES:-100}
BATCH=10

WORK=$(mktemp -d)
chmod 0755 "$WORK"  # the other user below must reach the shared folders
STARTED=()          # every process this script starts, ended at exit
XVFB_PID=""
cleanup() {
  for pid in "${STARTED[@]}" "$XVFB_PID"; do
    if [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null; then kill -9 "$pid" 2>/dev/null || true; fi
  done
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

# Says what failed, with the windows shown and what the copies printed.
fail() {
  echo "FAIL: $*" >&2
  local w
  for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    echo "  window $w: $(xdotool getwindowname "$w" 2>/dev/null)" >&2
  done
  tail -n 20 "$WORK/program.log" >&2 2>/dev/null || true
  exit 1
}
step() { echo "-- $*"; }

# A sanitizer build starts slowly, and ten copies start at once: wait up to
# about 60 seconds.
WAIT_ROUNDS=300
source "$(dirname "$0")/x_session.sh"
CAPTION=$(program_caption "$PROGRAM")  # every window of the program

count_visible() { visible "$1" | wc -l; }
all_ended() { local pid; for pid in "$@"; do ended "$pid" || return 1; done; }
# Exactly `$1` program windows and `$2` message boxes are shown.
shown() { [[ $(count_visible "$CAPTION") -eq $1 && $(count_visible "$BOX_CAPTION") -eq $2 ]]; }

# Starts a copy in the background; its process id is in LAST_PID.
start_copy() {
  "$PROGRAM" 2>>"$WORK/program.log" &
  LAST_PID=$!
  STARTED+=("$LAST_PID")
}

# The exit status of an ended copy that this shell started.
status_of() { local rc=0; wait "$1" || rc=$?; echo "$rc"; }

# Answers every message box shown (OK has the focus) and checks that each of
# the given copies then ends with status 0.
dismiss_refusals() {
  local box pid
  for box in $(visible "$BOX_CAPTION"); do
    xdotool windowfocus --sync "$box" 2>/dev/null && xdotool key Return || true
  done
  wait_for "the refused copies to end" all_ended "$@"
  for pid in "$@"; do
    [[ $(status_of "$pid") -eq 0 ]] || fail "a refused copy ended with status $(status_of "$pid")"
  done
}

# A second copy is refused: it shows one box and no window, and ends with 0
# once the box is answered.
check_refused_once() {
  start_copy
  local second=$LAST_PID
  wait_for "the refusal" shown 1 1
  dismiss_refusals "$second"
  shown 1 0 || fail "a window changed after the refusal"
}

# Ends a copy through File, Exit on its form (so the sanitizer build checks
# its exit too) and checks its status.
exit_through_menu() {
  local pid=$1 form
  form=$(visible "$CAPTION")
  xdotool windowfocus --sync "$form"
  open_file_menu
  xdotool key x
  wait_for "the program to end" ended "$pid"
  [[ $(status_of "$pid") -eq 0 ]] || fail "the program ended with a failure status"
  wait_for "the windows to close" shown 0 0
}

# Our own X server, and a private home (the cache folder is under it) and
# shared temporary folder.
start_xvfb
export HOME="$WORK/home" TMPDIR="$WORK/tmp"
unset XDG_CACHE_HOME
mkdir -m 0700 "$HOME"
mkdir -m 1777 "$TMPDIR"

step "starting two copies at once"
start_copy; pair_a=$LAST_PID
start_copy; pair_b=$LAST_PID
wait_for "one window and one refusal" shown 1 1
refused_pid=""
first_pid=""
dismiss_one() {
  local box
  box=$(visible "$BOX_CAPTION" | head -n1)
  xdotool windowfocus --sync "$box" 2>/dev/null && xdotool key Return || true
  if ended "$pair_a"; then refused_pid=$pair_a first_pid=$pair_b; return 0; fi
  if ended "$pair_b"; then refused_pid=$pair_b first_pid=$pair_a; return 0; fi
  return 1
}
wait_for "the refused copy to end" dismiss_one
[[ $(status_of "$refused_pid") -eq 0 ]] || fail "the refused copy of the pair ended with a failure status"
ended "$first_pid" && fail "both copies of the pair ended"
shown 1 0 || fail "the pair left other than one window"

step "$SECOND_COPIES second copies, $BATCH at a time"
done_copies=0
while [[ $done_copies -lt $SECOND_COPIES ]]; do
  batch=()
  n=$(( SECOND_COPIES - done_copies < BATCH ? SECOND_COPIES - done_copies : BATCH ))
  for _ in $(seq "$n"); do start_copy; batch+=("$LAST_PID"); done
  wait_for "$n refusals" shown 1 "$n"
  dismiss_refusals "${batch[@]}"
  shown 1 0 || fail "a window changed after the refusals"
  ended "$first_pid" && fail "the first copy ended"
  done_copies=$(( done_copies + n ))
done
echo "$done_copies copies refused"

step "killing the first copy with SIGKILL, then starting again"
kill -9 "$first_pid"
wait_for "the first copy to die" ended "$first_pid"
status_of "$first_pid" >/dev/null
wait_for "its windows to go" shown 0 0
start_copy; first_pid=$LAST_PID
wait_for "the window of the next start" shown 1 0
check_refused_once
exit_through_menu "$first_pid"

# Another user prepares the lock path before ours starts: a process of its own
# named in the lock file, so that the lock looks held by a live program. The
# places such a lock can be put are every place another user may write: the
# shared temporary folder (with a runtime folder made there in our name), and
# a runtime folder that is not ours alone. None of them may keep us out.
if [[ $(id -u) -ne 0 ]]; then
  echo "foreign lock: skipped (acting as another user needs root)"
  echo "PASS"
  exit 0
fi
as_other() { setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; }
user=$(id -un)
host=$(uname -n)
# (the command itself, not through the function: a subshell would hold the pid)
setpriv --reuid=nobody --regid=nogroup --clear-groups sleep 600 &
foreign_holder=$!
STARTED+=("$foreign_holder")
# Writes the other user's lock, as QLockFile writes one (pid, program, host),
# under the names a lock of ours could have in that folder.
plant_locks() {
  local folder=$1 name
  for name in "orbisca-$user.lock" "orbisca.lock" "$user.lock"; do
    as_other sh -c 'printf "%s\nsleep\n%s\n" "$1" "$2" >"$3"' sh "$foreign_holder" "$host" "$folder/$name"
  done
}

# Starts a copy under `env` with the given settings; its process id is in LAST_PID.
start_with() {
  env "$@" "$PROGRAM" 2>>"$WORK/program.log" &
  LAST_PID=$!
  STARTED+=("$LAST_PID")
}
# With these settings the program starts, takes a lock of its own (a second
# copy is refused) and ends normally.
check_starts_with() {
  start_with "$@"
  local first=$LAST_PID
  wait_for "the window despite the other user's lock" shown 1 0
  start_with "$@"
  local second=$LAST_PID
  wait_for "the refusal" shown 1 1
  dismiss_refusals "$second"
  exit_through_menu "$first"
}

shared=$WORK/shared
mkdir -m 1777 "$shared"
as_other mkdir -m 0755 "$shared/runtime-$user"
plant_locks "$shared"
plant_locks "$shared/runtime-$user"

step "foreign lock: no runtime folder set, shared temporary folder prepared"
check_starts_with -u XDG_RUNTIME_DIR TMPDIR="$shared"

for mode in 0777 0700; do
  for owner in nobody "$user"; do
    [[ $mode == 0700 && $owner == "$user" ]] && continue  # that one is ours alone
    step "foreign lock: runtime folder of $owner with mode $mode"
    runtime=$WORK/runtime-$owner-$mode
    mkdir -m "$mode" "$runtime"
    chown "$owner" "$runtime"
    plant_locks "$runtime"
    check_starts_with XDG_RUNTIME_DIR="$runtime" TMPDIR="$shared"
  done
done
echo "PASS"
