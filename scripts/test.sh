#!/usr/bin/env bash
# Sets everything up and runs every test: the native build (sanitizers) first, then
# the Win32 build under Wine, then each fuzzer over its seeds and for a few seconds;
# first of all, that every path and option the README and docs/ name is in the tree;
# last, that the tests left nothing in the source tree (git status as before them).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
tree_status() { git status --porcelain --untracked-files=all | sort; }
scripts/setup.sh
before=$(tree_status)
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
# Only entries the tests added count: a tree with edits of its own may be tested too.
left=$(comm -13 <(echo "$before") <(tree_status))
[ -z "$left" ] || { echo "test.sh: the tests left this in the source tree:" >&2; echo "$left" >&2; exit 1; }
