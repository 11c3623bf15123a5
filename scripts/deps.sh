#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Orbisca
# need, and only those that are missing. Uses sudo when not run as root.
set -euo pipefail

packages=(
  build-essential cmake g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libcli11-dev nlohmann-json3-dev
  xvfb xdotool x11-utils imagemagick
  poppler-utils fonts-dejavu-core libreoffice-writer-nogui
  # The chart sheet's PDF module: librsvg draws the SVG pages onto a cairo PDF surface.
  librsvg2-dev libcairo2-dev
  libfontconfig-dev libhowardhinnant-date-dev libdate-tz3 libtimezonemap-data tzdata
  libsqlitecpp-dev libsqlite3-dev sqlite3
  librsvg2-bin libxml2-utils file man-db desktop-file-utils appstream dpkg-dev lintian
  # The benchmarks' anchor (Swiss Ephemeris) and the map-event timer (Xlib).
  libswe-dev libx11-dev
  clang libclang-rt-14-dev llvm
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
