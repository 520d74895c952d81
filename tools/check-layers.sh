#!/usr/bin/env bash
# Checks the module's shape:
# - every folder of the module includes only from the layers below it: the
#   host's records (far/) at the bottom, the message catalogue (texts/),
#   the operating system (os/, which has no words of its own), the working
#   copy's administrative files (working_copy/), the runner (starting and
#   watching programs, argument lists, temporary files), the host binding
#   (host/), the user interface (ui/), then the panel and the commands, and
#   the entry points on top;
# - the host binding is included only by ui/ and by the exports that bind
#   it (entry/): nothing below ui/ can reach a host service, and the panel
#   and the commands reach the host only through ui/;
# - no file calls a host service (through HostInfo or HostFsf) outside ui/
#   and the binding host/ (the exports included);
# - no two units of the module include each other, directly or through
#   others (a unit is a header and its sources of the same name);
# - the hosts (hosts/) stand apart: the core includes only itself and the
#   host's records (far/), never the module's code, and each front end
#   only the core besides.
# Usage: check-layers.sh [source root [hosts root]]
set -euo pipefail
root=${1:-$(dirname "$0")/../src}
hosts=${2:-$root/../hosts}
declare -A allowed=(
  [far]="far"
  [texts]="far texts"
  [os]="far os"
  [working_copy]="far texts os working_copy"
  [runner]="far texts os working_copy runner"
  [host]="far texts host"
  [ui]="far texts os working_copy runner host ui"
  [panel]="far texts os working_copy runner ui panel"
  [commands]="far texts os working_copy runner ui commands"
  [entry]="far texts os working_copy runner host ui panel commands entry"
)
status=0
edges=$(mktemp)
trap 'rm -f "$edges"' EXIT
for dir in "$root"/*/; do
  layer=$(basename "$dir")
  if [ -z "${allowed[$layer]+set}" ]; then
    echo "src/$layer: a folder the layer check does not know"; status=1; continue
  fi
  while IFS= read -r line; do
    file=${line%%:*}
    included=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"$line")
    target=${included%%/*}
    case " ${allowed[$layer]} " in
      *" $target "*) ;;
      *) echo "${file#"$root"/}: includes from $target/, which lies above $layer/"; status=1 ;;
    esac
    unit=$layer/$(basename "${file%.*}")
    [ "${included%.*}" != "$unit" ] && echo "$unit ${included%.*}" >>"$edges"
  done < <(grep -H -E '^#include "[^/"]+/' "$dir"* || true)
  case $layer in
    ui | host) ;;
    *)
      while IFS= read -r place; do
        echo "${place#"$root"/}: calls a host service outside ui/"; status=1
      done < <(grep -H -n -E '\b(HostInfo|HostFsf)\b' "$dir"* | cut -d: -f1,2 || true)
      ;;
  esac
done
# tsort names the units of a circle on its error output.
if ! tsort "$edges" >/dev/null 2>"$edges.loop"; then
  echo "units that include each other:"
  grep -v 'input contains a loop' "$edges.loop" | sed 's/^tsort: /  /'
  status=1
fi
rm -f "$edges.loop"

declare -A hostAllowed=(
  [core]="far core"
  [standin]="far core standin"
  [console]="far core console"
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
    case " ${hostAllowed[$front]} " in
      *" ${target%%/*} "*) ;;
      *) echo "hosts/${file#"$hosts"/}: includes $target, outside what hosts/$front may use"; status=1 ;;
    esac
  done < <(grep -H -E '^#include "[^/"]+/' "$dir"*.?pp || true)
done
[ $status -eq 0 ] && echo "every folder includes only from the layers below it, no units include each other, and only ui/ and the exports reach the host"
exit $status
