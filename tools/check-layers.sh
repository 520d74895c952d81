#!/usr/bin/env bash
# Checks that every folder of the module includes only from the layers below
# it: the host's interface and binding at the bottom, then the operating
# system, the runner, the panel and the commands, and the entry points on
# top.  The hosts (hosts/) stand apart: the core includes only itself and
# the host's self-contained headers (the records, the field helpers and the
# user screen's commands, never the module's binding), and each front end
# only the core besides.
# Usage: check-layers.sh [source root [hosts root]]
set -euo pipefail
root=${1:-$(dirname "$0")/../src}
hosts=${2:-$root/../hosts}
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

declare -A hostAllowed=(
  [core]="core"
  [standin]="core standin"
  [console]="core console"
)
for dir in "$hosts"/*/; do
  [ -d "$dir" ] || continue
  front=$(basename "$dir")
  if [ -z "${hostAllowed[$front]+set}" ]; then
    echo "hosts/$front: a folder the layer check does not know"; status=1; continue
  fi
  while IFS= read -r line; do
    file=${line%%:*}
    target=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"$line")
    case "$target" in
      host/far_api.hpp | host/field_text.hpp | host/user_screen.hpp) continue ;;
    esac
    case " ${hostAllowed[$front]} " in
      *" ${target%%/*} "*) ;;
      *) echo "hosts/${file#"$hosts"/}: includes $target, outside what hosts/$front may use"; status=1 ;;
    esac
  done < <(grep -H -E '^#include "[^/"]+/' "$dir"*.?pp || true)
done
[ $status -eq 0 ] && echo "every folder includes only from the layers below it"
exit $status
