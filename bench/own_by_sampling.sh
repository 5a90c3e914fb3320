#!/usr/bin/env bash
# The plug-in's own time in one native whole run, by sampling instead of a clock read
# around every service call (which slows the run it measures): perf samples the run's
# call stacks, and each sample inside RunRepricing counts as the host's when one of its
# frames is a host service (the names of host/service_list.h), else as the plug-in's.
# Needs perf (Debian: linux-perf) allowed to sample this user's processes.
#   bench/own_by_sampling.sh WHOLE_RUN GOODS [whole_run options...]
# Run in an empty folder; prints one line of key=value figures:
#   seconds (the run's, unsampled figure of the same run), samples in the run, own,
#   services, cut (stacks too deep for perf's copy of the stack: no frame names the run
#   or the program's start; counted with the run, as the host's), own_seconds.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
program=$1 goods=$2
shift 2
services=$(grep -oE 'HOST_SERVICE(_STDCALL)?\([0-9]+, *[A-Za-z0-9_]+' "$root/host/service_list.h" |
  sed 's/.*, *//' | paste -sd' ')
line=$(perf record -q -o perf.data -F 997 --call-graph dwarf,16384 "$program" "$goods" "$goods" "$@" 2>/dev/null | tail -1)
seconds=$(tr ' ' '\n' <<<"$line" | sed -n 's/^seconds=//p')
perf script -i perf.data -F ip,sym 2>/dev/null |
  awk -v services="$services" -v seconds="$seconds" '
    BEGIN { n = split(services, list, " "); for (i = 1; i <= n; ++i) isService[list[i]] = 1 }
    # One sample: its frames, innermost first, one per line ("address symbol").
    function classify() {
      if (frames == 0) return
      if (inRun) { if (inService) ++hostSide; else ++own }
      else if (!started) ++cut
      frames = inRun = inService = started = 0
    }
    NF == 0 { classify(); next }
    {
      ++frames
      name = $2; sub(/\(.*/, "", name)
      if (name == "RunRepricing") inRun = 1
      if (name in isService) inService = 1
      if (name == "main" || name == "_start" || name ~ /^_dl_/) started = 1
    }
    END {
      classify()
      total = own + hostSide + cut
      printf "seconds=%s samples=%d own=%d services=%d cut=%d own_seconds=%.3f\n",
        seconds, total, own, hostSide, cut, total ? seconds * own / total : 0
    }'
rm -f perf.data
