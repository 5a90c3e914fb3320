#!/usr/bin/env bash
# Runs a Win32 program under Wine with a prefix of its own inside the build tree
# (created on first use), so nothing depends on a prefix in the home folder.
# "wine-run.sh --init" only creates the prefix. "--server SECONDS" starts the prefix's
# Wine server to stay that long after its last program, and "--stop-server" ends it:
# a test run keeps one server, since a program that connects just as an idle server
# exits fails with "recvmsg: Connection reset by peer".
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${PRZECENA_WINEPREFIX:-$here/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export DISPLAY=
# On a kernel that runs no 32-bit programs, Wine runs under QEMU's emulator
# (i386-emulation.sh); tests that meet one of its differences read this to name it.
if [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] && grep -q '^enabled' /proc/sys/fs/binfmt_misc/qemu-i386; then
  export PRZECENA_I386_EMULATOR=qemu-i386
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
[ "${1:-}" = --init ] && exit 0
if [ "${1:-}" = --server ]; then
  wineserver -p"${2:-60}"
  # The first program of a server starts Wine's own services, which live as long as
  # the server and keep the first program's output open: start them here, detached,
  # so that no test's output stays open after its program ended.
  wine cmd /c exit </dev/null >/dev/null 2>&1
  exit 0
fi
[ "${1:-}" = --stop-server ] && exec wineserver -k
exec wine "$@"
