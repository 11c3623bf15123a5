#!/usr/bin/env bash
# The chart sheet as a PDF through the PDF module, read back with poppler: two
# A4 pages; the name, the place, each body's sign and the first mahadasha as
# text; only embedded fonts. Without the module, or where the file cannot be
# saved, a reason and no file.
# usage: chart_sheet_pdf.sh DUMP_PROGRAM WORK_DIR
set -euo pipefail
dump=$1
dir=$2
rm -rf "$dir" && mkdir -p "$dir"
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

pdf=$dir/sheet.pdf
"$dump" "$dir" "$pdf"
info=$(pdfinfo "$pdf")
grep -qE '^Pages: +2$' <<<"$info" || fail "not 2 pages: $info"
[[ $(grep -c 'A4' <<<"$(pdfinfo -f 1 -l 2 "$pdf")") -eq 2 ]] || fail "the pages are not A4: $(pdfinfo -f 1 -l 2 "$pdf")"
text=$(pdftotext -layout "$pdf" -)
for expected in "Test Person" "New York" "Mithuna (Gemini)" "Kanya (Virgo)" "Simha (Leo)" "Mesha (Aries)" \
                "Karka (Cancer)" "Tula (Libra)" "Vrischika (Scorpio)" "Moon" "Vimshottari mahadasha" \
                "Sun conjunct Mercury"; do
  grep -qF "$expected" <<<"$text" || fail "the PDF's text lacks \"$expected\""
done
# The first mahadasha is the row under the table's header (beside the particulars).
grep -A1 -E 'Lord +From +To' <<<"$text" | tail -1 | grep -qE 'Moon +1976-07-04 +1986-07-04' ||
  fail "the first mahadasha is not Moon"
fonts=$(pdffonts "$pdf" | tail -n +3)
[[ -n $fonts ]] || fail "no fonts: the text was not kept as text"
while read -r line; do
  # name type [encoding] emb sub uni object ID: emb is the fifth field from the end.
  read -r -a f <<<"$line"
  [[ ${f[${#f[@]} - 5]} == yes ]] || fail "font not embedded: $line"
done <<<"$fonts"
pdftoppm -r 60 -f 1 -l 1 -png "$pdf" "$dir/page"

# A save that cannot be made leaves no file and says why.
if "$dump" "$dir" "$dir/no/such/folder/sheet.pdf" 2>"$dir/err"; then fail "saving into a missing folder succeeded"; fi
grep -q "No such file or directory" "$dir/err" || fail "no reason given: $(cat "$dir/err")"
[[ ! -e $dir/no ]] || fail "a save failure left something behind"

# Without the module: the reason, and nothing written.
mkdir -p "$dir/alone/bin"
cp "$dump" "$dir/alone/bin/"
if "$dir/alone/bin/$(basename "$dump")" "$dir/alone" "$dir/alone/sheet.pdf" 2>"$dir/err"; then
  fail "the sheet was made without the module"
fi
grep -q "The PDF module cannot be opened" "$dir/err" || fail "no clear message: $(cat "$dir/err")"
[[ ! -e $dir/alone/sheet.pdf ]] || fail "a PDF was written without the module"
exit $status
