#!/usr/bin/env bash
# Checks Quillet installed as a user installs it: exactly the release's
# files, `quillet --version`, and the installed `quillet` run in tmux on a
# working copy made with the real cvs until the status panel shows its
# letters, then F10.
#
#   tools/check-installed.sh --prefix BUILD   `cmake --install BUILD` into a
#                                             fresh prefix; run from the
#                                             working copy, no arguments
#   tools/check-installed.sh --deb FILE.deb   `apt-get install` the package
#                                             (root), `quillet FOLDER`, then
#                                             `apt-get remove`: none of its
#                                             files may remain
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
mode=${1:-}
target=${2:-}
case "$mode" in
  --prefix | --deb) [ -n "$target" ] || mode= ;;
  *) mode= ;;
esac
[ -n "$mode" ] || {
  echo "usage: check-installed.sh --prefix BUILD | --deb FILE.deb" >&2
  exit 2
}

work=$(mktemp -d)
sock=$work/tmux.sock
installed_deb=false
cleanup() {
  tmux -S "$sock" kill-server 2> /dev/null || true
  if $installed_deb; then apt-get remove -y -qq quillet > /dev/null 2>&1 || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "check-installed.sh: $*" >&2
  exit 1
}

# What a release installs, below its prefix; the module's folder is
# lib/quillet or, on a multiarch system, lib/TRIPLET/quillet.
expected_files() {
  local module_dir=$1
  echo "bin/quillet
bin/quillet-tkdiff
$module_dir/libquillet.so
$module_dir/quillet_en.lng
$module_dir/quillet_ru.lng
share/doc/quillet/changelog.gz
share/doc/quillet/copyright
share/lintian/overrides/quillet
share/man/man1/quillet-tkdiff.1.gz
share/man/man1/quillet.1.gz"
}

# The files of a listing (one path a line) that are not folders, below
# `prefix`, sorted.
files_below() {
  local prefix=$1 path
  while IFS= read -r path; do
    [ -d "$path" ] || echo "${path#"$prefix"/}"
  done | LC_ALL=C sort
}

if [ "$mode" = --prefix ]; then
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$target/CMakeCache.txt")
  prefix=$work/prefix
  cmake --install "$target" --prefix "$prefix" > "$work/install.log" || {
    cat "$work/install.log"
    fail "cmake --install failed"
  }
  listing=$(find "$prefix" | files_below "$prefix")
else
  [ "$(id -u)" -eq 0 ] || fail "installing a package needs root"
  version=$(dpkg-deb -f "$target" Version)
  if dpkg-query -W -f='${Status}' quillet 2> /dev/null | grep -q " installed"; then
    fail "a quillet package is installed already; remove it first"
  fi
  for field in "Depends: .*\bcvs\b" "Depends: .*\blibncursesw6\b" "Recommends: tkcvs"; do
    dpkg-deb -f "$target" Depends Recommends | grep -Eq "$field" ||
      fail "the package's control lacks $field"
  done
  deb=$(cd "$(dirname "$target")" && pwd)/$(basename "$target")
  installed_deb=true
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" > "$work/install.log" 2>&1 || {
    cat "$work/install.log"
    fail "apt-get install failed"
  }
  prefix=/usr
  dpkg -L quillet > "$work/dpkg-files"
  listing=$(files_below "$prefix" < "$work/dpkg-files")
fi
module_dir=$(echo "$listing" | sed -n 's,/libquillet\.so$,,p')
echo "$module_dir" | grep -Eqx 'lib(/[a-z0-9_]+-[a-z0-9_-]+)?/quillet' ||
  fail "the module is not in a folder of its own under lib/: ${module_dir:-nowhere}"
expected=$(expected_files "$module_dir")
[ "$listing" = "$expected" ] || {
  diff <(echo "$expected") <(echo "$listing") || true
  fail "the installed files are not the release's (< expected, > installed)"
}
[ "$("$prefix/bin/quillet" --version)" = "quillet $version" ] ||
  fail "quillet --version does not say $version"
zcat "$prefix/share/doc/quillet/changelog.gz" | head -n 1 | grep -q "^quillet ($version)" ||
  fail "the changelog's newest entry is not version $version"

# A working copy with a modified, an added and an unknown file.
export CVSROOT=$work/repository
cvs -Q init
mkdir "$work/import"
echo one > "$work/import/kept.txt"
echo two > "$work/import/changed.txt"
(cd "$work/import" && cvs -Q import -m start proj vendor start)
(cd "$work" && cvs -Q checkout -d wc proj)
wc=$work/wc
echo more >> "$wc/changed.txt"
echo new > "$wc/new.txt"
(cd "$wc" && cvs -Q add new.txt)
echo stray > "$wc/stray.txt"
unset CVSROOT

# As a user starts it: the command on PATH, no module named, the C locale.
mkdir "$work/home"
environment=(env -i "PATH=$prefix/bin:/usr/bin:/bin" "HOME=$work/home" TERM=screen)
if [ "$mode" = --prefix ]; then
  run="cd '$wc' && ${environment[*]} quillet"
else
  run="${environment[*]} quillet '$wc'"
fi
tmux -S "$sock" -f /dev/null new-session -d -x 100 -y 30 "$run; echo quillet-exit=\$?; sleep 600"
screen() { tmux -S "$sock" capture-pane -p; }
# Waits at most $1 seconds for the screen to show $2; else, or when quillet
# ends first, fails saying $3.
wait_for() {
  local limit=$((SECONDS + $1))
  until screen | grep -q "$2"; do
    if [ $SECONDS -ge $limit ] || screen | grep -q "quillet-exit="; then
      screen
      fail "$3"
    fi
    sleep 0.2
  done
}
wait_for 60 "CVS:$wc" "the status panel did not show"
for row in "changed.txt *│M│" "new.txt *│A│" "stray.txt *│?│" "kept.txt *│ │"; do
  wait_for 30 "$row" "the status panel does not show $row"
done
# F10 asks before quitting; Enter answers Yes.
tmux -S "$sock" send-keys F10
wait_for 30 "Do you want to quit" "F10 asked nothing before quitting"
tmux -S "$sock" send-keys Enter
limit=$((SECONDS + 30))
until screen | grep -q "quillet-exit="; do
  [ $SECONDS -lt $limit ] || fail "F10 did not end quillet"
  sleep 0.2
done
screen | grep -q "quillet-exit=0" || {
  screen
  fail "quillet did not end cleanly"
}

if [ "$mode" = --deb ]; then
  DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq quillet > "$work/remove.log" 2>&1 || {
    cat "$work/remove.log"
    fail "apt-get remove failed"
  }
  installed_deb=false
  left=()
  while IFS= read -r path; do
    [ ! -e "$path" ] || [ -d "$path" ] || left+=("$path")
  done < "$work/dpkg-files"
  for folder in "/usr/$module_dir" /usr/share/doc/quillet; do
    [ ! -e "$folder" ] || left+=("$folder")
  done
  [ ${#left[@]} -eq 0 ] || fail "apt-get remove left ${left[*]}"
  echo "check-installed.sh: apt-get remove quillet left none of its files"
fi
echo "check-installed.sh: the installed quillet $version showed the status panel ($mode $target)"
