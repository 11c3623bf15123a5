#!/usr/bin/env bash
# --help and --version of both programs, and the refusal of anything else:
# the text on the right stream, the exit status, and no display needed.
#
# Usage: command_line_test.sh <orbisca> <orbisca-chart> <version>
set -euo pipefail
ORBISCA=$1
CHART=$2
VERSION=$3
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# program % arguments % expected status % grep pattern on stdout ('' = empty) % on stderr ('' = empty)
cases=(
  "$ORBISCA%--version%0%^orbisca $VERSION\$%"
  "$ORBISCA%--help%0%^Usage: orbisca \\[--help \\| --version\\]\$%"
  "$ORBISCA%-h%0%^Usage: orbisca%"
  "$ORBISCA%--bogus%2%%unrecognised argument '--bogus'"
  "$ORBISCA%report.rtf%2%%unrecognised argument 'report.rtf'"
  "$ORBISCA%--version --help%2%%unrecognised argument '--help'"
  "$ORBISCA%-platform offscreen%2%%unrecognised argument '-platform'"
  "$CHART%--version%0%^orbisca-chart $VERSION\$%"
  "$CHART%--help%0%--version%"
  "$CHART%--date 2000-01-01 --time 00:00 --zone 0 --lon 0:00E --bogus%2%%--bogus"
)
for row in "${cases[@]}"; do
  IFS='%' read -r program arguments status out err <<<"$row"
  name="$(basename "$program") $arguments"
  set +e
  # shellcheck disable=SC2086  # the arguments are split on purpose
  "$program" $arguments >"$WORK/out" 2>"$WORK/err"
  rc=$?
  set -e
  [[ $rc -eq $status ]] || fail "$name: exit status $rc, expected $status"
  for stream in out err; do
    pattern=${!stream}
    if [[ -z "$pattern" ]]; then
      [[ ! -s "$WORK/$stream" ]] || fail "$name: unexpected std$stream: $(head -n3 "$WORK/$stream")"
    elif ! grep -qE -- "$pattern" "$WORK/$stream"; then
      fail "$name: std$stream does not match '$pattern': $(head -n3 "$WORK/$stream")"
    fi
  done
done
# Both programs name the same licence under the version.
for program in "$ORBISCA" "$CHART"; do
  "$program" --version | grep -q '^License GPLv3+' || fail "$(basename "$program") --version names no licence"
done
[[ $failures -eq 0 ]] || exit 1
echo PASS
