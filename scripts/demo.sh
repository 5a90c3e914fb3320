#!/usr/bin/env bash
# The demo: sets everything up, builds the plug-in, the host stand-in and the goods
# tool (nothing else), and runs one real repricing of the sample shop (samples/) on a fresh copy in
# build/demo, so the samples stay as they are. It shows the goods of warehouse 1 and
# the price file, the run as the host shows it (dialog answers in samples/answers.txt,
# the summary and INFO.TXT), then the four report files, the host's price-change
# journal and the goods after the run. Extra arguments go to hostsim.exe.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
scripts/setup.sh
# Only what the demo runs: the plug-in, the host stand-in with its copy of the plug-in,
# the goods tool and the ILOCK.dll stand-in; no test. The build's output is shown only
# when it fails.
build_log=$root/build/demo-build.log
mkdir -p "$root/build"
echo "Building PRZECENA.DLL, hostsim.exe and goodstool.exe (log: build/demo-build.log) ..."
if ! { cmake --preset win32 &&
       cmake --build --preset win32 --target przecena hostsim_program hostsim_plugin_copy goodstool ilock_standin
     } >"$build_log" 2>&1; then
  cat "$build_log" >&2
  echo "demo: the build failed (output above, also in $build_log)" >&2
  exit 1
fi
scripts/wine-run.sh --init
# One Wine server for all the programs of the demo, kept for a minute after the last.
scripts/wine-run.sh --server 60

bin=$root/build/win32/hostsim/win32
tools=$root/build/win32/tools
wine() { "$root/scripts/wine-run.sh" "$@"; }
goodstool() { wine "$tools/goodstool.exe" "$@"; }
section() { printf '\n\033[1m== %s ==\033[0m\n' "$1"; }
text() {  # a Mazovia text file of the run, readable in a UTF-8 terminal
  if [ -f "$1" ]; then goodstool text "$1"; else echo "(no file $1)"; fi
}

demo=$root/build/demo
rm -rf "$demo"
mkdir -p "$demo"
cp -R samples/. "$demo/"
cd "$demo"
goodstool build magazyn1.csv MMM1.MGR

section "Warehouse 1 before the run (MMM1.MGR, built from magazyn1.csv)"
goodstool table MMM1.MGR
section "Price file towary.txt (TAB-separated, decimal comma, Mazovia, CR LF)"
text towary.txt | tr '\t' '|'

section "The run, as the host shows it"
status=0
wine "$bin/hostsim.exe" --data . --answers answers.txt "$@" || status=$?
echo "(hostsim.exe ended with exit code $status)"

for report in INFO3.TXT INFO4.TXT INFO2.TXT INFO.TXT ZMIANYCEN.TXT; do
  case $report in
    INFO3.TXT) what="one line per goods record of the warehouse" ;;
    INFO4.TXT) what="one line per line read from the price file" ;;
    INFO2.TXT) what="lines of the price file whose goods are not in the warehouse" ;;
    INFO.TXT) what="unchanged prices, too long symbols, failed changes" ;;
    ZMIANYCEN.TXT) what="the host's price-change journal" ;;
  esac
  section "$report: $what"
  text "$report"
done

section "Warehouse 1 after the run"
goodstool table MMM1.MGR
echo
echo "Everything of this run is in $demo."
