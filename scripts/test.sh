#!/usr/bin/env bash
# Sets everything up and runs every test: the native build (sanitizers) first, then
# the Win32 build under Wine, then each fuzzer over its seeds and for a few seconds;
# first of all, that every path and option the README and docs/ name is in the tree.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
scripts/check-doc-paths.sh
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native -j2
cmake --preset win32 >/dev/null
cmake --build --preset win32
scripts/wine-run.sh --init
scripts/wine-run.sh --server 600
trap 'scripts/wine-run.sh --stop-server || true' EXIT
ctest --preset win32 -j2
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz -j2
