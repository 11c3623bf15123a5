# Shared by the end-to-end scripts, sourced after they define WORK (their
# scratch folder), fail and step: waiting on a condition, finding windows,
# and a private X display.

# Waits until the command succeeds, polling every 0.2 s, at most WAIT_ROUNDS
# times (100 unless the script sets it).
wait_for() {
  local what=$1; shift
  for _ in $(seq "${WAIT_ROUNDS:-100}"); do
    if "$@"; then return 0; fi
    sleep 0.2
  done
  fail "timed out waiting for $what"
}

visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null || true; }
ended() { ! kill -0 "$1" 2>/dev/null; }
program_windows() { xdotool search --onlyvisible --class orbisca 2>/dev/null | wc -l; }

# Opens the File menu of the focused window and waits until its popup shows.
open_file_menu() {
  local before
  before=$(program_windows)
  xdotool key alt+f
  menu_open() { [[ $(program_windows) -gt $before ]]; }
  wait_for "the File menu" menu_open
}

# The caption of every window of `program`: its name and the version it
# reports, as a pattern for xdotool.
program_caption() {
  local version
  version=$(env -u DISPLAY "$1" --version | sed -n '1s/^orbisca //p')
  [[ -n "$version" ]] || fail "$1 --version names no version"
  echo "^Orbisca v${version//./\\.}\$"
}

# Our own X server on a display number it picks itself (XVFB_PID), and a
# private runtime folder so that the program's single-instance lock never
# meets a real session's.
start_xvfb() {
  step "starting Xvfb"
  # -noreset: between two clients none may be connected, and a server that
  # resets then refuses the next connection for a moment.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$WORK/display" 2>"$WORK/xvfb.log" &
  XVFB_PID=$!
  wait_for "Xvfb" test -s "$WORK/display"
  export DISPLAY=":$(head -n1 "$WORK/display")"
  export XDG_RUNTIME_DIR="$WORK/runtime"
  mkdir -m 0700 "$XDG_RUNTIME_DIR"
  # A session bus that is not there. With no address at all, libdbus
  # "autolaunches" one when the accessibility bridge first connects: it forks
  # from Qt's D-Bus thread and lists the child's open files (opendir, so
  # malloc) before exec. The sanitizer build's allocator is not fork-safe
  # (GCC 12), so a child forked while another thread was allocating waited
  # forever, and the window never came. A desktop session always names its bus.
  export DBUS_SESSION_BUS_ADDRESS="unix:path=$WORK/no-session-bus"
  unset QT_QPA_PLATFORM WAYLAND_DISPLAY QT_SCALE_FACTOR QT_FONT_DPI
  echo "display $DISPLAY"
}
