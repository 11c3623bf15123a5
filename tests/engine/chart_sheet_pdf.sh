#!/usr/bin/env bash
# orbisca-chart --pdf: the chart sheet through the PDF module, read back with
# poppler: two A4 pages; the name, the place, each body's sign and the first
# mahadasha as text; only embedded fonts. The module is loaded only when a PDF
# is asked for. Without the module, or where the file cannot be saved, a
# reason, exit status 1 and no file.
# usage: chart_sheet_pdf.sh ORBISCA_CHART WORK_DIR PLACES_FIXTURE
set -euo pipefail
chart=$1
dir=$2
export ORBISCA_ATLAS_DIR=$3
rm -rf "$dir" && mkdir -p "$dir"
status=0
fail() { echo "FAIL: $*" >&2; status=1; }
birth=(--date 1976-07-04 --time 10:15 --zone 27 --dst --place "New York City, New York, US" --name "Test Person")

pdf=$dir/sheet.pdf
"$chart" "${birth[@]}" --pdf "$pdf" --style north >/dev/null
info=$(pdfinfo "$pdf")
grep -qE '^Pages: +2$' <<<"$info" || fail "not 2 pages: $info"
[[ $(grep -c 'A4' <<<"$(pdfinfo -f 1 -l 2 "$pdf")") -eq 2 ]] || fail "the pages are not A4: $(pdfinfo -f 1 -l 2 "$pdf")"
text=$(pdftotext -layout "$pdf" -)
# Each body's sign, as the listing gives it (its third column, in English).
signs=$("$chart" "${birth[@]}" | head -13 | awk '{print $3}' | sort -u)
[[ $(wc -l <<<"$signs") -ge 5 ]] || fail "the listing gave too few signs: $signs"
while read -r sign; do
  grep -qE "\\($sign\\)" <<<"$text" || fail "the PDF's text lacks the sign $sign"
done <<<"$signs"
for expected in "Test Person" "New York City, New York, United States, 40°43′N 74°00′W" "Zone Eastern Standard Time" \
                "Vimshottari mahadasha" "Born in Moon dasha" "Conjunction" "Sun-Venus, 5°" "Moon-Sun, 88°"; do
  grep -qF "$expected" <<<"$text" || fail "the PDF's text lacks \"$expected\""
done
# The first mahadasha is the row under the table's header (beside the particulars).
grep -A1 -E 'Lord +From +To' <<<"$text" | tail -1 | grep -qE 'Moon +1970-12-15 +1980-12-14' ||
  fail "the first mahadasha is not Moon's, 1970-12-15 to 1980-12-14"
fonts=$(pdffonts "$pdf" | tail -n +3)
[[ -n $fonts ]] || fail "no fonts: the text was not kept as text"
while read -r line; do
  # name type [encoding] emb sub uni object ID: emb is the fifth field from the end.
  read -r -a f <<<"$line"
  [[ ${f[${#f[@]} - 5]} == yes ]] || fail "font not embedded: $line"
done <<<"$fonts"

# The module is loaded for a PDF, and only then.
LD_DEBUG=files "$chart" "${birth[@]}" --svg "$dir/chart.svg" >/dev/null 2>"$dir/loaded"
! grep -q 'orbisca-pdf' "$dir/loaded" || fail "the PDF module was loaded without --pdf"
LD_DEBUG=files "$chart" "${birth[@]}" --pdf "$dir/again.pdf" >/dev/null 2>"$dir/loaded"
grep -q 'orbisca-pdf' "$dir/loaded" || fail "LD_DEBUG shows no PDF module loaded with --pdf"

# --varga and --style pick the picture: the navamsa, in the North Indian
# style (its houses are polygons), the lagna in its navamsa sign (Simha, 5).
"$chart" "${birth[@]}" --svg "$dir/d9.svg" --varga 9 --style north >/dev/null
xmllint --noout "$dir/d9.svg" || fail "the D9 picture is not well formed"
grep -qF '<title>Navamsa (D9) chart of Test Person</title>' "$dir/d9.svg" || fail "the picture is not the navamsa's"
grep -q '<polygon' "$dir/d9.svg" || fail "the picture is not in the North Indian style"
grep -q '<polygon' "$dir/chart.svg" && fail "the default picture is not in the South Indian style"
grep -qF 'As in Simha' "$dir/d9.svg" || fail "the lagna is not in its navamsa sign: $(grep -o '<desc>.*</desc>' "$dir/d9.svg")"

# A save that cannot be made leaves no file and says why.
set +e
"$chart" "${birth[@]}" --pdf "$dir/no/such/folder/sheet.pdf" >/dev/null 2>"$dir/err"
code=$?
set -e
[[ $code -eq 1 ]] || fail "saving into a missing folder gave exit status $code, not 1"
grep -q "cannot write $dir/no/such/folder/sheet.pdf: .*No such file or directory" "$dir/err" ||
  fail "no reason given: $(cat "$dir/err")"
[[ ! -e $dir/no ]] || fail "a save failure left something behind"

# Without the module: the reason, exit status 1, and nothing written, not
# even the other files asked for.
mkdir -p "$dir/alone/bin"
cp "$chart" "$dir/alone/bin/"
set +e
"$dir/alone/bin/$(basename "$chart")" "${birth[@]}" --svg "$dir/alone/chart.svg" --pdf "$dir/alone/sheet.pdf" \
  >/dev/null 2>"$dir/err"
code=$?
set -e
[[ $code -eq 1 ]] || fail "without the module the exit status was $code, not 1"
grep -q "The PDF module cannot be opened" "$dir/err" || fail "no clear message: $(cat "$dir/err")"
[[ ! -e $dir/alone/sheet.pdf && ! -e $dir/alone/chart.svg ]] || fail "a file was written without the module"
exit $status
