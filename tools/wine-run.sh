#!/usr/bin/env bash
# Runs a Windows program under Wine, headless, in a private prefix.
#
#   tools/wine-run.sh [--win32] PREFIX PROGRAM [ARGUMENTS...]
#   tools/wine-run.sh [--win32] --init PREFIX
#
# --win32 uses Debian's 32-bit Wine (wine32:i386, which runs through
# qemu-i386 on machines whose kernel runs no 32-bit programs); without it
# the 64-bit loader of the wine64 package.  --init creates the prefix once
# (a new 64-bit prefix takes about two minutes, a 32-bit one under qemu
# about fifteen) and does nothing when it is already there.  The program's
# exit code is returned.
set -euo pipefail

arch=64
if [ "${1:-}" = "--win32" ]; then
  arch=32
  shift
fi
init=false
if [ "${1:-}" = "--init" ]; then
  init=true
  shift
fi
prefix=${1:?usage: wine-run.sh [--win32] [--init] PREFIX [PROGRAM ARGUMENTS...]}
shift

if [ "$arch" = 64 ]; then
  loader=/usr/lib/wine/wine64
  export WINEARCH=win64
else
  loader=/usr/lib/wine/wine
  export WINEARCH=win32
fi
[ -x "$loader" ] || { echo "wine-run.sh: $loader is missing (install wine$arch)" >&2; exit 2; }

mkdir -p "$(dirname "$prefix")"
export WINEPREFIX
WINEPREFIX=$(cd "$(dirname "$prefix")" && pwd)/$(basename "$prefix")
export WINEDEBUG=-all
# No display: nothing may open a window, and Wine must not offer to
# download Mono or Gecko into the prefix.
unset DISPLAY WAYLAND_DISPLAY
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

wineserver=/usr/lib/wine/wineserver$arch
[ -x "$wineserver" ] || wineserver=/usr/lib/wine/wineserver

if $init; then
  # One creation at a time; a second caller waits and finds it made.
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine-run.sh: creating the $arch-bit prefix $WINEPREFIX"
    started=$(date +%s)
    "$loader" wineboot --init
    "$wineserver" -w
    echo "wine-run.sh: prefix ready after $(($(date +%s) - started)) s"
  fi
  exit 0
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  flag=""
  [ "$arch" = 32 ] && flag="--win32 "
  echo "wine-run.sh: no prefix at $WINEPREFIX; create it with: wine-run.sh $flag--init $prefix" >&2
  exit 2
fi
program=${1:?no program to run}
shift
exec "$loader" "$program" "$@"
