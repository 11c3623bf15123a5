#!/usr/bin/env bash
# The desktop entry and the AppStream metainfo pass their validators with no
# error and no warning, and agree with each other and with the project on the
# application id, the icon, the programs and the version.
#
# Usage: desktop_files_test.sh <desktop file> <metainfo file> <application id> <version>
set -euo pipefail
DESKTOP=$1
METAINFO=$2
APP_ID=$3
VERSION=$4

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# desktop-file-validate: errors and warnings fail; hints are advice.
desktop-file-validate "$DESKTOP" >"$WORK/desktop.log" 2>&1 || fail "desktop-file-validate failed"
cat "$WORK/desktop.log"
if grep -qE ': (error|warning):' "$WORK/desktop.log"; then fail "desktop-file-validate reports errors or warnings"; fi

# appstreamcli: errors (E:) and warnings (W:) fail; infos and pedantic notes are advice.
(cd "$WORK" && appstreamcli validate --no-net --pedantic "$METAINFO") >"$WORK/metainfo.log" 2>&1 ||
  fail "appstreamcli validate failed"
cat "$WORK/metainfo.log"
if grep -qE '^(E|W):' "$WORK/metainfo.log"; then fail "appstreamcli reports errors or warnings"; fi

key() { sed -n "s/^$1=//p" "$DESKTOP"; }
[[ $(basename "$DESKTOP") == "$APP_ID.desktop" ]] || fail "desktop file name $(basename "$DESKTOP")"
[[ $(basename "$METAINFO") == "$APP_ID.metainfo.xml" ]] || fail "metainfo file name $(basename "$METAINFO")"
[[ $(key Icon) == "$APP_ID" ]] || fail "Icon=$(key Icon)"
[[ $(key Exec) == orbisca ]] || fail "Exec=$(key Exec)"
[[ $(key Terminal) == false ]] || fail "Terminal=$(key Terminal)"
[[ $(key Name) == Orbisca ]] || fail "Name=$(key Name)"
[[ -n $(key StartupWMClass) ]] || fail "no StartupWMClass"
for word in astrology vedic sidereal jyotish horoscope "natal chart" aspects; do
  key Keywords | tr ';' '\n' | grep -qx "$word" || fail "Keywords lack '$word'"
done

# The metainfo is ours, one element per line: sed reads it.
text() { sed -n "s:.*<$1\( [^>]*\)\{0,1\}>\(.*\)</$1>.*:\2:p" "$METAINFO"; }
attribute() { sed -n "s:.*<$1 [^>]*$2=\"\([^\"]*\)\".*:\1:p" "$METAINFO"; }
[[ $(text id) == "$APP_ID" ]] || fail "metainfo id $(text id)"
[[ $(text launchable) == "$APP_ID.desktop" ]] || fail "launchable $(text launchable)"
[[ $(text project_license) == GPL-3.0-or-later ]] || fail "project_license $(text project_license)"
[[ $(text binary | sort | tr '\n' ' ') == "orbisca orbisca-chart " ]] || fail "provides $(text binary)"
[[ $(attribute release version) == "$VERSION" ]] || fail "release $(attribute release version)"
[[ $(attribute release date) =~ ^[0-9]{4}-[0-9]{2}-[0-9]{2}$ ]] || fail "release date $(attribute release date)"
[[ $(attribute content_rating type) == oars-1.1 ]] || fail "no content rating"
homepage=$(sed -n 's:.*<url type="homepage">\(.*\)</url>.*:\1:p' "$METAINFO")
help=$(sed -n 's:.*<url type="help">\(.*\)</url>.*:\1:p' "$METAINFO")
[[ -n "$homepage" && "$help" == "$homepage"* ]] || fail "homepage '$homepage' or help '$help' URL"
[[ $(text image) == "$homepage"* ]] || fail "the screenshot $(text image) is not under the site"
[[ $failures -eq 0 ]] || exit 1
echo PASS
