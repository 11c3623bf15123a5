#!/usr/bin/env bash
# `cmake --install` into a temporary DESTDIR puts every file where a Debian
# desktop expects it, and the installed programs run from there: the chart
# equals the build tree's, and the window program finds its user guide
# (checked through the URL seam by a test program placed beside it).
#
# Usage: install_tree_test.sh <build dir> <application id> <version>
#        <build tree orbisca-chart> <help_page_test program>
#        <the chart sheet's PDF module, from the prefix>
set -euo pipefail
BUILD=$1
APP_ID=$2
VERSION=$3
BUILD_CHART=$4
HELP_TEST=$5
PDF_MODULE=$6
FIXTURE_ATLAS=$(cd "$(dirname "$0")/../places/fixture" && pwd)

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
ROOT=$WORK/root
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

DESTDIR=$ROOT cmake --install "$BUILD" --prefix /usr >"$WORK/install.log"

expected=(
  usr/bin/orbisca
  usr/bin/orbisca-chart
  usr/$PDF_MODULE
  usr/share/applications/$APP_ID.desktop
  usr/share/doc/orbisca/changelog.gz
  usr/share/doc/orbisca/copyright
  usr/share/icons/hicolor/scalable/apps/$APP_ID.svg
  usr/share/man/man1/orbisca-chart.1.gz
  usr/share/man/man1/orbisca.1.gz
  usr/share/metainfo/$APP_ID.metainfo.xml
  usr/share/orbisca/help/index.html
)
for size in 16 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$APP_ID.png")
done
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$ROOT" && find . -type f -printf '%P\n' | sort) ||
  fail "the installed files differ from the list above (< expected, > installed)"

for size in 16 24 32 48 64 128 256; do
  png=$ROOT/usr/share/icons/hicolor/${size}x${size}/apps/$APP_ID.png
  file -b "$png" | grep -q "^PNG image data, $size x $size," || fail "$png: $(file -b "$png")"
done
file -b "$ROOT/usr/share/icons/hicolor/scalable/apps/$APP_ID.svg" | grep -q SVG || fail "the scalable icon is no SVG"
for gz in "$ROOT"/usr/share/man/man1/*.gz "$ROOT"/usr/share/doc/orbisca/changelog.gz; do
  gzip -t "$gz" || fail "$gz is not gzip"
done
[[ -x $ROOT/usr/bin/orbisca && -x $ROOT/usr/bin/orbisca-chart ]] || fail "the programs are not executable"

# The installed programs.
[[ $("$ROOT/usr/bin/orbisca-chart" --version | head -n1) == "orbisca-chart $VERSION" ]] || fail "installed orbisca-chart --version"
[[ $(env -u DISPLAY "$ROOT/usr/bin/orbisca" --version | head -n1) == "orbisca $VERSION" ]] || fail "installed orbisca --version"
birth=(--date 1976-07-04 --time 10:15 --zone EST --lon 74:00W --lat 40:42N --dst)
"$ROOT/usr/bin/orbisca-chart" "${birth[@]}" >"$WORK/installed.txt" || fail "the installed orbisca-chart failed"
"$BUILD_CHART" "${birth[@]}" >"$WORK/built.txt"
grep -q '^Moon ' "$WORK/built.txt" || fail "the chart lists no Moon"
cmp -s "$WORK/built.txt" "$WORK/installed.txt" || fail "the installed orbisca-chart prints another chart"
# A place needs the tz database.
place=(--date 1976-07-04 --time 10:15 --place "New York" --json)
ORBISCA_ATLAS_DIR=$FIXTURE_ATLAS "$ROOT/usr/bin/orbisca-chart" "${place[@]}" >"$WORK/installed-place.json" ||
  fail "the installed orbisca-chart refused a place"
ORBISCA_ATLAS_DIR=$FIXTURE_ATLAS "$BUILD_CHART" "${place[@]}" >"$WORK/built-place.json"
grep -q '"offset_minutes": -240' "$WORK/built-place.json" || fail "the build tree's chart of New York has not its summer offset"
cmp -s "$WORK/built-place.json" "$WORK/installed-place.json" || fail "the installed orbisca-chart places New York otherwise"

# The window program, installed, looks for its guide in ../share/orbisca.
cp "$HELP_TEST" "$ROOT/usr/bin/"
ORBISCA_EXPECTED_HELP=$ROOT/usr/share/orbisca/help/index.html QT_QPA_PLATFORM=offscreen \
  "$ROOT/usr/bin/$(basename "$HELP_TEST")" || fail "the installed program does not open its guide"

[[ $failures -eq 0 ]] || exit 1
echo PASS
