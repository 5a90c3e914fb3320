#!/usr/bin/env bash
# A fuzzing campaign: each fuzzer of the fast build (preset "fuzz-fast": coverage alone,
# no ASan/UBSan) fuzzes for SECONDS on one core, starting from its kept corpus
# fuzz/corpus/<name>; every input it found is replayed through the sanitizer build
# (preset "fuzz") and only then merged (-merge=1) into the corpus, which is minimised
# on the way: the named seeds stay, the inputs named by their SHA-1 are kept only as
# far as they add coverage. One row per fuzzer is appended to docs/fuzzing.md (date,
# seconds, executions, corpus size, coverage features, crashes) and the executions of
# all its rows are summed up.
#   fuzz/campaign.sh SECONDS [FUZZER...]     (default: every fuzzer of fuzz/CMakeLists.txt)
# PRZECENA_CAMPAIGN_JOBS=N runs N fuzzers at once (default 1: one after the other).
# A crash or a failed check, in either build, leaves the input in
# build/campaign/<name>/crash-* and counts in the row's crashes; it never enters the
# corpus.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
seconds=${1:?usage: fuzz/campaign.sh SECONDS [FUZZER...]}
shift
jobs=${PRZECENA_CAMPAIGN_JOBS:-1}
table=$root/docs/fuzzing.md

# The fuzzers and their longest inputs, as fuzz/CMakeLists.txt declares them.
declare -A max_len
while read -r name len; do max_len[$name]=$len; done < <(
  sed -n 's/^przecena_fuzzer(\([a-z_]*\) \([0-9]*\) .*/\1 \2/p' fuzz/CMakeLists.txt)
fuzzers=("$@")
[ ${#fuzzers[@]} -gt 0 ] || fuzzers=($(sed -n 's/^przecena_fuzzer(\([a-z_]*\) .*/\1/p' fuzz/CMakeLists.txt))
for name in "${fuzzers[@]}"; do
  [ -n "${max_len[$name]:-}" ] || { echo "campaign.sh: no fuzzer $name" >&2; exit 2; }
done

for preset in fuzz-fast fuzz; do
  # Configured once; the build itself configures again when a CMakeLists.txt changed.
  [ -f "$root/build/$preset/build.ninja" ] || cmake --preset $preset >/dev/null
  cmake --build --preset $preset >/dev/null
done
fast=$root/build/fuzz-fast/fuzz checked=$root/build/fuzz/fuzz

is_hash_name() { [[ ${1##*/} =~ ^[0-9a-f]{40}$ ]]; }

# Replays every input of folder $2 through the sanitizer build of fuzzer $1; an input
# that fails moves to $3 (as crash-*), and the rest is replayed again. Writes how many
# failed to $3/replay.failed.
replay() {
  local name=$1 inputs=$2 work=$3 failed=0 artifact
  while ! (cd "$work" && "$checked/$name" -runs=0 -max_len="${max_len[$name]}" -timeout=10 \
             -rss_limit_mb=2048 -artifact_prefix="$work/replay-" "$inputs" >"$work/replay.log" 2>&1); do
    artifact=$(ls "$work"/replay-* 2>/dev/null | head -n1)
    [ -n "$artifact" ] || { echo "campaign.sh: $name replay failed without an input, see $work/replay.log" >&2; exit 1; }
    failed=$((failed + 1))
    local sum; sum=$(sha1sum <"$artifact" | cut -c1-40)
    mv "$artifact" "$work/crash-replay-$sum"
    cp "$work/replay.log" "$work/crash-replay-$sum.log"
    rm -f "$inputs/$sum"
    for f in "$inputs"/*; do if cmp -s "$f" "$work/crash-replay-$sum"; then rm -f "$f"; fi; done
  done
  echo $failed >"$work/replay.failed"
}

# One fuzzer's campaign; leaves its row in build/campaign/<name>/row.
campaign() {
  local name=$1 work=$root/build/campaign/$1 corpus=$root/fuzz/corpus/$1
  rm -rf "$work"
  mkdir -p "$work/new" "$work/min"
  local crashes=0
  (cd "$work" && "$fast/$name" -max_total_time="$seconds" -max_len="${max_len[$name]}" -timeout=10 \
     -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$work/crash-" \
     "$work/new" "$corpus" >"$work/fuzz.log" 2>&1) || crashes=1
  local runs; runs=$(grep -a 'stat::number_of_executed_units' "$work/fuzz.log" | tail -n1 | awk '{print $2}')
  [ -n "$runs" ] || { echo "campaign.sh: $name gave no statistics, see $work/fuzz.log" >&2; exit 1; }
  replay "$name" "$work/new" "$work"
  crashes=$((crashes + $(cat "$work/replay.failed")))

  # Minimise: the named seeds first (all kept), then the SHA-1 inputs, old and new.
  local f
  mkdir -p "$work/hashed"
  for f in "$corpus"/*; do
    if is_hash_name "$f"; then cp "$f" "$work/hashed/"; else cp "$f" "$work/min/"; fi
  done
  (cd "$work" && "$fast/$name" -merge=1 -max_len="${max_len[$name]}" -timeout=10 -rss_limit_mb=2048 \
     "$work/min" "$work/hashed" "$work/new" >"$work/merge.log" 2>&1) ||
    { echo "campaign.sh: $name merge failed, see $work/merge.log" >&2; exit 1; }
  for f in "$corpus"/*; do
    if is_hash_name "$f" && [ ! -e "$work/min/${f##*/}" ]; then rm "$f"; fi
  done
  for f in "$work/min"/*; do if is_hash_name "$f"; then cp -n "$f" "$corpus/"; fi; done

  (cd "$work" && "$fast/$name" -runs=0 -max_len="${max_len[$name]}" "$corpus" >"$work/features.log" 2>&1)
  local features files kb
  features=$(grep -a 'INITED' "$work/features.log" | sed -n 's/.* ft: \([0-9]*\).*/\1/p' | tail -n1)
  files=$(ls "$corpus" | wc -l)
  kb=$(( $(cat "$corpus"/* | wc -c) / 1024 ))
  printf '| %s | %s | %s | %s | %s files, %s KB | %s | %s |\n' "$(date -u +%Y-%m-%d)" "$name" "$seconds" \
    "$runs" "$files" "$kb" "${features:-?}" "$crashes" >"$work/row"
}

running=0
for name in "${fuzzers[@]}"; do
  campaign "$name" &
  running=$((running + 1))
  if [ $running -ge "$jobs" ]; then wait -n; running=$((running - 1)); fi
done
wait

for name in "${fuzzers[@]}"; do
  cat "$root/build/campaign/$name/row" >>"$table"
  if ls "$root/build/campaign/$name"/crash-* >/dev/null 2>&1; then
    echo "$name: CRASHED, inputs in build/campaign/$name/crash-*" >&2
  fi
done
# Every fuzzer's executions over all its rows (the table is the end of docs/fuzzing.md).
awk -F'|' '/^\| [0-9][0-9][0-9][0-9]-/ { gsub(/ /, "", $3); gsub(/ /, "", $5); sum[$3] += $5 }
           END { for (n in sum) printf "%s: %d executions in all\n", n, sum[n] }' "$table" | sort
