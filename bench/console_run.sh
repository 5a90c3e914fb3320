#!/usr/bin/env bash
# A console run against the same run with --batch, at N goods and N price lines
# (default 200,000), both in a terminal (tmux, 120 x 40) as a shop runs them. The
# console run answers its questions from the answers file, as the batch run does; the
# person's part is Enter on the first-run notice, a key on the summary and Esc in the
# viewer, each sent as soon as its screen shows. Its time is the wall time without the
# waits for those keys: from the start to the notice, from Enter to the summary, from
# the key to the viewer and from Esc to the program's end; the batch run's is its whole wall time (its
# transcript goes to a file, as a script keeps it). Each figure is the best of REPEATS
# runs (default 2); the screen is read every 0.1 s, which the console figure may
# overstate by up to 0.3 s. Not part of scripts/test.sh.
#   bench/console_run.sh [N] [REPEATS]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
n=${1:-200000}
repeats=${2:-2}
win=$root/build/win32
work=$root/build/bench/console
command -v tmux >/dev/null || { echo "bench: no tmux (scripts/setup.sh installs it)" >&2; exit 1; }
echo "building (the win32 preset's hostsim.exe) ..." >&2
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target hostsim_program hostsim_plugin_copy goodstool >/dev/null
hostsim=$win/hostsim/win32/hostsim.exe
goodstool=$win/tools/goodstool.exe
wine() { "$root/scripts/wine-run.sh" "$@"; }
wine --init
wine --server 900
socket=console-bench-$$
term() { tmux -L "$socket" "$@"; }
trap 'term kill-server 2>/dev/null || true; scripts/wine-run.sh --stop-server >/dev/null 2>&1 || true' EXIT

# The shop: goods G000001..; four price lines in five name goods, the fifth names no
# goods record (INFO2.TXT lists those); every other line gives a new net price, the
# rest the price the goods have, so INFO.TXT lists two fifths of the lines.
echo "making a shop of $n goods ..." >&2
rm -rf "$work" && mkdir -p "$work/template"
awk -v n="$n" 'BEGIN {
  print "symbol,index,name,vat,net,gross,remarks"
  for (i = 1; i <= n; ++i) printf "G%06d,%013d,Towar %d,1,10.00,12.30,\n", i, 5900000000000 + i, i
}' >"$work/template/goods.csv"
awk -v n="$n" 'BEGIN {
  for (i = 1; i <= n; ++i) {
    symbol = i % 5 == 0 ? sprintf("X%06d", i) : sprintf("G%06d", i)
    printf "%s\tTowar %d\tszt\t23\t%s\r\n", symbol, i, i % 2 ? "10,00" : "13,50"
  }
}' >"$work/template/towary.txt"
(cd "$work/template" && wine "$goodstool" build goods.csv MMM1.MGR >/dev/null && rm goods.csv)
cat >"$work/template/answers.txt" <<'ANSWERS'
choose = yes
notice = 1
dialog = type towary.txt; F12
warehouse = 1
vat = 1 23
ANSWERS

# Seconds since the epoch, with fractions.
now() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", b - a }'; }
# Waits until the pane shows a line matching the pattern (up to 30 minutes).
await() {
  for _ in $(seq 18000); do
    term capture-pane -p -t run | grep -qE -- "$1" && return
    sleep 0.1
  done
  echo "bench: the screen never showed $1:" >&2
  term capture-pane -p -t run >&2
  exit 1
}
fresh() { rm -rf "$work/run" && cp -r "$work/template" "$work/run"; }
start() { term new-session -d -s run -x 120 -y 40 "cd '$work/run' && $1; echo \$? >'$work/exit'; sleep 3600"; }
finish() {
  for _ in $(seq 18000); do [ -s "$work/exit" ] && break; sleep 0.1; done
  term kill-session -t run
  [ "$(cat "$work/exit")" = 0 ] || { echo "bench: the run ended with exit code $(cat "$work/exit")" >&2; exit 1; }
  rm -f "$work/exit"
}
# Sends a key once the screen holds what came before, adding the time up to that screen
# to spent and starting the clock anew; then waits for the pattern.
step() {
  spent=$(awk -v s="$spent" -v a="$t" -v b="$(now)" 'BEGIN { printf "%.2f", s + b - a }')
  t=$(now)
  term send-keys -t run "$1"
  await "$2"
}
best() { tr ' ' '\n' | sort -g | head -1; }

batch=() console=() toSummary=() toViewer=()
for ((r = 0; r < repeats; ++r)); do
  echo "batch run $((r + 1)) of $repeats ..." >&2
  fresh
  t0=$(now)
  start "'$root/scripts/wine-run.sh' '$hostsim' --data . --answers answers.txt --batch >transcript.txt"
  finish
  batch+=("$(elapsed "$t0" "$(now)")")

  echo "console run $((r + 1)) of $repeats ..." >&2
  fresh
  spent=0
  t=$(now)
  start "'$root/scripts/wine-run.sh' '$hostsim' --data . --answers answers.txt"
  await 'Dodano opcje przeceny'  # the first-run notice
  step Enter '║  Ilość towarów odczytana z pliku'  # the summary's box
  toSummary+=("$(elapsed "$t" "$(now)")")
  step Space 'wiersz 1 z'
  toViewer+=("$(elapsed "$t" "$(now)")")
  term send-keys -t run Escape
  finish
  spent=$(awk -v s="$spent" -v a="$t" -v b="$(now)" 'BEGIN { printf "%.2f", s + b - a }')
  console+=("$spent")
done

b=$(best <<<"${batch[*]}") c=$(best <<<"${console[*]}")
ratio=$(awk -v a="$c" -v b="$b" 'BEGIN { printf "%.2f", a / b }')
verdict=$(awk -v r="$ratio" 'BEGIN { print r <= 1.2 ? "holds" : "FAILS" }')
emulated=""
[ -n "${PRZECENA_I386_EMULATOR:-}" ] || ! grep -qs '^enabled' /proc/sys/fs/binfmt_misc/qemu-i386 ||
  emulated=" (Wine under QEMU's i386 emulator)"
cat <<TABLE
A console run against the same run with --batch, $n goods and $n price lines,
in tmux at 120 x 40$emulated; seconds of wall time, best of $repeats.

| run                                    | seconds |
|----------------------------------------|---------|
| --batch, transcript to a file          | $(printf '%7s' "$b") |
| console: Enter on the notice -> summary | $(printf '%7s' "$(best <<<"${toSummary[*]}")") |
| console: key on the summary -> viewer  | $(printf '%7s' "$(best <<<"${toViewer[*]}")") |
| console, the whole run                 | $(printf '%7s' "$c") |

All runs: batch ${batch[*]}; console ${console[*]}.
Target: the console run within 1.2x of the batch run: ${ratio}x  $verdict
TABLE
