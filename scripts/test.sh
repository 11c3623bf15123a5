#!/usr/bin/env bash
# The test command. Installs what is missing, then
#  1. builds in build/ and runs every test (engine, command, windows
#     offscreen, and the real-window tests under their own Xvfb);
#  2. builds the same in build-asan/ under AddressSanitizer, LeakSanitizer and
#     UndefinedBehaviorSanitizer, and runs every test again with their
#     settings (tests/sanitizer/env.sh: every check on, leaks included; the
#     suppression files there name the few reports from libraries that are
#     not ours);
#  3. runs each fuzz target for a few seconds (tests/fuzz/run.sh;
#     ORBISCA_FUZZ_SECONDS sets how many, 5 by default).
# Every stage runs even when an earlier one failed; the status says whether
# all passed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
failed=()

"$root/scripts/build.sh"
(cd "$root/build" && ctest --output-on-failure -j2 --timeout 600) || failed+=("tests")

(
  . "$root/tests/sanitizer/env.sh"  # also for the test discovery during the build
  # g++ 12 warns of maybe-uninitialized members inside libstdc++'s std::regex
  # when it instruments it (a known false positive of -fsanitize with that
  # warning); the plain build keeps the warning.
  flags="-O1 -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
  flags+=" -D_GLIBCXX_ASSERTIONS -Wno-maybe-uninitialized"
  cmake -S "$root" -B "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" -DCMAKE_MODULE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DORBISCA_BUILD_BENCH=OFF >/dev/null
  cmake --build "$root/build-asan" -j"$(nproc)"
  cd "$root/build-asan" && ctest --output-on-failure -j2 --timeout 900
) || failed+=("sanitizer tests")

"$root/tests/fuzz/run.sh" "${ORBISCA_FUZZ_SECONDS:-5}" || failed+=("fuzz targets")

if [[ ${#failed[@]} -gt 0 ]]; then
  echo "FAILED: ${failed[*]}" >&2
  exit 1
fi
echo "All passed: tests, sanitizer tests, fuzz targets."
