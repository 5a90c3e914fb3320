#!/usr/bin/env bash
# Peak memory of a whole run with the stand-in's backup (the goods file copied to kopie/
# before the first store, the reports kept beside it) against the same run without,
# at N goods and N price lines (default 1,000,000), natively and through PRZECENA.DLL
# under Wine. The backup is copied in blocks, so the two stay within 16 MB of each
# other. A backup that is not made says so and the table names it. Builds as
# bench/run.sh does (Release, build/bench/), which calls this at its end.
#   bench/backup_memory.sh [N]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
n=${1:-1000000}
out=$root/build/bench
native=$out/native
win=$out/win32
work=$out/work/backup
bound=16

echo "building (Release) ..." >&2
cmake -S . -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPRZECENA_SANITIZE=OFF >/dev/null
cmake --build "$native" --target whole_run >/dev/null
cmake -S . -B "$win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/i686-w64-mingw32.cmake" >/dev/null
cmake --build "$win" --target whole_run >/dev/null
scripts/wine-run.sh --init
scripts/wine-run.sh --server 600
wine() { "$root/scripts/wine-run.sh" "$@"; }

# The value of key in a line of key=value figures.
field() { tr ' ' '\n' <<<"$2" | sed -n "s/^$1=//p"; }
mb() { awk -v b="$1" 'BEGIN { printf "%.1f", b / 1048576 }'; }

# peak FOLDER ARGS...: runs a whole run in a fresh FOLDER and prints its peak memory in
# MB, or "failed: <why>" when the run did not complete or a backup asked for is missing.
peak() {
  local folder=$1
  shift
  rm -rf "$folder" && mkdir -p "$folder"
  local line
  line=$(cd "$folder" && "$@" 2>"$folder.err" | tail -1) || true
  if [ "$(field completed "$line")" != 1 ]; then
    echo "failed: the run did not complete $(head -c 200 "$folder.err")"
  elif [ "${*: -1}" = backup ] && [ "$(stat -c %s "$folder"/kopie/MMM1.MGR.*-?????? 2>/dev/null)" != $((n * 769)) ]; then
    echo "failed: no backup of $((n * 769)) bytes; $(head -c 300 "$folder.err")"
  else
    mb "$(field peak_process_bytes "$line")"
  fi
  rm -rf "$folder"  # the goods file alone is 769 bytes a record
}

rows=()
for build in native wine; do
  echo "N = $n, $build, without and with the backup ..." >&2
  if [ "$build" = native ]; then run=("$native/bench/whole_run"); else run=(wine "$win/bench/whole_run.exe"); fi
  without=$(peak "$work/$build-plain" "${run[@]}" "$n" "$n")
  with=$(peak "$work/$build-backup" "${run[@]}" "$n" "$n" backup)
  if [[ $without == failed* || $with == failed* ]]; then
    rows+=("$(printf '| %-6s | %9s | %s | %s |' "$build" "$n" "$without" "$with")")
    continue
  fi
  diff=$(awk -v a="$with" -v b="$without" 'BEGIN { printf "%.1f", a - b }')
  verdict=$(awk -v d="$diff" -v lim="$bound" 'BEGIN { print d <= lim ? "holds" : "FAILS" }')
  rows+=("$(printf '| %-6s | %9s | %11s | %11s | %10s | %-6s |' "$build" "$n" "$without" "$with" "$diff" "$verdict")")
done
scripts/wine-run.sh --stop-server >/dev/null 2>&1 || true

cat <<TABLE

Peak memory of the whole process (MB), $n goods and $n price lines, without and with
the stand-in's backup in kopie/ (bound: with at most $bound MB above without).

| build  |         N | no backup   | with backup | difference | bound  |
|--------|-----------|-------------|-------------|------------|--------|
$(printf '%s\n' "${rows[@]}")
TABLE
