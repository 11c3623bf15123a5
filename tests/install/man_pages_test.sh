#!/usr/bin/env bash
# The manual pages render without a single warning, and each documents every
# option that its program's --help lists.
#
# Usage: man_pages_test.sh <folder of the built pages> <orbisca> <orbisca-chart>
set -euo pipefail
PAGES=$1
ORBISCA=$2
CHART=$3

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

for row in "orbisca.1 $ORBISCA" "orbisca-chart.1 $CHART"; do
  read -r page program <<<"$row"
  # man-db's own check: groff warnings of every kind go to standard error.
  MANWIDTH=80 man --warnings -l "$PAGES/$page" >"$WORK/$page.txt" 2>"$WORK/$page.err" || fail "$page: man failed"
  if [[ -s "$WORK/$page.err" ]]; then
    cat "$WORK/$page.err" >&2
    fail "$page: warnings while rendering"
  fi
  grep -q '^NAME' "$WORK/$page.txt" || fail "$page: no NAME section"
  # Unwrapped text, so that an option split over two lines is still found.
  MANWIDTH=1000 man -l "$PAGES/$page" 2>/dev/null >"$WORK/$page.wide"
  for option in $("$program" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u); do
    grep -qF -- "$option" "$WORK/$page.wide" || fail "$page does not document $option"
  done
done
[[ $failures -eq 0 ]] || exit 1
echo PASS
