#!/usr/bin/env bash
# Checks that every folder of the module includes only from the layers below
# it: the host's interface and binding at the bottom, then the operating
# system, the runner, the panel and the commands, and the entry points on
# top.  Usage: check-layers.sh [source root]
set -euo pipefail
root=${1:-$(dirname "$0")/../src}
declare -A allowed=(
  [host]="host"
  [os]="host os"
  [runner]="host os runner"
  [panel]="host os runner panel"
  [commands]="host os runner commands"
  [entry]="host os runner panel commands entry"
)
status=0
for dir in "$root"/*/; do
  layer=$(basename "$dir")
  if [ -z "${allowed[$layer]+set}" ]; then
    echo "src/$layer: a folder the layer check does not know"; status=1; continue
  fi
  while IFS= read -r line; do
    file=${line%%:*}
    target=$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"$line")
    case " ${allowed[$layer]} " in
      *" $target "*) ;;
      *) echo "${file#"$root"/}: includes from $target/, which lies above $layer/"; status=1 ;;
    esac
  done < <(grep -H -E '^#include "[^/"]+/' "$dir"* || true)
done
[ $status -eq 0 ] && echo "every folder includes only from the layers below it"
exit $status
