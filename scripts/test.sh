#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (engine, command,
# windows offscreen, and the real-window tests under their own Xvfb).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
cd "$root/build"
ctest --output-on-failure -j2 --timeout 600
