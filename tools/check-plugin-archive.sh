#!/usr/bin/env bash
# Checks the plug-in archive as a FAR user gets it, and unpacks it.
#
#   tools/check-plugin-archive.sh Quillet-VERSION-win32.zip [PLUGINS]
#
# The archive must hold the one folder Quillet/ with exactly the DLL, both
# language files, tkdiff.bat and the two read-mes; the read-mes name the
# archive's version and end their lines in CR LF; the English texts are
# ASCII and the Russian ones code page 866, in which FAR's Russian users
# read them (text in UTF-8 or in 1251 shows as garbage there).  With
# PLUGINS, the archive is then unpacked into it, as a user unpacks it into
# FAR's Plugins folder, replacing an earlier Quillet/ there.
set -euo pipefail
archive=${1:?usage: check-plugin-archive.sh ARCHIVE.zip [PLUGINS]}
plugins=${2:-}
fail() {
  echo "check-plugin-archive.sh: $*" >&2
  exit 1
}
version=$(basename "$archive" | sed -n 's/^Quillet-\(.*\)-win32\.zip$/\1/p')
[ -n "$version" ] || fail "$archive is not named Quillet-VERSION-win32.zip"
[ -f "$archive" ] || fail "no archive $archive"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
archive=$(cd "$(dirname "$archive")" && pwd)/$(basename "$archive")
(cd "$work" && cmake -E tar xf "$archive")

expected="Quillet/Quillet.dll
Quillet/quillet_en.lng
Quillet/quillet_ru.lng
Quillet/readme_en.txt
Quillet/readme_ru.txt
Quillet/tkdiff.bat"
listing=$(cd "$work" && find . -mindepth 1 ! -type d | sed 's,^\./,,' | LC_ALL=C sort)
[ "$listing" = "$expected" ] || {
  diff <(echo "$expected") <(echo "$listing") || true
  fail "the archive does not hold exactly the plug-in's folder (< expected, > found)"
}
head -c 2 "$work/Quillet/Quillet.dll" | grep -q MZ || fail "Quillet.dll is no Windows program file"

# The bytes a text may hold: English ones ASCII; Russian ones code page
# 866's letters (0x80-0xAF, 0xE0-0xF1) and no byte of its frame characters
# or of its rarer signs, where UTF-8's and 1251's Cyrillic letters land.
for file in quillet_en.lng readme_en.txt quillet_ru.lng readme_ru.txt; do
  path=$work/Quillet/$file
  case "$file" in
    *_en.*)
      ! LC_ALL=C grep -q $'[\x80-\xff]' "$path" || fail "$file is not ASCII"
      ;;
    *_ru.*)
      LC_ALL=C grep -q $'[\x80-\xaf\xe0-\xf1]' "$path" || fail "$file has no Russian letters"
      ! LC_ALL=C grep -q $'[\xb0-\xdf\xf2-\xff]' "$path" || fail "$file is not in code page 866"
      ;;
  esac
done
for file in readme_en.txt readme_ru.txt tkdiff.bat; do
  ! LC_ALL=C grep -q $'[^\r]$\\|^$' "$work/Quillet/$file" || fail "$file has lines not ended by CR LF"
done
for file in readme_en.txt readme_ru.txt; do
  head -n 1 "$work/Quillet/$file" | grep -q "^Quillet $version " || fail "$file does not name version $version"
done

if [ -n "$plugins" ]; then
  mkdir -p "$plugins"
  rm -rf "${plugins:?}/Quillet"
  mv "$work/Quillet" "$plugins/Quillet"
  echo "check-plugin-archive.sh: $(basename "$archive") checked and unpacked into $plugins/Quillet"
else
  echo "check-plugin-archive.sh: $(basename "$archive") checked"
fi
