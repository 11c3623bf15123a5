#!/usr/bin/env bash
# Fails when an engine source includes Qt or a file of the window program or
# the command, or includes a part against the direction of the engine's
# dependencies (run -> aspects -> astro; report on its own).
# Usage: engine_includes.sh SOURCE_ROOT
set -u
root=${1:?source root}
status=0

# forbid FOLDER PATTERN REASON: lists the include lines of FOLDER matching PATTERN.
forbid() {
  local folder=$1 pattern=$2 reason=$3
  [ -d "$root/$folder" ] || return 0
  local hits
  hits=$(grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($pattern)" "$root/$folder" \
           --include='*.h' --include='*.hpp' --include='*.cpp' --include='*.cc')
  if [ -n "$hits" ]; then
    echo "$reason:"
    echo "$hits" | sed "s|^$root/|  |"
    status=1
  fi
}

for part in astro aspects report run places births; do
  forbid "$part" 'Q|qt|ui/|app/|cli/' "the engine ($part/) includes Qt, the windows or the command"
done
forbid astro 'aspects/|report/|run/' "astro/ includes a part that depends on it"
forbid aspects 'report/|run/' "aspects/ includes a part that depends on it"
forbid report 'run/' "report/ includes the run"
forbid run "births/" "run/ includes the library of births, which depends on it"
exit $status
