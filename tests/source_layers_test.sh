#!/usr/bin/env bash
# The layer check itself: a copy of the module's tree passes, and each kind
# of breach planted in a copy is named.
set -euo pipefail
check=$1
src=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# Copies the tree, adds `line` at the top of `file` in the copy, and expects
# the check to fail naming `expected`.
expect_breach() {
  local file=$1 line=$2 expected=$3
  rm -rf "$work/src" && cp -r "$src" "$work/src" && mkdir -p "$work/hosts"
  printf '%s\n' "$line" | cat - "$work/src/$file" >"$work/src/$file.new"
  mv "$work/src/$file.new" "$work/src/$file"
  local said
  if said=$("$check" "$work/src" "$work/hosts" 2>&1); then
    echo "FAIL: $file with '$line' passed the check"; failures=$((failures + 1))
  elif ! grep -qF -- "$expected" <<<"$said"; then
    echo "FAIL: $file with '$line': expected '$expected' in:"; echo "$said"; failures=$((failures + 1))
  fi
}

rm -rf "$work/src" && cp -r "$src" "$work/src" && mkdir -p "$work/hosts"
if ! "$check" "$work/src" "$work/hosts" >/dev/null; then
  echo "FAIL: the tree as it is does not pass"; failures=$((failures + 1))
fi
# The operating-system layer has no words: not even the catalogue.
expect_breach os/environment.cpp '#include "texts/messages.hpp"' \
  "os/environment.cpp: includes from texts/, which lies above os/"
# Nothing below the user interface reaches the host binding.
expect_breach runner/cvs_args.cpp '#include "host/host.hpp"' \
  "runner/cvs_args.cpp: includes from host/, which lies above runner/"
# The panel and the commands reach the host only through ui/.
expect_breach panel/navigation.cpp '#include "host/host.hpp"' \
  "panel/navigation.cpp: includes from host/, which lies above panel/"
expect_breach commands/update.cpp 'void F() { HostInfo.Text(0, 0, 0, ""); }' \
  "commands/update.cpp:1: calls a host service outside ui/"
# The working copy's files know nothing of starting programs.
expect_breach working_copy/entries_file.cpp '#include "runner/start_program.hpp"' \
  "working_copy/entries_file.cpp: includes from runner/, which lies above working_copy/"
expect_breach working_copy/entries_file.cpp '#include "working_copy/kept_files.hpp"' \
  "units that include each other"
[ $failures -eq 0 ] && echo "the layer check names every breach planted"
exit $failures
