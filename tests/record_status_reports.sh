#!/bin/bash
# Records reports of `cvs -q status -l` from the real cvs client into
# tests/data/status/, where the report reader's tests take them from.
#
# The script builds a repository and two working copies in a scratch folder
# with its own HOME, TMPDIR and CVSROOT, brings one file into each state the
# client can report, and saves what `cvs` prints (standard output and
# standard error into one file, as the module's runner captures them).
#
# Files in the first working copy ("wc") and the state each is brought into:
#   up-to-date.c          untouched
#   modified.c            edited                          Locally Modified
#   added.c               new, `cvs add`                  Locally Added
#   removed.c             deleted, `cvs remove`           Locally Removed
#   needs-patch.c         changed from the other copy     Needs Patch
#   needs-merge.c         changed from both copies        Needs Merge
#   needs-checkout.c      deleted without `cvs remove`    Needs Checkout
#   conflict-fresh.c      update that conflicts           Unresolved Conflict
#   conflict-edited.c     the same, edited afterwards     File had conflicts on merge
#   in-the-way.c          added from the other copy, an
#                         unversioned file of that name   Unresolved Conflict
#   entry-invalid.c       removed from the other copy,
#                         deleted here                    Entry Invalid
#   on-branch.c           sticky branch tag
#   long-tag.c            sticky tag of 40 characters
#   dated.c               sticky date
#   binary.dat            added with -kb                  sticky options -kb
#   two words.c           a name with a blank in it
#   nnn...n.c             a name of 200 characters; its repository line
#                         is longer than one 311-character read
#
# Recorded files:
#   all-states.txt        the report of the whole working copy
#   errors-mixed.txt      a report on named files: one unknown to cvs and
#                         in-the-way.c (Unresolved Conflict, which cvs only
#                         reports when the file is named), so that their
#                         error lines stand among the records
#   failed-run.txt        the output of a run that fails (no repository)
#   extra-fields.txt      derived from all-states.txt: after each
#                         "Sticky Options:" line two lines are inserted,
#                         "Expansion option:" with the record's sticky
#                         options ("(default)" when they are "(none)") and
#                         "Merge From:" with "(none)": the two fields that
#                         other CVS clients print and this one does not.
#
# Usage: tests/record_status_reports.sh [output-folder]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/data/status}
mkdir -p "$out"
out=$(cd "$out" && pwd)

work=$(mktemp -d "${TMPDIR:-/tmp}/quillet-record.XXXXXX")
trap 'rm -rf "$work"' EXIT

export HOME=$work/home TMPDIR=$work/tmp TMP=$work/tmp
# A long repository path makes the repository line of the long-named file
# longer than the reader's 311-character line.
export CVSROOT=$work/a-repository-folder-with-a-long-name-so-that-report-lines-grow
unset CVS_RSH CVS_SERVER CVSREAD CVSEDITOR EDITOR VISUAL CVSIGNORE CVSWRAPPERS || true
mkdir -p "$HOME" "$TMPDIR"
printf '' > "$HOME/.cvsrc"

cvs -Q init

longname=$(printf 'n%.0s' $(seq 1 198)).c
longtag=release-tag-with-a-name-of-forty-chars40
[ ${#longname} -eq 200 ] && [ ${#longtag} -eq 40 ] || { echo "bad lengths" >&2; exit 1; }

plain="up-to-date.c modified.c removed.c needs-patch.c needs-merge.c needs-checkout.c
conflict-fresh.c conflict-edited.c entry-invalid.c on-branch.c long-tag.c dated.c"

mkdir "$work/import"
cd "$work/import"
for f in $plain; do
  printf 'first line of %s\nsecond line\nthird line\n' "$f" > "$f"
done
printf 'first line\n' > "two words.c"
printf 'first line\n' > "$longname"
cvs -Q import -m "initial import" proj vendor start

cvs -Q checkout -d "$work/wc" proj
cvs -Q checkout -d "$work/other" proj

# Changes committed from the other copy.
cd "$work/other"
for f in needs-patch.c needs-merge.c conflict-fresh.c conflict-edited.c; do
  printf 'first line of %s\nchanged in the other copy\nthird line\n' "$f" > "$f"
done
printf 'added from the other copy\n' > in-the-way.c
cvs -Q add in-the-way.c
rm entry-invalid.c
cvs -Q remove entry-invalid.c
cvs -Q commit -m "changes from the other copy"

# Local work in the first copy.
cd "$work/wc"
printf 'locally modified\n' >> modified.c
printf 'a new file\n' > added.c
cvs -Q add added.c
printf 'binary\0data\n' > binary.dat
cvs -Q add -kb binary.dat
rm removed.c
cvs -Q remove removed.c
printf 'first line of needs-merge.c\nsecond line\nthird line changed here\n' > needs-merge.c
rm needs-checkout.c
for f in conflict-fresh.c conflict-edited.c; do
  printf 'first line of %s\nchanged in this copy\nthird line\n' "$f" > "$f"
  cvs -Q update "$f" || true
done
printf 'edited after the merge\n' >> conflict-edited.c
printf 'not under version control\n' > in-the-way.c
rm entry-invalid.c

cvs -Q tag -b feature-branch on-branch.c
cvs -Q update -r feature-branch on-branch.c
cvs -Q tag "$longtag" long-tag.c
cvs -Q update -r "$longtag" long-tag.c
stamp=$(date -u '+%Y-%m-%d %H:%M:%S UTC')
sleep 1
cd "$work/other"
cvs -Q update dated.c
printf 'newer than the date\n' >> dated.c
cvs -Q commit -m "after the date" dated.c
cd "$work/wc"
cvs -Q update -D "$stamp" dated.c

cvs -q status -l > "$out/all-states.txt" 2>&1 || true
# A file that cvs has never heard of and one in the way of a file that the
# repository has (a report on the whole folder names neither).
cvs -q status -l up-to-date.c no-such-file.c in-the-way.c modified.c \
  > "$out/errors-mixed.txt" 2>&1 || true
# A working copy whose Root names a repository that is not there.
mkdir "$work/broken"
cp -r "$work/wc/CVS" "$work/broken/CVS"
echo "$work/no-repository-here" > "$work/broken/CVS/Root"
(cd "$work/broken" && CVSROOT=$work/no-repository-here cvs -q status -l > "$out/failed-run.txt" 2>&1; echo "exit code $?" >&2) || true

awk '
  /^[ \t]*Sticky Options:/ {
    print
    option = $0; sub(/^[ \t]*Sticky Options:[ \t]*/, "", option)
    if (option == "(none)") option = "(default)"
    print "   Expansion option:\t" option
    print "   Merge From:\t\t(none)"
    next
  }
  { print }
' "$out/all-states.txt" > "$out/extra-fields.txt"

echo "recorded into $out:"
ls -l "$out"
