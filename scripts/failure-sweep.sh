#!/usr/bin/env bash
# The whole failure sweep: every call of every host service that can fail, failing
# once and from then on, for both ways of repricing the sweep's shop - natively under
# the sanitizers (as the test command does) and through the real DLL under Wine (where
# the test command takes only each service's first and last call). Prints the runs and
# the seconds of each. Expects scripts/setup.sh to have been run.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
cmake --preset native >/dev/null
cmake --build --preset native --target failure_sweep_test
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target failure_sweep_dll_test

# sweep NAME DIR COMMAND...: runs the sweep's test, its figures on one line.
sweep() {
  local name=$1 dir=$2
  shift 2
  local start end output
  start=$(date +%s.%N)
  if ! output=$(cd "$dir" && "$@" --gtest_filter='FailureSweep.EveryCall*' 2>&1); then
    printf '%s\n' "$output"
    echo "$name: the sweep FAILED"
    return 1
  fi
  end=$(date +%s.%N)
  local runs
  runs=$(printf '%s\n' "$output" | sed -n 's/^failure sweep: \([0-9]*\) runs.*/\1/p' | tr -d '\r')
  awk -v name="$name" -v runs="$runs" -v s="$start" -v e="$end" \
    'BEGIN { printf "%-28s %5s runs %8.1f s\n", name, runs, e - s }'
}

native=build/native/tests/robustness
win32=build/win32/tests/robustness
sweep "natively (sanitizers)" "$native/failure_sweep_test.work" ../failure_sweep_test
scripts/wine-run.sh --init
export PRZECENA_FULL_SWEEP=1
sweep "through the DLL under Wine" "$win32/failure_sweep_dll_test.work" \
  "$PWD/scripts/wine-run.sh" ../failure_sweep_dll_test.exe
