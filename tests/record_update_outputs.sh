#!/bin/bash
# Records the output of the dry-run update `cvs -n -q update` from the real
# cvs client into tests/data/update/, where the tests and the fuzz targets
# take it from, and the working copy's CVS/Root into tests/data/root/.
#
# One working copy ("wc") with a file in every state the dry run reports:
#   modified.c, "a b.c", " lead.c"   edited                      M
#   added.c                          new, `cvs add`              A
#   conflict.c                       changed in both copies,
#                                    merged with conflicts       C
#   needs-patch.c                    changed from the other copy U (or P)
#   sub/inner.c                      edited                      M sub/inner.c
#   <long folder>/deep.c             edited, a path of over 300 characters
#   unknown.txt, "new file", sub/unknown-inner.txt, newdir/   ?
#
# Recorded files:
#   update/tree.txt     `cvs -n -q update .`     (the whole tree)
#   update/local.txt    `cvs -n -q update -l .`  (this folder only)
#   update/failed.txt   the dry run in a copy whose repository is gone
#   root/local.txt      the CVS/Root file of the working copy
#
# Usage: tests/record_update_outputs.sh [output-folder]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/data}
mkdir -p "$out/update" "$out/root"
out=$(cd "$out" && pwd)

work=$(mktemp -d "${TMPDIR:-/tmp}/quillet-record.XXXXXX")
trap 'rm -rf "$work"' EXIT
export HOME=$work/home TMPDIR=$work/tmp TMP=$work/tmp CVSROOT=$work/repository
unset CVS_RSH CVS_SERVER CVSREAD CVSEDITOR EDITOR VISUAL CVSIGNORE CVSWRAPPERS || true
mkdir -p "$HOME" "$TMPDIR"
printf '' > "$HOME/.cvsrc"
cvs -Q init

long=$(printf 'folder-with-a-long-name-%.0s' 1 2 3 4 5)
mkdir -p "$work/import/sub" "$work/import/$long/$long/$long"
cd "$work/import"
for f in modified.c conflict.c needs-patch.c clean.c "a b.c" " lead.c" sub/inner.c \
  "$long/$long/$long/deep.c"; do
  printf 'first line\nsecond line\nthird line\n' > "$f"
done
cvs -Q import -m "initial import" proj vendor start
cvs -Q checkout -d "$work/wc" proj
cvs -Q checkout -d "$work/other" proj

cd "$work/other"
printf 'first line\nchanged in the other copy\nthird line\n' > conflict.c
printf 'first line\nchanged in the other copy\nthird line\n' > needs-patch.c
cvs -Q commit -m "changes from the other copy"

cd "$work/wc"
for f in modified.c "a b.c" " lead.c" sub/inner.c "$long/$long/$long/deep.c"; do
  echo "changed here" >> "$f"
done
printf 'first line\nchanged here\nthird line\n' > conflict.c
cvs -Q update conflict.c || true
echo new > added.c
cvs -Q add added.c
echo unknown > unknown.txt
echo unknown > "new file"
echo unknown > sub/unknown-inner.txt
mkdir newdir

cvs -n -q update . > "$out/update/tree.txt" 2>&1 || true
cvs -n -q update -l . > "$out/update/local.txt" 2>&1 || true
cp CVS/Root "$out/root/local.txt"
mkdir "$work/broken"
cp -r "$work/wc/CVS" "$work/broken/CVS"
echo "$work/no-repository-here" > "$work/broken/CVS/Root"
(cd "$work/broken" && CVSROOT=$work/no-repository-here cvs -n -q update . > "$out/update/failed.txt" 2>&1) || true

echo "recorded into $out:"
ls -l "$out/update" "$out/root"
