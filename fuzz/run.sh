#!/usr/bin/env bash
# Builds the price file fuzzer (clang, -fsanitize=fuzzer,address,undefined) into
# build/fuzz and runs it for SECONDS (default 60) on the seeds of fuzz/corpus, keeping
# what it finds in build/fuzz/corpus. Not part of scripts/test.sh.
#   fuzz/run.sh [SECONDS] [more libFuzzer options]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
seconds=${1:-60}
shift || true
out=$root/build/fuzz
mkdir -p "$out/obj" "$out/corpus"

# The repricing logic and the stand-in's portable services, as the native build has
# them (the Win32 program's own files left out).
sources=(reprice/*.cpp fuzz/price_file_fuzz.cpp)
for f in hostsim/*.cpp; do
  case $(basename "$f") in main.cpp | host.cpp | ilock.cpp | import_patch.cpp | message_box.cpp | goods_tool.cpp) ;; *) sources+=("$f") ;; esac
done
flags=(-std=c++20 -g -O1 -I"$root" -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
       -fno-omit-frame-pointer -finput-charset=UTF-8 -fexec-charset=UTF-8)
objects=()
for f in "${sources[@]}"; do
  o=$out/obj/$(echo "$f" | tr / _).o
  if [ ! -f "$o" ] || [ "$f" -nt "$o" ] || [ -n "$(find reprice hostsim host fuzz -name '*.h' -newer "$o" -print -quit)" ]; then
    clang++ "${flags[@]}" -c "$f" -o "$o" || { echo "fuzz/run.sh: cannot compile $f" >&2; exit 1; }
  fi
  objects+=("$o")
done
# The plug-in's remove of its report files reaches the memory files (memory_remove.cpp).
clang++ "${flags[@]}" "${objects[@]}" -Wl,--wrap=remove -o "$out/price_file_fuzz"

cd "$out"
exec ./price_file_fuzz -max_total_time="$seconds" -max_len=4096 -timeout=10 \
  -artifact_prefix="$out/" "$out/corpus" "$root/fuzz/corpus" "$@"
