#!/usr/bin/env bash
# Draws the chart sheet's pages with librsvg: every page is well-formed XML,
# each document has the pages it should, the hostile name comes back as
# written, and nothing is drawn in the page's margins, however long the texts.
# usage: chart_sheet_render.sh DUMP_PROGRAM WORK_DIR
set -euo pipefail
dump=$1
dir=$2
rm -rf "$dir" && mkdir -p "$dir"
"$dump" "$dir"

status=0
for f in "$dir"/*.svg; do
  xmllint --noout "$f"
done
expect_pages() {  # expect_pages PREFIX COUNT
  local n
  n=$(find "$dir" -name "$1-*.svg" | wc -l)
  (( n == $2 )) || { echo "FAIL: $1 has $n pages, not $2" >&2; status=1; }
}
expect_pages sheet 2
expect_pages north 1
expect_pages hostile 2
xmllint --xpath 'string(//*[local-name()="title"])' "$dir/hostile-1.svg" | grep -qF "Chart sheet of <script>&\"'WWW"

# A4 at 1 pixel per point: whatever is drawn lies inside the 40-point margins
# (less 4 points for the strokes of the frames and the rules).
for f in "$dir"/*.svg; do
  png=${f%.svg}.png
  rsvg-convert -w 595 -h 842 -b white "$f" -o "$png"
  box=$(convert "$png" -negate -threshold 0 -format '%@' info:)
  if [[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]]; then
    w=${BASH_REMATCH[1]} h=${BASH_REMATCH[2]} x=${BASH_REMATCH[3]} y=${BASH_REMATCH[4]}
    if (( x < 36 || y < 36 || x + w > 559 || y + h > 806 )); then
      echo "FAIL: $(basename "$f") drew at ${w}x${h}+${x}+${y}, past the margins" >&2
      status=1
    fi
  else
    echo "FAIL: $(basename "$f") drew nothing" >&2
    status=1
  fi
done
exit $status
