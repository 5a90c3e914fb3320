#!/usr/bin/env bash
# What the native tests and the fuzzers' corpora reach: builds them with clang's
# source-based coverage (preset "coverage", build/coverage-build), runs the native test
# command (ctest, every test but the fuzzers'), then every input of fuzz/corpus/<name>
# once through its fuzzer, and prints one line per folder, e.g.
#   reprice/ lines 100.0 % branches 95.9 %
# for reprice/, host/, hostsim/ and each of hostsim's folders; the HTML report goes to
# build/coverage/index.html. Needs llvm-profdata and llvm-cov of the clang that builds.
#   scripts/coverage.sh [--tests-only]      (--tests-only: the native tests, no corpora)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
build=$root/build/coverage-build
html=$root/build/coverage
version=$(clang --version | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -n1)
profdata=$(command -v llvm-profdata-$version || command -v llvm-profdata)
cov=$(command -v llvm-cov-$version || command -v llvm-cov)

cmake --preset coverage >/dev/null
cmake --build --preset coverage >/dev/null
profiles=$build/profiles
rm -rf "$profiles" "$html"
mkdir -p "$profiles"
export LLVM_PROFILE_FILE=$profiles/%p-%m.profraw

ctest --test-dir "$build" -LE fuzz -j2 --output-on-failure >"$build/ctest.log" ||
  { tail -n 40 "$build/ctest.log" >&2; echo "coverage.sh: native tests failed" >&2; exit 1; }
corpora=(fuzz/corpus/*/)
[ "${1:-}" != --tests-only ] || corpora=()
for corpus in "${corpora[@]}"; do
  name=$(basename "$corpus")
  # A copy, as a campaign may be minimising the corpus meanwhile (a file it removed as
  # it is copied is no loss). Given files, a fuzzer runs each once and fuzzes nothing.
  rm -rf "$build/corpus-$name"
  cp -r "$corpus" "$build/corpus-$name" 2>/dev/null || true
  (cd "$profiles" && find "$build/corpus-$name" -type f -print0 |
     xargs -0 "$build/fuzz/$name" -timeout=30 >"$build/replay-$name.log" 2>&1) ||
    { tail -n 20 "$build/replay-$name.log" >&2; echo "coverage.sh: $name failed on its corpus" >&2; exit 1; }
done

"$profdata" merge -sparse "$profiles"/*.profraw -o "$build/all.profdata"
# The programs the tests run: every argument of a test's command that is a program of
# this build (the fuzzers' tests name theirs); a program left from an older tree is none.
objects=()
while IFS= read -r f; do
  objects+=(-object "$f")
done < <(ctest --test-dir "$build" --show-only=json-v1 | python3 -c '
import json, os, sys
build = sys.argv[1]
found = {arg for t in json.load(sys.stdin)["tests"] for arg in t.get("command", [])
         if arg.startswith(build) and not arg.endswith(".sh") and os.path.isfile(arg) and os.access(arg, os.X_OK)}
print("\n".join(sorted(found)))' "$build")
ignore='(^|/)(tests|fuzz|bench|tools|googletest|usr)/|^/usr/'
"$cov" show "${objects[@]}" -instr-profile="$build/all.profdata" -ignore-filename-regex="$ignore" \
  -format=html -show-branches=count -output-dir="$html" 2>&1 |
  grep -v 'functions have mismatched data' >&2 || true   # inline functions no binary uses
"$cov" export "${objects[@]}" -instr-profile="$build/all.profdata" -ignore-filename-regex="$ignore" \
  -summary-only 2>/dev/null >"$build/summary.json"

# The files' counts summed per folder: reprice/, host/, hostsim/ and hostsim's folders.
python3 - "$build/summary.json" "$root/" <<'EOF'
import json, os, sys
from collections import defaultdict
files = json.load(open(sys.argv[1]))["data"][0]["files"]
root = sys.argv[2]
sums = defaultdict(lambda: [0, 0, 0, 0])
for f in files:
    path = os.path.normpath(f["filename"]).removeprefix(root)
    parts = path.split("/")
    folders = [parts[0] + "/"]
    if parts[0] == "hostsim" and len(parts) > 2:
        folders.append("/".join(parts[:-1]) + "/")
    s = f["summary"]
    for folder in folders:
        sums[folder][0] += s["lines"]["covered"]
        sums[folder][1] += s["lines"]["count"]
        sums[folder][2] += s["branches"]["covered"]
        sums[folder][3] += s["branches"]["count"]
def pct(covered, count):
    return 100.0 * covered / count if count else 100.0
for folder in ["reprice/", "host/"] + sorted(k for k in sums if k.startswith("hostsim/")):
    if folder not in sums:
        continue
    lc, ln, bc, bn = sums[folder]
    print(f"{folder} lines {pct(lc, ln):.1f} % branches {pct(bc, bn):.1f} %")
EOF
echo "HTML: $html/index.html"
