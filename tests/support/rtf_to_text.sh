#!/bin/sh
# Reads Rich Text Format files back as text with an independent reader,
# LibreOffice in headless mode: rtf_to_text.sh OUTDIR FILE.rtf...
# writes OUTDIR/FILE.txt (UTF-8, byte-order mark removed) for each file.
# Exits 127 when LibreOffice is not installed.
set -eu
if [ $# -lt 2 ]; then
  echo "usage: $0 OUTDIR FILE.rtf..." >&2
  exit 2
fi
out=$1
shift
command -v soffice >/dev/null 2>&1 || { echo "soffice not found (apt-get install libreoffice-writer-nogui)" >&2; exit 127; }
mkdir -p "$out"
# A throw-away profile and home, so that no user setting and no running
# office instance takes part.
scratch=$(mktemp -d "${TMPDIR:-/tmp}/rtf2txt.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
HOME=$scratch/home
export HOME
mkdir -p "$HOME"
soffice -env:UserInstallation="file://$scratch/profile" --headless --norestore \
  --convert-to "txt:Text (encoded):UTF8" --outdir "$out" "$@" >"$scratch/log" 2>&1 || {
  cat "$scratch/log" >&2
  exit 1
}
for f in "$@"; do
  txt=$out/$(basename "${f%.*}").txt
  [ -f "$txt" ] || { echo "no text written for $f" >&2; cat "$scratch/log" >&2; exit 1; }
  # Strip the UTF-8 byte-order mark.
  sed -i '1s/^\xEF\xBB\xBF//' "$txt"
done
