#!/usr/bin/env bash
# Draws the chart pictures with librsvg and checks them with real fonts: every
# picture is well-formed XML; a mark drawn alone changes pixels only inside its
# sign's cell; a hostile name and place change pixels only inside the centre.
# usage: chart_picture_render.sh DUMP_PROGRAM WORK_DIR
set -euo pipefail
dump=$1
dir=$2
rm -rf "$dir" && mkdir -p "$dir"
"$dump" "$dir"

for f in "$dir"/*.svg; do
  xmllint --noout "$f"
done
# The hostile texts come back unchanged, escaped in the file.
xmllint --xpath 'string(//*[local-name()="title"])' "$dir/hostile.svg" | grep -qF "Rasi chart of <script>&\"'WWW"

scale=2  # pixels per unit of the drawing
for f in "$dir"/*.svg; do
  rsvg-convert -w $((400 * scale)) -h $((400 * scale)) -b white "$f" -o "${f%.svg}.png"
done

# The box of the pixels where a picture differs from the blank grid: "x0 y0 x1 y1"
# in drawing units (rounded outwards), or "none".
changed_box() {
  local geometry
  geometry=$(convert "$dir/blank.png" "$1" -compose difference -composite -colorspace gray -threshold 0 \
             -format '%@' info:)
  if [[ $geometry =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]]; then
    local w=${BASH_REMATCH[1]} h=${BASH_REMATCH[2]} x=${BASH_REMATCH[3]} y=${BASH_REMATCH[4]}
    (( w == 0 || h == 0 )) && { echo none; return; }
    echo "$((x / scale)) $((y / scale)) $(((x + w + scale - 1) / scale)) $(((y + h + scale - 1) / scale))"
  else
    echo none
  fi
}

inside() {  # inside NAME "x0 y0 x1 y1" left top right bottom
  local name=$1 box=$2 l=$3 t=$4 r=$5 b=$6
  read -r x0 y0 x1 y1 <<<"$box"
  if [[ $box == none ]] || (( x0 < l || y0 < t || x1 > r || y1 > b )); then
    echo "FAIL: $name drew at [$box], outside [$l $t $r $b]" >&2
    return 1
  fi
}

# Row and column of each sign's cell, sign 1 first: Meena top-left, Mesha
# beside it, clockwise.
rows=(0 0 0 1 2 3 3 3 3 2 1 0)
cols=(1 2 3 3 3 3 2 1 0 0 0 0)
status=0
for sign in $(seq 1 12); do
  r=${rows[sign - 1]} c=${cols[sign - 1]}
  inside "sign $sign" "$(changed_box "$dir/sign$sign.png")" $((c * 100)) $((r * 100)) $((c * 100 + 100)) $((r * 100 + 100)) || status=1
done
inside "crowded Tula" "$(changed_box "$dir/crowded7.png")" 200 300 300 400 || status=1
inside "hostile centre" "$(changed_box "$dir/hostile.png")" 100 100 300 300 || status=1
exit $status
