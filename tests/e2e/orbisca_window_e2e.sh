#!/usr/bin/env bash
# The window program on a real X display: type birth data into the form,
# choose a zone, press Proceed with Enter, see the results replace the form,
# see a second copy refuse to run, open the report and save it through the
# real file dialog, read the file back with an independent reader, and leave
# through File, Exit.
#
# Every window carries the program's icon and the window class that the
# desktop entry names.
#
# Usage: orbisca_window_e2e.sh <orbisca program> <folder for screenshots>
#        <orbisca-chart program> <rtf_to_text.sh> <desktop entry>
set -euo pipefail

PROGRAM=$1
OUT=$2
CHART=$3
RTF_TO_TEXT=$4
DESKTOP_ENTRY=$5
mkdir -p "$OUT"

BOX_CAPTION='^Orbisca$'  # message boxes carry the application title

WORK=$(mktemp -d)
XVFB_PID=""
FIRST_PID=""
SECOND_PID=""
cleanup() {
  for pid in "$SECOND_PID" "$FIRST_PID" "$XVFB_PID"; do
    if [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  done
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "-- $*"; }

source "$(dirname "$0")/x_session.sh"
CAPTION=$(program_caption "$PROGRAM")  # every window of the program

one_visible() { [[ $(visible "$1" | wc -l) -eq 1 ]]; }
none_visible() { [[ -z $(visible "$1") ]]; }
form_hidden() { ! visible "$CAPTION" | grep -qx "$FORM"; }
refused() { [[ -n $(visible "$BOX_CAPTION") ]]; }
# The window manager's view of a window: an icon (_NET_WM_ICON, which panels
# and task switchers show) and the class that StartupWMClass matches.
WM_CLASS_WANTED=$(sed -n 's/^StartupWMClass=//p' "$DESKTOP_ENTRY")
[[ -n "$WM_CLASS_WANTED" ]] || fail "the desktop entry names no StartupWMClass"
carries_identity() {
  local window=$1 what=$2 class icon
  class=$(xprop -id "$window" WM_CLASS)
  [[ "$class" == *", \"$WM_CLASS_WANTED\"" ]] || fail "$what: $class, expected the class $WM_CLASS_WANTED"
  # The sizes a title bar or task list draws, and none larger.
  icon=$(xprop -id "$window" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | sort -t'(' -k2 -n | tr '\n' ' ')
  [[ "$icon" == "Icon (16 x 16) Icon (24 x 24) Icon (32 x 32) Icon (48 x 48) Icon (64 x 64) " ]] ||
    fail "$what carries the icon sizes: $icon"
}

start_xvfb

step "starting the program"
"$PROGRAM" &
FIRST_PID=$!
wait_for "the birth-data window" one_visible "$CAPTION"
FORM=$(visible "$CAPTION")
carries_identity "$FORM" "the birth-data window"

step "typing the birth data"
xdotool windowfocus --sync "$FORM"
xdotool type --delay 30 "ada lovelace"            # txtName (the first box)
xdotool key --delay 30 Tab Tab Tab Tab Tab Tab Tab # month, day, year, hour, minute, second, zone
xdotool key --delay 30 Down Down Down Down Down    # Greenwich Mean Time -> Indian Time
xdotool key --delay 30 Tab Tab                     # daylight saving, latitude degrees
xdotool type --delay 30 "18"
xdotool key Tab                                    # latitude minutes
xdotool type --delay 30 "31"
xdotool key --delay 30 Tab Tab                     # North, longitude degrees
xdotool type --delay 30 "73"
xdotool key Tab                                    # longitude minutes
xdotool type --delay 30 "51"
import -window root "$OUT/orbisca-form.png"

step "pressing Proceed with Enter"
xdotool key --delay 30 Tab Tab Tab Tab Tab Tab     # East, city, state, country, lookup, Proceed
xdotool key Return                                 # Enter on the focused button presses it
wait_for "the results window" form_hidden
if refused; then fail "the entries were refused"; fi
wait_for "the results window" one_visible "$CAPTION"
RESULTS=$(visible "$CAPTION")
[[ "$RESULTS" != "$FORM" ]] || fail "the form is still shown"
xdotool getwindowname "$RESULTS" | grep -qx "${CAPTION:1:-1}" || fail "results caption"
sleep 0.5  # let the window paint before the picture
import -window root "$OUT/orbisca-results.png"
echo "results window $RESULTS; screenshots in $OUT"
carries_identity "$RESULTS" "the results window"

step "starting a second copy"
"$PROGRAM" &
SECOND_PID=$!
wait_for "the refusal" refused
BOX=$(visible "$BOX_CAPTION" | head -n1)
carries_identity "$BOX" "the second copy's message"
import -window root "$OUT/orbisca-second-copy.png"
[[ $(visible "$CAPTION") == "$RESULTS" ]] || fail "the second copy showed a window"
xdotool windowfocus --sync "$BOX"
xdotool key Return
wait_for "the second copy to end" ended "$SECOND_PID"
set +e; wait "$SECOND_PID"; SECOND_RC=$?; set -e
SECOND_PID=""
[[ $SECOND_RC -eq 0 ]] || fail "the second copy ended with $SECOND_RC"
kill -0 "$FIRST_PID" 2>/dev/null || fail "the first copy ended too"
[[ $(visible "$CAPTION") == "$RESULTS" ]] || fail "the first copy's windows changed"

step "going back to the form and proceeding again"
xdotool windowfocus --sync "$RESULTS"   # no window manager: give the focus back ourselves
open_file_menu
xdotool key b                           # File, Back
form_shown() { [[ $(visible "$CAPTION") == "$FORM" ]]; }
wait_for "the form again" form_shown
kill -0 "$FIRST_PID" 2>/dev/null || fail "Back ended the program"
xdotool windowfocus --sync "$FORM"
xdotool key KP_Enter                    # Proceed still has the focus: the keypad's Enter presses it
wait_for "new results" form_hidden
wait_for "new results" one_visible "$CAPTION"
RESULTS=$(visible "$CAPTION")

step "opening the report and saving it through the file dialog"
xdotool windowfocus --sync "$RESULTS"
xdotool key alt+p                       # "&Print" opens the report window
report_open() { [[ $(visible "$CAPTION" | wc -l) -eq 2 ]]; }
wait_for "the report window" report_open
REPORT=$(visible "$CAPTION" | grep -vx "$RESULTS")
carries_identity "$REPORT" "the report window"
xdotool windowfocus --sync "$REPORT"
xdotool key alt+s                       # "&Save"
wait_for "the save dialog" refused      # the dialog carries the application title
DIALOG=$(visible "$BOX_CAPTION" | head -n1)
carries_identity "$DIALOG" "the save dialog"
sleep 0.5
import -window root "$OUT/orbisca-save-dialog.png"
xdotool windowfocus --sync "$DIALOG"
# The file name box has the focus; a name without the suffix gets ".rtf".
xdotool type --delay 20 "$WORK/saved/ada.lovelace"
mkdir -p "$WORK/saved"
xdotool key Return
saved() { [[ -s "$WORK/saved/ada.lovelace.rtf" ]]; }
wait_for "the saved report" saved
dialog_closed() { none_visible "$BOX_CAPTION"; }
wait_for "the dialog to close" dialog_closed
import -window root "$OUT/orbisca-report.png"

step "reading the saved report back"
"$RTF_TO_TEXT" "$WORK/text" "$WORK/saved/ada.lovelace.rtf"
# The same birth through the command gives the report text to expect.
"$CHART" --date 1901-01-01 --time 00:00 --zone 34 --lat 18:31N --lon 73:51E --report >"$WORK/expected.txt"
tr -d '\r' <"$WORK/expected.txt" >"$WORK/expected.lf"
tr -d '\r' <"$WORK/text/ada.lovelace.txt" >"$WORK/read.lf"
grep -q 'In .* Aspect' "$WORK/expected.lf" || fail "the chart has no aspect to compare"
# Trailing empty lines are the reader's business.
diff <(sed -e :a -e '/^\n*$/{$d;N;ba' -e '}' "$WORK/expected.lf") \
     <(sed -e :a -e '/^\n*$/{$d;N;ba' -e '}' "$WORK/read.lf") >"$WORK/diff" || {
  cat "$WORK/diff" >&2
  fail "the saved report does not read back as the report"
}

step "closing the report window"
xdotool windowfocus --sync "$REPORT"
xdotool key Escape
report_closed() { [[ $(visible "$CAPTION") == "$RESULTS" ]]; }
wait_for "the report window to close" report_closed

step "leaving through File, Exit"
xdotool windowfocus --sync "$RESULTS"
open_file_menu
xdotool key x
wait_for "the program to end" ended "$FIRST_PID"
set +e; wait "$FIRST_PID"; FIRST_RC=$?; set -e
FIRST_PID=""
[[ $FIRST_RC -eq 0 ]] || fail "the program ended with $FIRST_RC"
none_visible "$CAPTION" || fail "a window is still shown"

# At twice the scale on a 1600x1200 screen the results window, with its
# Print, Exit and Back buttons along its foot, opens inside the screen.
step "the results window at twice the scale"
kill "$XVFB_PID"; wait "$XVFB_PID" 2>/dev/null || true
: >"$WORK/display"
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$WORK/display" 2>>"$WORK/xvfb.log" &
XVFB_PID=$!
wait_for "Xvfb" test -s "$WORK/display"
export DISPLAY=":$(head -n1 "$WORK/display")"
QT_SCALE_FACTOR=2 "$PROGRAM" &
FIRST_PID=$!
wait_for "the birth-data window" one_visible "$CAPTION"
FORM=$(visible "$CAPTION")
xdotool windowfocus --sync "$FORM"
xdotool type --delay 30 "ada"
xdotool key --delay 30 Tab Tab Tab Tab Tab Tab Tab Tab Tab  # to latitude degrees
xdotool type --delay 30 "18"; xdotool key Tab; xdotool type --delay 30 "31"
xdotool key --delay 30 Tab Tab; xdotool type --delay 30 "73"; xdotool key Tab; xdotool type --delay 30 "51"
xdotool key --delay 30 Tab Tab Tab Tab Tab Tab space        # to Proceed, and press it
wait_for "the results window" form_hidden
wait_for "the results window" one_visible "$CAPTION"
RESULTS=$(visible "$CAPTION")
sleep 0.5
import -window root "$OUT/orbisca-results-2x.png"
eval "$(xdotool getwindowgeometry --shell "$RESULTS")"
echo "results window at twice the scale: ${WIDTH}x${HEIGHT} at $X,$Y"
(( X >= 0 && Y >= 0 && X + WIDTH <= 1600 && Y + HEIGHT <= 1200 )) || fail "the results window leaves the screen"
kill "$FIRST_PID"; wait "$FIRST_PID" 2>/dev/null || true
FIRST_PID=""
echo "PASS"
