#!/usr/bin/env bash
# Builds the benchmark programs in Release (natively and for Win32) and prints one
# table of whole runs against the I/O floor, measured in one go on this machine, then
# the table of peak memory with a backup (bench/backup_memory.sh); the
# figures also go to build/bench/results.csv, and with gnuplot to build/bench/times.png.
# Not part of scripts/test.sh. Each figure is the best of REPEATS runs (default 3).
#   bench/run.sh [REPEATS]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
repeats=${1:-3}
out=$root/build/bench
native=$out/native
win=$out/win32
work=$out/work
mkdir -p "$out"

echo "building (Release) ..." >&2
cmake -S . -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPRZECENA_SANITIZE=OFF >/dev/null
cmake --build "$native" --target whole_run io_floor lookup_ratio >/dev/null
cmake -S . -B "$win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/i686-w64-mingw32.cmake" >/dev/null
cmake --build "$win" --target whole_run io_floor lookup_ratio >/dev/null
scripts/wine-run.sh --init
scripts/wine-run.sh --server 600
trap 'scripts/wine-run.sh --stop-server >/dev/null 2>&1 || true' EXIT
wine() { "$root/scripts/wine-run.sh" "$@"; }

emulated=""
if [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] && grep -q '^enabled' /proc/sys/fs/binfmt_misc/qemu-i386; then
  emulated=" (Wine under QEMU's i386 emulator: its times are inflated by the emulation)"
fi

# The value of key in a line of key=value figures.
field() { tr ' ' '\n' <<<"$2" | sed -n "s/^$1=//p"; }

# The best (smallest seconds) of $repeats runs of a command, each in the folder made
# afresh; every run writes the same files, and the last run's stay for the floor.
# Prints the best run's line of figures.
best() {
  local folder=$1 times=$2
  shift 2
  local bestLine="" bestSeconds=""
  for ((i = 0; i < times; ++i)); do
    rm -rf "$folder" && mkdir -p "$folder"
    local line
    line=$(cd "$folder" && "$@" | tail -1)
    [ "$(field completed "$line")" = 1 ] || { echo "bench: a run did not complete: $line" >&2; exit 1; }
    local s
    s=$(field seconds "$line")
    if [ -z "$bestSeconds" ] || awk -v a="$s" -v b="$bestSeconds" 'BEGIN { exit !(a < b) }'; then
      bestSeconds=$s
      bestLine=$line
    fi
  done
  echo "$bestLine"
}

# The floor's best time in a folder that holds a run's files.
floor() {
  local folder=$1
  shift
  local bytes
  bytes=$(cat "$folder"/INFO*.TXT "$folder"/ZMIANYCEN.TXT 2>/dev/null | wc -c)
  local bestSeconds=""
  for ((i = 0; i < repeats; ++i)); do
    local line s
    line=$(cd "$folder" && "$@" MMM1.MGR "$bytes" | tail -1)
    s=$(field seconds "$line")
    if [ -z "$bestSeconds" ] || awk -v a="$s" -v b="$bestSeconds" 'BEGIN { exit !(a < b) }'; then bestSeconds=$s; fi
  done
  echo "$bestSeconds"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else printf "-" }'; }
own() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a - b }'; }

csv=$out/results.csv
echo "n,floor_native_s,run_native_s,own_native_s,plain_native_s,floor_wine_s,run_wine_s,own_wine_s,peak_list_bytes,needed_list_bytes,peak_native_mb,peak_wine_mb" >"$csv"
declare -A runN runW ownN ownW
rows=()
clockRows=()
for n in 1000 10000 100000 1000000; do
  echo "N = $n ..." >&2
  # The run's time from runs without the service clock, the services' time from runs
  # with it (its reads slow a run): own = run - services.
  cn=$(best "$work/native-$n" "$repeats" "$native/bench/whole_run" "$n" "$n" clock)
  ln=$(best "$work/native-$n" "$repeats" "$native/bench/whole_run" "$n" "$n")
  fn=$(floor "$work/native-$n" "$native/bench/io_floor")
  cw=$(best "$work/wine-$n" "$repeats" wine "$win/bench/whole_run.exe" "$n" "$n" clock)
  lw=$(best "$work/wine-$n" "$repeats" wine "$win/bench/whole_run.exe" "$n" "$n")
  fw=$(floor "$work/wine-$n" wine "$win/bench/io_floor.exe")
  plainN=-
  if [ "$n" -le 10000 ]; then  # at 100,000 the plain search alone takes minutes
    lp=$(best "$work/plain-$n" 1 "$native/bench/whole_run" "$n" "$n" refuse-index)
    plainN=$(field seconds "$lp")
  fi
  runN[$n]=$(field seconds "$ln"); runW[$n]=$(field seconds "$lw")
  ownN[$n]=$(own "${runN[$n]}" "$(field service_seconds "$cn")")
  ownW[$n]=$(own "${runW[$n]}" "$(field service_seconds "$cw")")
  clockRows+=("$(printf '| %7s | %7.3f | %7.3f | %8.1f | %7.3f | %7.3f | %8.1f |' "$n" \
    "$(field seconds "$cn")" "$(field service_seconds "$cn")" "$(field clock_read_ns "$cn")" \
    "$(field seconds "$cw")" "$(field service_seconds "$cw")" "$(field clock_read_ns "$cw")")")
  peak=$(field peak_list_bytes "$ln"); need=$(field needed_list_bytes "$ln")
  mbN=$(awk -v b="$(field peak_process_bytes "$ln")" 'BEGIN { printf "%.1f", b / 1048576 }')
  mbW=$(awk -v b="$(field peak_process_bytes "$lw")" 'BEGIN { printf "%.1f", b / 1048576 }')
  echo "$n,$fn,${runN[$n]},${ownN[$n]},$plainN,$fw,${runW[$n]},${ownW[$n]},$peak,$need,$mbN,$mbW" >>"$csv"
  # A million goods fill 770 MB per folder: gone once their row is measured.
  [ "$n" -lt 1000000 ] || rm -rf "$work/native-$n" "$work/wine-$n"
  rows+=("$(printf '| %7s | %7.3f | %7.3f | %5sx | %6.3f (%4.1f%%) | %7.3f | %7.3f | %5sx | %6.3f (%4.1f%%) | %8s | %5sx | %6s / %6s |' \
    "$n" "$fn" "${runN[$n]}" "$(ratio "${runN[$n]}" "$fn")" "${ownN[$n]}" \
    "$(awk -v a="${ownN[$n]}" -v b="${runN[$n]}" 'BEGIN { print 100 * a / b }')" \
    "$fw" "${runW[$n]}" "$(ratio "${runW[$n]}" "$fw")" "${ownW[$n]}" \
    "$(awk -v a="${ownW[$n]}" -v b="${runW[$n]}" 'BEGIN { print 100 * a / b }')" \
    "$plainN" "$(ratio "$peak" "$need")" "$mbN" "$mbW")")
done

# The plug-in's own time at 1,000,000 by sampling (no clock in the run), with the price
# file in the goods file's order and shuffled; only where perf is installed.
sampled="" sampledRatio=-
if command -v perf >/dev/null && perf record -q -o /dev/null true >/dev/null 2>&1; then
  echo "N = 1000000, own time by sampling ..." >&2
  for order in ordered shuffled; do
    rm -rf "$work/sampled" && mkdir -p "$work/sampled"
    option=""
    [ "$order" = ordered ] || option=shuffled
    line=$(cd "$work/sampled" && "$root/bench/own_by_sampling.sh" "$native/bench/whole_run" 1000000 $option)
    own=$(field own_seconds "$line")
    [ "$order" = shuffled ] || sampledRatio=$(ratio "$own" "$(cut -d, -f2 <<<"$(grep '^1000000,' "$csv")")")
    sampled+="$(printf '| %-8s | %7.3f | %7.3f | %5sx | %7s | %7s | %7s | %5s |' "$order" "$(field seconds "$line")" "$own" \
      "$(ratio "$own" "$(cut -d, -f2 <<<"$(grep '^1000000,' "$csv")")")" "$(field own "$line")" \
      "$(field services "$line")" "$(field cut "$line")" "$(field samples "$line")")"$'\n'
  done
  rm -rf "$work/sampled"
fi

echo "N = 20000, index refused ..." >&2
iN=$(best "$work/index-native" "$repeats" "$native/bench/whole_run" 20000 20000 clock)
pN=$(best "$work/plain-native" 1 "$native/bench/whole_run" 20000 20000 refuse-index clock)
iW=$(best "$work/index-wine" "$repeats" wine "$win/bench/whole_run.exe" 20000 20000 clock)
pW=$(best "$work/plain-wine" 1 wine "$win/bench/whole_run.exe" 20000 20000 refuse-index clock)
ownOf() { own "$(field seconds "$1")" "$(field service_seconds "$1")"; }
ownRatioN=$(ratio "$(ownOf "$pN")" "$(ownOf "$iN")")
ownRatioW=$(ratio "$(ownOf "$pW")" "$(ownOf "$iW")")
lrN=$(best "$work/lookups-native" 1 "$native/bench/lookup_ratio" 20000)
lrW=$(best "$work/lookups-wine" 1 wine "$win/bench/lookup_ratio.exe" 20000)
lookupN=$(field ratio "$lrN")
lookupW=$(field ratio "$lrW")
echo "20000,,,,$(field seconds "$pN"),,,,,,," >>"$csv"

growN=$(ratio "${runN[100000]}" "${runN[10000]}")
growMN=$(ratio "${runN[1000000]}" "${runN[100000]}")
growMW=$(ratio "${runW[1000000]}" "${runW[100000]}")
million=$(grep '^1000000,' "$csv")
ownFloorN=$(ratio "${ownN[1000000]}" "$(cut -d, -f2 <<<"$million")")
ownFloorW=$(ratio "${ownW[1000000]}" "$(cut -d, -f6 <<<"$million")")
growW=$(ratio "${runW[100000]}" "${runW[10000]}")
last=$(grep '^100000,' "$csv")
memRatio=$(ratio "$(cut -d, -f9 <<<"$last")" "$(cut -d, -f10 <<<"$last")")
verdict() { awk -v v="$1" -v lim="$2" -v op="$3" 'BEGIN { ok = op == "<=" ? v <= lim : v >= lim; print ok ? "holds" : "FAILS" }'; }

cat <<TABLE
Whole repricing runs, N goods and N price lines (every goods record named, half the
prices change); best of $repeats, seconds of wall time. Floor: the same reads and writes
alone (io_floor). Own: the run's time outside the stand-in's file services.
Wine: through PRZECENA.DLL loaded by the stand-in$emulated.
Run: without the service clock. Own: that run less the services' time of the runs
with the clock (below; every service call timed, less the clock's own read each).

|       N | floor   | run     | ratio  | own native      | Wine    | run via | ratio  | own via DLL     | plain    | list  | peak MB         |
|         | native  | native  |        |                 | floor   | DLL     |        |                 | search   | /need | native / Wine   |
|---------|---------|---------|--------|-----------------|---------|---------|--------|-----------------|----------|-------|-----------------|
$(printf '%s\n' "${rows[@]}")

The runs with the service clock (best of $repeats): run, services' time, one clock read.

|       N | run     | services| read ns  | run via | services| read ns  |
|         | native  | native  | native   | DLL     | DLL     | DLL      |
|---------|---------|---------|----------|---------|---------|----------|
$(printf '%s\n' "${clockRows[@]}")

$(if [ -n "$sampled" ]; then cat <<SAMPLED
The plug-in's own time at 1,000,000 natively by sampling (bench/own_by_sampling.sh:
perf's call stacks at 997 Hz, no clock in the run; the price file in the goods file's
order, and shuffled so that no lookup finds its entry after the previous one). Cut:
stacks too deep for perf's copy, counted as the host's.

| price file | run     | own     | /floor | own     | services| cut     | all   |
|            | seconds | seconds |        | samples | samples | samples |       |
|------------|---------|---------|--------|---------|---------|---------|-------|
${sampled}
SAMPLED
fi)

20,000 x 20,000 with the price index refused (the plain search): native run $(field seconds "$pN") s
(own $(ownOf "$pN") s; with the index $(field seconds "$iN") s, own $(ownOf "$iN") s); via the DLL
$(field seconds "$pW") s (own $(ownOf "$pW") s; with the index $(field seconds "$iW") s, own $(ownOf "$iW") s).
(These runs with the service clock; their own time is within the same run.)
Own time plain over own time indexed: native ${ownRatioN}x, via the DLL ${ownRatioW}x (own time holds
more than the lookups). The run's 40,000 lookups alone (lookup_ratio, the same code
built alike): native $(field index_seconds "$lrN") s indexed, $(field plain_seconds "$lrN") s plain;
Wine $(field index_seconds "$lrW") s indexed, $(field plain_seconds "$lrW") s plain.

Targets:
- whole run at 100,000 within 2x the floor, native:      $(ratio "${runN[100000]}" "$(cut -d, -f2 <<<"$last")")x  $(verdict "$(ratio "${runN[100000]}" "$(cut -d, -f2 <<<"$last")")" 2 "<=")
- whole run at 100,000 within 2x the Wine floor, DLL:    $(ratio "${runW[100000]}" "$(cut -d, -f6 <<<"$last")")x  $(verdict "$(ratio "${runW[100000]}" "$(cut -d, -f6 <<<"$last")")" 2 "<=")
- lookup through the index vs the plain search, native / Wine:  ${lookupN}x / ${lookupW}x  $(verdict "$lookupN" 100 ">=") / $(verdict "$lookupW" 100 ">=")
- growth 100k over 10k, native / DLL (at most 12x):      ${growN}x / ${growW}x  $(verdict "$growN" 12 "<=") / $(verdict "$growW" 12 "<=")
- growth 1M over 100k, native / DLL (at most 12x):       ${growMN}x / ${growMW}x  $(verdict "$growMN" 12 "<=") / $(verdict "$growMW" 12 "<=")
- own time at 1,000,000 within 2x the floor, native:     ${ownFloorN}x  $(verdict "$ownFloorN" 2 "<=")
- the same by sampling (price file in the goods' order):  ${sampledRatio}x  $(verdict "$sampledRatio" 2 "<=")
- own time at 1,000,000 within 3x the Wine floor, DLL:   ${ownFloorW}x  $(verdict "$ownFloorW" 3 "<=")
- peak price-list memory over entries plus index, 100k:  ${memRatio}x  $(verdict "$memRatio" 1.5 "<=")
CSV: $csv
TABLE

# Peak memory with the stand-in's backup against without, at 1,000,000 goods.
bench/backup_memory.sh

if command -v gnuplot >/dev/null; then
  gnuplot <<PLOT
set terminal png size 900,600
set output "$out/times.png"
set datafile separator ","
set datafile missing "-"
set logscale xy
set key top left
set xlabel "goods = price lines"
set ylabel "seconds"
plot "< tail -n +2 '$csv' | sort -t, -k1,1n" using 1:2 with linespoints title "floor, native", \
     "" using 1:3 with linespoints title "run, native", \
     "" using 1:5 with linespoints title "run with the plain search, native", \
     "" using 1:6 with linespoints title "floor, Wine", \
     "" using 1:7 with linespoints title "run via the DLL, Wine"
PLOT
  echo "Plot: $out/times.png"
fi
