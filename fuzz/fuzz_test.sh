#!/usr/bin/env bash
# One fuzzer as a test: runs every seed, then fuzzes for SECONDS; new inputs are kept in
# WORK/corpus, never among the seeds, a crashing input as WORK/crash-*.
#   fuzz/fuzz_test.sh FUZZER WORK SEEDS SECONDS MAX_LEN
set -euo pipefail
fuzzer=$1 work=$2 seeds=$3 seconds=$4 max_len=$5
rm -rf "$work"
mkdir -p "$work/corpus"
cd "$work"
exec "$fuzzer" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$work/" "$work/corpus" "$seeds"
