#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package
# build/orbisca_<version>_<arch>.deb (install it with: apt install ./build/orbisca_…deb).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
cpack --config "$root/build/CPackConfig.cmake" -G DEB -B "$root/build" >/dev/null
ls "$root"/build/orbisca_*.deb
