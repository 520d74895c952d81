#!/usr/bin/env bash
# Runs a Windows program under Wine, headless, in a private prefix.
#
#   tools/wine-run.sh [--win32] PREFIX PROGRAM [ARGUMENTS...]
#   tools/wine-run.sh [--win32] --init PREFIX
#   tools/wine-run.sh [--win32] --end PREFIX
#
# --win32 uses Debian's 32-bit Wine (wine32:i386, which runs through
# qemu-i386 on machines whose kernel runs no 32-bit programs); without it
# the 64-bit loader of the wine64 package.  The program's exit code is
# returned.
#
# --init creates the prefix when it is not there yet (a new 64-bit prefix
# takes about two minutes, a 32-bit one under qemu about fifteen) and does
# nothing when it is.  --end stops whatever Wine still runs in the prefix.
set -euo pipefail

arch=64
init=false
end=false
while [ $# -gt 0 ]; do
  case "$1" in
    --win32) arch=32 ;;
    --init) init=true ;;
    --end) end=true ;;
    *) break ;;
  esac
  shift
done
prefix=${1:?usage: wine-run.sh [--win32] [--init | --end] PREFIX [PROGRAM ARGUMENTS...]}
shift

if [ "$arch" = 64 ]; then
  loader=/usr/lib/wine/wine64
  export WINEARCH=win64
else
  loader=/usr/lib/wine/wine
  export WINEARCH=win32
fi
[ -x "$loader" ] || { echo "wine-run.sh: $loader is missing (install wine$arch)" >&2; exit 2; }
wineserver=/usr/lib/wine/wineserver

mkdir -p "$(dirname "$prefix")"
export WINEPREFIX
WINEPREFIX=$(cd "$(dirname "$prefix")" && pwd)/$(basename "$prefix")
export WINEDEBUG=-all
# No display: nothing may open a window, and Wine must not offer to
# download Mono or Gecko into the prefix.
unset DISPLAY WAYLAND_DISPLAY
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

if $end; then
  "$wineserver" -k 2> /dev/null || true
  exit 0
fi

if $init; then
  # One creation at a time; a second caller waits and finds it made.  The
  # lock is not handed to Wine's processes, which may outlive this script.
  exec 9> "$WINEPREFIX.lock"
  flock 9
  if [ -f "$WINEPREFIX/system.reg" ]; then
    echo "wine-run.sh: the $arch-bit prefix $WINEPREFIX is there"
    exit 0
  fi
  echo "wine-run.sh: creating the $arch-bit prefix $WINEPREFIX"
  started=$(date +%s)
  # Wine's processes must not hold our output open: whoever reads it
  # (CTest) would wait for them.  A new prefix's first start may complain
  # before Wine has set it up; what counts is a prefix there at the end.
  log=$WINEPREFIX.boot.log
  code=0
  "$loader" wineboot --init < /dev/null > "$log" 2>&1 9>&- || code=$?
  "$wineserver" -w 9>&-
  cat "$log"
  [ "$code" = 0 ] || echo "wine-run.sh: wineboot ended with $code"
  [ -f "$WINEPREFIX/system.reg" ] || { echo "wine-run.sh: no prefix was made" >&2; exit 1; }
  echo "wine-run.sh: the $arch-bit prefix is ready after $(($(date +%s) - started)) s"
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
