#!/usr/bin/env bash
# Builds the fuzzers (preset "fuzz": clang, -fsanitize=fuzzer,address,undefined) into
# build/fuzz and runs one, or each in turn, for SECONDS (default 60) on its seeds in
# fuzz/corpus/<name>, keeping what it finds in build/fuzz/corpus/<name> and a crashing
# input as build/fuzz/crash-*. Prints the executions and executions per second of each.
#   fuzz/run.sh [SECONDS] [FUZZER] [more libFuzzer options]
# FUZZER: price_file_fuzz, goods_file_fuzz, settings_fuzz, dialog_record_fuzz,
# answers_fuzz, or all (the default).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
seconds=${1:-60}
which=${2:-all}
shift 2 || shift $# || true
out=$root/build/fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

declare -A max_len=([price_file_fuzz]=4096 [goods_file_fuzz]=8192 [settings_fuzz]=1024
                    [dialog_record_fuzz]=1024 [answers_fuzz]=4096)
fuzzers=(price_file_fuzz goods_file_fuzz settings_fuzz dialog_record_fuzz answers_fuzz)
[ "$which" = all ] || fuzzers=("$which")
for name in "${fuzzers[@]}"; do
  [ -n "${max_len[$name]:-}" ] || { echo "run.sh: no fuzzer $name" >&2; exit 2; }
  mkdir -p "$out/corpus/$name"
  log=$out/$name.log
  # One process (what -jobs=1 amounts to): its output, the statistics included, goes
  # straight to the log; -jobs would write it into the fuzzer's work folder.
  (cd "$out" && "$out/fuzz/$name" -max_total_time="$seconds" -max_len="${max_len[$name]}" -timeout=10 \
     -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$out/" \
     "$out/corpus/$name" "$root/fuzz/corpus/$name" "$@" >"$log" 2>&1) || {
    echo "$name: FAILED, see $log" >&2
    tail -n 30 "$log" >&2
    exit 1
  }
  runs=$(grep -a 'stat::number_of_executed_units' "$log" | tail -n1 | awk '{print $2}')
  rate=$(grep -a 'stat::average_exec_per_sec' "$log" | tail -n1 | awk '{print $2}')
  echo "$name: $runs executions in $seconds s, $rate per second"
done
