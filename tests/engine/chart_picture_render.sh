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
  # The North Indian pictures with a name are taller: keep their proportions.
  rsvg-convert -w $((400 * scale)) -b white "$f" -o "${f%.svg}.png"
done

# The box of the pixels where a picture differs from a blank grid (blank.png
# unless given): "x0 y0 x1 y1" in drawing units (rounded outwards), or "none".
changed_box() {
  local geometry
  geometry=$(convert "${2:-$dir/blank.png}" "$1" -compose difference -composite -colorspace gray -threshold 0 \
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

# North Indian: with no lagna the ascendant is Mesha, so sign N is house N.
# Each house's box (x0 y0 x1 y1): the top-centre diamond first, anticlockwise.
north_boxes=("100 0 300 200" "0 0 200 100" "0 0 100 200" "0 100 200 300" "0 200 100 400" "0 300 200 400"
             "100 200 300 400" "200 300 400 400" "300 200 400 400" "200 100 400 300" "300 0 400 200" "200 0 400 100")
north_blank=$dir/north_blank.png
for sign in $(seq 1 12); do
  inside "north sign $sign" "$(changed_box "$dir/north_sign$sign.png" "$north_blank")" ${north_boxes[sign - 1]} || status=1
done
inside "north crowded Tula" "$(changed_box "$dir/north_crowded7.png" "$north_blank")" ${north_boxes[6]} || status=1
# The hostile name and place go under the square, inside its margins, and
# leave the square as drawn without them.
convert "$dir/north_hostile.png" -crop $((400 * scale))x$((400 * scale))+0+0 +repage "$dir/north_hostile_square.png"
[[ $(changed_box "$dir/north_hostile_square.png" "$north_blank") == none ]] ||
  { echo "FAIL: the hostile legend drew inside the North Indian square" >&2; status=1; }
height=$(( $(identify -format '%h' "$dir/north_hostile.png") / scale ))
convert -size $((400 * scale))x$((height * scale)) xc:white "$dir/north_white.png"
inside "north hostile legend" "$(changed_box "$dir/north_hostile.png" "$dir/north_white.png")" 0 0 400 "$height" || status=1
# Below the square's frame line (402 on): nothing in the side margins.
convert "$dir/north_hostile.png" -crop $((400 * scale))x$(((height - 402) * scale))+0+$((402 * scale)) +repage \
  "$dir/north_legend.png"
convert -size $((400 * scale))x$(((height - 402) * scale)) xc:white "$dir/north_legend_white.png"
inside "north hostile legend margins" "$(changed_box "$dir/north_legend.png" "$dir/north_legend_white.png")" 4 0 396 $((height - 402)) || status=1
exit $status
