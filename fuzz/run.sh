#!/usr/bin/env bash
# Builds the fuzzers (preset "fuzz": clang, -fsanitize=fuzzer,address,undefined) into
# build/fuzz and runs one for SECONDS (default 60) on the seeds of fuzz/corpus, keeping
# what it finds in build/fuzz/corpus. Not part of scripts/test.sh.
#   fuzz/run.sh [SECONDS] [more libFuzzer options]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
seconds=${1:-60}
shift || true
out=$root/build/fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mkdir -p "$out/corpus"
cd "$out"
exec "$out/fuzz/price_file_fuzz" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
  -artifact_prefix="$out/" "$out/corpus" "$root/fuzz/corpus" "$@"
