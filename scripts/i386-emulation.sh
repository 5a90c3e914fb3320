#!/usr/bin/env bash
# Lets a machine whose kernel refuses 32-bit x86 programs (execve gives "Exec format
# error", as on virtual machines that run 64-bit user code only) run 32-bit Wine: the
# kernel hands every i386 ELF program to QEMU's user-mode emulator through binfmt_misc.
# Does nothing where 32-bit programs run natively or the emulator is registered already.
#
# The emulator comes from Debian 13's qemu-user (10.x; a static program, so it runs on
# Debian 12 as it is): Debian 12's 7.2 gives Wine's fault handler no trap number, and
# 32-bit Wine dies while it starts. The package is only downloaded and unpacked; the
# machine's own packages and sources stay as they are. Needs root (or sudo).
set -euo pipefail

here=$(dirname "${BASH_SOURCE[0]}")
probe=/usr/lib/wine/wine                      # a 32-bit program that wine32 installs
emulator=/usr/local/lib/przecena/qemu-i386
entry=/proc/sys/fs/binfmt_misc/qemu-i386

if "$probe" --version >/dev/null 2>&1; then exit 0; fi
if [ -e "$entry" ] && grep -q enabled "$entry"; then exit 0; fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "setup: this kernel runs no 32-bit programs; registering QEMU's i386 emulator for them" >&2

if [ ! -x "$emulator" ]; then
  work=$(mktemp -d) && chmod 777 "$work"   # apt downloads as its own user
  list=/etc/apt/sources.list.d/przecena-qemu.list
  trap '$sudo rm -f "$list"; rm -rf "$work"' EXIT
  # The archive this machine's apt already uses (its main suite, not -updates or
  # -security), with Debian 13's suite instead.
  archive=$(apt-get indextargets --format '$(REPO_URI) $(SUITE)' | awk '$2 !~ /-/ { print $1; exit }')
  [ -n "$archive" ] || { echo "setup: no Debian archive among the apt sources" >&2; exit 1; }
  echo "deb $archive trixie main" | $sudo tee "$list" >/dev/null
  "$here/apt-update.sh"
  (cd "$work" && apt-get download -qq qemu-user/trixie)
  $sudo rm -f "$list"
  "$here/apt-update.sh"
  dpkg-deb -x "$work"/qemu-user_*.deb "$work/root"
  $sudo install -D -m 755 "$work/root/usr/bin/qemu-i386" "$emulator"
fi

if [ ! -e /proc/sys/fs/binfmt_misc/register ]; then
  $sudo mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
fi
# ELF, 32-bit, little-endian, executable or shared object, machine 3 (i386). Flag F opens
# the emulator now, so it is found inside any root or namespace later.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
echo ":qemu-i386:M::$magic:$mask:$emulator:F" | $sudo tee /proc/sys/fs/binfmt_misc/register >/dev/null
"$probe" --version >/dev/null
