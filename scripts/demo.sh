#!/usr/bin/env bash
# Sets everything up, builds the plug-in and the host stand-in, and runs the demo:
# the stand-in loads PRZECENA.DLL on a fresh copy of the sample data in build/demo,
# shows the first-run notice and the menu "Inne" with the plug-in's command, then
# unloads it. Extra arguments go to hostsim.exe (see "hostsim.exe --help").
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
scripts/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32
scripts/wine-run.sh --init

demo=$root/build/demo
rm -rf "$demo"
mkdir -p "$demo"
if [ -d samples ]; then cp -R samples/. "$demo/"; fi
cd "$demo"
answers=()
[ -f answers.txt ] && answers=(--answers answers.txt)
exec "$root/scripts/wine-run.sh" "$root/build/win32/hostsim/hostsim.exe" --data . "${answers[@]}" "$@"
