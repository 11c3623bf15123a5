#!/usr/bin/env bash
# The Debian package: cpack builds orbisca_<version>_<arch>.deb in its own
# folder; its control fields are filled in, its binaries stripped, its
# copyright file present, and lintian finds no error in it.
#
# Usage: package_test.sh <build dir> <folder for the package> <application id> <version>
set -euo pipefail
BUILD=$1
OUT=$2
APP_ID=$3
VERSION=$4

rm -rf "$OUT"
mkdir -p "$OUT"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$OUT" >"$OUT/cpack.log" 2>&1 || {
  cat "$OUT/cpack.log" >&2
  fail "cpack failed"
  exit 1
}
DEB=$OUT/orbisca_${VERSION}_$(dpkg --print-architecture).deb
[[ -f "$DEB" ]] || { fail "no $DEB"; ls "$OUT" >&2; exit 1; }
dpkg-deb --info "$DEB"

field() { dpkg-deb --field "$DEB" "$1"; }
[[ $(field Package) == orbisca ]] || fail "Package: $(field Package)"
[[ $(field Version) == "$VERSION" ]] || fail "Version: $(field Version)"
[[ $(field Architecture) == "$(dpkg --print-architecture)" ]] || fail "Architecture: $(field Architecture)"
[[ -n $(field Section) ]] || fail "no Section"
[[ $(field Priority) == optional ]] || fail "Priority: $(field Priority)"
[[ $(field Maintainer) =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "Maintainer: $(field Maintainer)"
[[ $(field Homepage) =~ ^https?:// ]] || fail "Homepage: $(field Homepage)"
# Dependencies found from the shared libraries (the date library's, and Qt's
# print and SVG libraries, among them), plus the Qt platform plugins, the atlas and the time-zone rules.
for dependency in libc6 libstdc++6 libqt6core6 libqt6widgets6 libqt6printsupport6 libqt6svg6 libqt6svgwidgets6 libdate-tz3 qt6-qpa-plugins \
                  libtimezonemap-data tzdata; do
  field Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//' | grep -qxF "$dependency" || fail "Depends lacks $dependency: $(field Depends)"
done
# A summary line and a long description of several lines.
description=$(field Description)
[[ $(sed -n 1p <<<"$description") =~ [Aa]strology ]] || fail "Description summary: $(sed -n 1p <<<"$description")"
[[ $(wc -l <<<"$description") -ge 5 ]] || fail "the long description is short: $description"

dpkg-deb -x "$DEB" "$OUT/root"
for program in orbisca orbisca-chart; do
  file -b "$OUT/root/usr/bin/$program" | grep -q ', stripped' || fail "$program is not stripped"
done
[[ -s "$OUT/root/usr/share/doc/orbisca/copyright" ]] || fail "no copyright file"
grep -q 'GPL-3.0-or-later' "$OUT/root/usr/share/doc/orbisca/copyright" || fail "the copyright file names no licence"
for credit in GeoNames CC-BY-4.0; do
  grep -q "$credit" "$OUT/root/usr/share/doc/orbisca/copyright" || fail "the copyright file does not credit the atlas: no $credit"
done
[[ -f "$OUT/root/usr/share/applications/$APP_ID.desktop" ]] || fail "no desktop entry"

# Errors fail the test; warnings and notes are printed for the reader.
lintian --fail-on error "$DEB" 2>&1 | grep -v 'running with root privileges' | tee "$OUT/lintian.log" || true
if [[ ${PIPESTATUS[0]} -ne 0 ]] || grep -q '^E:' "$OUT/lintian.log"; then fail "lintian reports errors"; fi

[[ $failures -eq 0 ]] || exit 1
echo PASS
