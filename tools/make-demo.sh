#!/usr/bin/env bash
# Makes the demo that ./quillet opens: a local cvs repository and two
# working copies under DEMO (default ~/.cache/quillet-demo).  "work" holds a
# file in every state the status panel shows; "other" is the colleague
# whose commits make the changes that "work" has not seen yet.
#   up to date   README.txt, sub/inner.txt (in the subfolder sub)
#   modified     hello.c
#   added        added.txt
#   removed      removed.txt
#   needs patch  patchme.txt      (changed in the repository only)
#   needs merge  merge.txt        (changed on both sides, apart)
#   conflict     conflict.txt     (changed on both sides, same line, merged)
#   unknown      scratch.txt
#   binary       logo.bin         (added with -kb)
#   sticky tag   tagged.txt       (updated to the tag demo-1)
# An existing demo is kept as it is; --fresh makes it again.  A folder is
# removed only when this script made it (the marker file .quillet-demo
# inside says so): any other folder at DEMO is left alone, with a message.
set -euo pipefail

fresh=no
if [ "${1:-}" = "--fresh" ]; then
  fresh=yes
  shift
fi
demo=${1:-${XDG_CACHE_HOME:-$HOME/.cache}/quillet-demo}
if [ -d "$demo/work/CVS" ] && [ "$fresh" = no ]; then
  echo "$demo/work"
  exit 0
fi
marker=.quillet-demo
if [ -L "$demo" ] || [ -e "$demo" ]; then
  if [ -d "$demo" ] && [ ! -L "$demo" ] && [ -f "$demo/$marker" ] && [ ! -L "$demo/$marker" ]; then
    rm -rf "$demo"
  elif [ -d "$demo" ] && [ ! -L "$demo" ] && [ -z "$(ls -A "$demo")" ]; then
    : # an empty folder is used as it is
  else
    echo "make-demo.sh: $demo is not a demo this script made; it is left as it is." >&2
    echo "Name a new or empty folder, or remove this one yourself." >&2
    exit 1
  fi
fi
mkdir -p "$demo"
demo=$(cd "$demo" && pwd)
: >"$demo/$marker"
repo=$demo/repo
# Nothing of the user's cvs settings leaks in.
export CVSROOT=$repo
unset CVSREAD CVSIGNORE CVSWRAPPERS CVS_RSH || true
cvs() { command cvs -Q -d "$repo" "$@"; }

cvs init
import=$(mktemp -d)
trap 'rm -rf "$import"' EXIT
mkdir -p "$import/sub"
printf 'Quillet demo project.\nEvery file here is in another CVS state.\n' >"$import/README.txt"
printf '#include <stdio.h>\n\nint main(void) {\n  puts("hello");\n  return 0;\n}\n' >"$import/hello.c"
printf 'first line\nsecond line\n' >"$import/patchme.txt"
printf 'top\nmiddle\nbottom\n' >"$import/merge.txt"
printf 'the line both sides change\n' >"$import/conflict.txt"
printf 'this file goes away\n' >"$import/removed.txt"
printf 'tagged at demo-1\n' >"$import/tagged.txt"
printf 'inside the subfolder\n' >"$import/sub/inner.txt"
(cd "$import" && cvs import -m "Demo project" demo quillet start)

(cd "$demo" && cvs checkout -d work demo && cvs checkout -d other demo)
(cd "$demo/other" && cvs tag demo-1)

# The colleague's commits: what "work" has not seen.
(
  cd "$demo/other"
  printf 'first line\nsecond line\nthird line from the repository\n' >patchme.txt
  printf 'top changed in the repository\nmiddle\nbottom\n' >merge.txt
  printf 'the line as the repository has it\n' >conflict.txt
  printf 'tagged at demo-1\nchanged after the tag\n' >tagged.txt
  cvs commit -m "Changes from the other working copy" patchme.txt merge.txt conflict.txt tagged.txt
)

# The local states.
cd "$demo/work"
printf '#include <stdio.h>\n\nint main(void) {\n  puts("hello, world");\n  return 0;\n}\n' >hello.c
printf 'top\nmiddle\nbottom changed here\n' >merge.txt
printf 'the line as this working copy has it\n' >conflict.txt
cvs update conflict.txt >/dev/null 2>&1 || true
rm -f .#conflict.txt.*  # the merge's backup copy
printf 'a new file\n' >added.txt
cvs add added.txt
printf '\x89PNG\r\n\x1a\n\x00\x01\x02\x03' >logo.bin
cvs add -kb logo.bin
rm removed.txt
cvs remove removed.txt
cvs update -r demo-1 tagged.txt
printf 'not in the repository\n' >scratch.txt
echo "$demo/work"
