#!/usr/bin/env bash
# The real thing: apt installs the package built by the package test, the
# installed orbisca-chart prints the build tree's chart, the desktop entry,
# icon and manual page are in place, and purging removes it all. The package
# is purged in a trap, so a failing check never leaves it behind.
#
# Needs root or password-less sudo; otherwise the test is skipped (status 77).
# Usage: package_install_test.sh <package folder> <build tree orbisca-chart>
#        <application id> <version>
set -euo pipefail
OUT=$1
BUILD_CHART=$2
APP_ID=$3
VERSION=$4

as_root=()
if [[ $(id -u) -ne 0 ]]; then
  if command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
    as_root=(sudo -n)
  else
    echo "SKIPPED: installing the package needs root or password-less sudo"
    exit 77
  fi
fi
DEB=$(realpath -m "$OUT/orbisca_${VERSION}_$(dpkg --print-architecture).deb")  # apt wants a path, not a name
[[ -f "$DEB" ]] || { echo "FAIL: no $DEB (the package test makes it)" >&2; exit 1; }

# One install at a time on this machine, whichever build tree it comes from.
exec 9>/tmp/orbisca-package-install.lock
flock -w 600 9 || { echo "FAIL: another package install test holds the lock" >&2; exit 1; }
installed() { [[ $(dpkg-query -W -f='${db:Status-Status}' orbisca 2>/dev/null || true) == installed ]]; }
if installed; then
  echo "SKIPPED: orbisca is already installed on this machine; the test does not replace it"
  exit 77
fi

WORK=$(mktemp -d)
apt_quiet=(-y -qq -o DPkg::Lock::Timeout=300)
cleanup() {
  if installed || dpkg-query -W orbisca >/dev/null 2>&1; then
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get purge "${apt_quiet[@]}" orbisca >/dev/null || true
  fi
  rm -rf "$WORK"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

echo "-- apt-get install $DEB"
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install "${apt_quiet[@]}" "$DEB" >"$WORK/apt.log" 2>&1 || {
  cat "$WORK/apt.log" >&2
  fail "apt-get install failed"
  exit 1
}
installed || fail "dpkg does not list orbisca as installed"

[[ $(/usr/bin/orbisca-chart --version | head -n1) == "orbisca-chart $VERSION" ]] || fail "/usr/bin/orbisca-chart --version"
[[ $(env -u DISPLAY /usr/bin/orbisca --version | head -n1) == "orbisca $VERSION" ]] || fail "/usr/bin/orbisca --version"
birth=(--date 1947-08-15 --time 00:00 --zone IST --lon 77:12E --lat 28:36N)
/usr/bin/orbisca-chart "${birth[@]}" >"$WORK/installed.txt" || fail "/usr/bin/orbisca-chart failed"
"$BUILD_CHART" "${birth[@]}" >"$WORK/built.txt"
grep -q '^Sun ' "$WORK/built.txt" || fail "the chart lists no Sun"
cmp -s "$WORK/built.txt" "$WORK/installed.txt" || fail "/usr/bin/orbisca-chart prints another chart than the build tree"
for file in /usr/share/applications/$APP_ID.desktop /usr/share/metainfo/$APP_ID.metainfo.xml \
            /usr/share/icons/hicolor/48x48/apps/$APP_ID.png /usr/share/orbisca/help/index.html; do
  [[ -f $file ]] || fail "$file is not installed"
done
# Minimal images tell dpkg to leave out manual pages; read the page where dpkg kept it.
if [[ -f /usr/share/man/man1/orbisca-chart.1.gz ]]; then
  MANPAGER=cat man orbisca-chart 2>/dev/null | grep -q 'orbisca-chart' || fail "man orbisca-chart shows no page"
else
  echo "note: dpkg's path filters left out the manual pages on this machine"
fi

echo "-- apt-get purge orbisca"
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get purge "${apt_quiet[@]}" orbisca >"$WORK/apt.log" 2>&1 || fail "apt-get purge failed"
! installed || fail "orbisca is still installed after the purge"
for file in /usr/bin/orbisca /usr/bin/orbisca-chart /usr/share/applications/$APP_ID.desktop; do
  [[ ! -e $file ]] || fail "$file is left after the purge"
done

[[ $failures -eq 0 ]] || exit 1
echo PASS
