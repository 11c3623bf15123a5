#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer (AddressSanitizer and
# UndefinedBehaviorSanitizer included) in build-fuzz/, then runs each for the
# given number of seconds (default 60), starting from the committed inputs in
# tests/fuzz/corpus/<target>/. New inputs go to build-fuzz/corpus/<target>/;
# an input that breaks an invariant or crashes is kept in
# build-fuzz/crashes/<target>/ and fails the run.
#
# Usage: tests/fuzz/run.sh [--merge] [SECONDS] [TARGET...]
#   --merge  afterwards, add the new inputs that reach new code to the
#            committed corpus (libFuzzer's -merge=1).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${ORBISCA_FUZZ_BUILD:-$root/build-fuzz}

merge=0
if [[ ${1:-} == --merge ]]; then merge=1; shift; fi
seconds=${1:-60}
[[ $seconds =~ ^[0-9]+$ && $seconds -gt 0 ]] || { echo "usage: $0 [--merge] [SECONDS] [TARGET...]" >&2; exit 2; }
shift || true
all_targets=(rtf_fuzz entries_fuzz options_fuzz zone_fuzz chart_fuzz batch_input_fuzz atlas_fuzz births_fuzz)
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=("${all_targets[@]}")

command -v clang++ >/dev/null || { echo "clang++ not found (scripts/deps.sh installs clang)" >&2; exit 1; }
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$flags" -DORBISCA_BUILD_GUI=OFF -DORBISCA_BUILD_TESTS=OFF \
  -DORBISCA_BUILD_BENCH=OFF -DORBISCA_BUILD_FUZZ=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}" >"$build/build.log" 2>&1 || {
  cat "$build/build.log" >&2
  exit 1
}

export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=()
for target in "${targets[@]}"; do
  seeds=$root/tests/fuzz/corpus/$target
  found=$build/corpus/$target
  crashes=$build/crashes/$target
  log=$build/$target.log
  mkdir -p "$seeds" "$found" "$crashes"
  # The first folder receives what libFuzzer finds; the committed one is only read.
  if "$build/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$crashes/" -print_final_stats=1 "$found" "$seeds" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz $target: ${runs:-?} runs in ${seconds}s, no invariant broken"
  else
    echo "FAIL fuzz $target (input kept in $crashes):" >&2
    grep -E 'invariant broken|ERROR: |runtime error|SUMMARY' "$log" | head -20 >&2 || tail -40 "$log" >&2
    failed+=("$target")
  fi
  if [[ $merge -eq 1 ]]; then
    "$build/tests/fuzz/$target" -merge=1 "$seeds" "$found" >>"$log" 2>&1
    echo "fuzz $target: committed corpus now $(find "$seeds" -type f | wc -l) inputs"
  fi
done
[[ ${#failed[@]} -eq 0 ]] || { echo "fuzz targets failed: ${failed[*]}" >&2; exit 1; }
