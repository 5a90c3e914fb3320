#!/usr/bin/env bash
# Runs a Win32 program under Wine with a prefix of its own inside the build tree
# (created on first use), so nothing depends on a prefix in the home folder.
# "wine-run.sh --init" only creates the prefix.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${PRZECENA_WINEPREFIX:-$here/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export DISPLAY=
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
[ "${1:-}" = --init ] && exit 0
exec wine "$@"
