#!/usr/bin/env bash
# Lets this machine run 32-bit x86 Linux programs, such as the loader of
# Debian's 32-bit Wine, through qemu-i386 where the kernel runs none itself:
# registers the qemu-user-static package's /usr/bin/qemu-i386-static with
# binfmt_misc for 32-bit x86 ELF files, mounting binfmt_misc first if
# needed.  Does nothing when 32-bit programs already run.  Needs root.
set -euo pipefail

probe=${1:-/usr/lib/wine/wine}
if "$probe" --version > /dev/null 2>&1; then
  echo "32-bit x86 programs run here ($probe)"
  exit 0
fi
interpreter=/usr/bin/qemu-i386-static
[ -x "$interpreter" ] || { echo "setup-qemu-i386.sh: $interpreter is missing (install qemu-user-static)" >&2; exit 1; }

binfmt=/proc/sys/fs/binfmt_misc
[ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
if [ -e "$binfmt/qemu-i386" ]; then
  echo 1 > "$binfmt/qemu-i386"  # present: make sure it is enabled
else
  # The ELF header of a 32-bit x86 executable or shared object, as qemu's
  # own binfmt configuration matches it.  F: the kernel opens the
  # interpreter now, so that it also serves other mount namespaces.
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  printf '%s' ":qemu-i386:M::$magic:$mask:$interpreter:F" > "$binfmt/register"
fi
"$probe" --version > /dev/null 2>&1 || { echo "setup-qemu-i386.sh: $probe still does not run" >&2; exit 1; }
echo "32-bit x86 programs run through $interpreter"
