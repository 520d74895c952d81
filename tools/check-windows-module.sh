#!/usr/bin/env bash
# Checks the Windows module: a 32-bit DLL that exports exactly the host's
# ten entry points, undecorated, and imports only Windows system libraries.
# With --win64 it checks the 64-bit test build of the module the same way.
set -euo pipefail
kind="PE32 executable (DLL)"
objdump=i686-w64-mingw32-objdump
if [ "${1:-}" = --win64 ]; then
  kind="PE32+ executable (DLL)"
  objdump=x86_64-w64-mingw32-objdump
  shift
fi
dll=${1:?usage: check-windows-module.sh [--win64] Quillet.dll}

file "$dll" | grep -qF "$kind" || { echo "not a $kind: $dll"; exit 1; }
listing=$(mktemp)
trap 'rm -f "$listing"' EXIT
"$objdump" -p "$dll" > "$listing"

exports=$(awk '/\[Ordinal\/Name Pointer\] Table/{table=1; next} table && NF==0 {table=0} table {print $NF}' \
  "$listing" | sort)
expected=$(printf '%s\n' ClosePlugin FreeFindData GetFindData GetMinFarVersion GetOpenPluginInfo \
  GetPluginInfo OpenPlugin ProcessKey SetDirectory SetStartupInfo | sort)
echo "exports:"; echo "$exports" | sed 's/^/  /'
if [ "$exports" != "$expected" ]; then
  echo "the export list is not exactly the ten entry points"; exit 1
fi

imports=$(awk '/DLL Name:/{print tolower($3)}' "$listing" | sort -u)
echo "imports:"; echo "$imports" | sed 's/^/  /'
for dll_name in $imports; do
  case "$dll_name" in
    kernel32.dll|user32.dll|advapi32.dll|msvcrt.dll|shell32.dll|ws2_32.dll|api-ms-win-*) ;;
    *) echo "imports a library that is not part of Windows: $dll_name"; exit 1 ;;
  esac
done
echo "Windows module checks passed"
