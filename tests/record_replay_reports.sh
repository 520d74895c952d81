#!/bin/bash
# Records what the real cvs client prints for the runs of one working copy
# into tests/data/replay/, where the cvs stand-in (tests/programs/
# cvs_replay.cpp, built as cvs.exe for Windows) replays them: on Windows no
# real client runs in the test machines, so the listing, the marking and
# the commit are driven there by these recordings.
#
# The script builds a repository and two working copies in a scratch folder
# with its own HOME, TMPDIR and CVSROOT, brings one file into each state
# that the marking tells apart, and saves, for each run, its output
# (standard output and standard error into one file, as the module's runner
# captures them) and its exit code:
#   status.txt, status.exit      cvs -q status -l
#   status@sub.txt, .exit        cvs -q status -l        (in sub/)
#   update-n.txt, update-n.exit  cvs -n -q update .      (the dry run)
#   log.txt, log.exit            cvs log modified.c
#   diff.txt, diff.exit          cvs diff modified.c
#   commit.txt, commit.exit      cvs commit -F MESSAGE modified.c added.c
# and the working copy as it was for the first two (files and CVS folder)
# in workcopy/, to be copied to where the replaying test lists it.
#
# Files and their states:
#   up-to-date.c        untouched                       Up-to-date
#   modified.c          edited                          Locally Modified   M
#   added.c             new, `cvs add`                  Locally Added      A
#   needs-patch.c       changed from the other copy     Needs Patch        U
#   conflict.c          changed in both, updated        Unresolved Conflict C
#   unknown.txt         never added                     (not reported)     ?
#   sub/                a sub-folder under version control
#
# Usage: tests/record_replay_reports.sh [output-folder]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/data/replay}
mkdir -p "$out"
out=$(cd "$out" && pwd)

work=$(mktemp -d "${TMPDIR:-/tmp}/quillet-replay.XXXXXX")
trap 'rm -rf "$work"' EXIT

export HOME=$work/home TMPDIR=$work/tmp TMP=$work/tmp
export CVSROOT=$work/repository
unset CVS_RSH CVS_SERVER CVSREAD CVSEDITOR EDITOR VISUAL CVSIGNORE CVSWRAPPERS || true
mkdir -p "$HOME" "$TMPDIR"
printf '' > "$HOME/.cvsrc"

cvs -Q init

mkdir -p "$work/import/sub"
cd "$work/import"
for f in up-to-date.c modified.c needs-patch.c conflict.c sub/inner.c; do
  printf 'first line of %s\nsecond line\nthird line\n' "$f" > "$f"
done
cvs -Q import -m "initial import" proj vendor start

cvs -Q checkout -d "$work/wc" proj
cvs -Q checkout -d "$work/other" proj

cd "$work/other"
for f in needs-patch.c conflict.c; do
  printf 'first line of %s\nchanged in the other copy\nthird line\n' "$f" > "$f"
done
cvs -Q commit -m "changes from the other copy"

cd "$work/wc"
printf 'locally modified\n' >> modified.c
printf 'a new file\n' > added.c
cvs -Q add added.c
printf 'first line of conflict.c\nchanged in this copy\nthird line\n' > conflict.c
cvs -Q update conflict.c || true
printf 'not under version control\n' > unknown.txt

# Runs cvs with its output and exit code recorded under NAME.
record() {
  local name=$1
  shift
  local code=0
  cvs "$@" > "$out/$name.txt" 2>&1 || code=$?
  echo "$code" > "$out/$name.exit"
}

record status -q status -l
(cd sub && record status@sub -q status -l)
record update-n -n -q update .
record log log modified.c
record diff diff modified.c

rm -rf "$out/workcopy"
cp -r "$work/wc" "$out/workcopy"

printf 'a change recorded for the replay\n' > "$work/message"
record commit commit -F "$work/message" modified.c added.c

echo "recorded into $out:"
ls -l "$out"
