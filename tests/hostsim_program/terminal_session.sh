#!/usr/bin/env bash
# hostsim.exe in a real terminal (tmux) as a person works it: the sample shop's
# warehouse 1 repriced by keys alone, the screens read back from the terminal: the
# notice, the menu "Inne", the options dialog with its Polish letters, the warehouse entry, the summary
# box and INFO.TXT in the viewer, then the transcript's Polish letters and the exit
# code. Arguments: the wine runner, hostsim.exe, goodstool.exe, the samples folder and
# an empty work folder. Needs tmux.
set -uo pipefail
wine=$1 hostsim=$2 goodstool=$3 samples=$4 work=$5
socket=hostsim-terminal-$$
command -v tmux >/dev/null || { echo "FAILED: no tmux (scripts/setup.sh installs it)"; exit 1; }
term() { tmux -L "$socket" "$@"; }
trap 'term kill-server 2>/dev/null' EXIT

# One Wine server for the goods tool and the session: a program that connects just as
# an idle server exits fails.
"$wine" --server 30 >/dev/null 2>&1 </dev/null || exit 1
rm -rf "$work" && mkdir -p "$work/shop"
cp "$samples"/* "$work/shop/"
(cd "$work/shop" && "$wine" "$goodstool" build magazyn1.csv MMM1.MGR >/dev/null) || exit 1
# Only the VAT table comes from a file; the rest is typed.
grep -E '^vat ' "$work/shop/answers.txt" >"$work/shop/keys.txt"

term new-session -d -s run -x 100 -y 30 \
  "cd '$work/shop' && '$wine' '$hostsim' --data . --answers keys.txt; echo \$? >'$work/exit'; sleep 600"

# expect WHAT PATTERN...: waits (up to 120 s) until the screen holds a line matching
# each extended regular expression; otherwise shows the screen and ends the test.
expect() {
  local what=$1
  shift
  local screen
  for _ in $(seq 240); do
    screen=$(term capture-pane -p -t run)
    local all=1
    for p in "$@"; do grep -qE -- "$p" <<<"$screen" || all=0; done
    if [ $all = 1 ]; then echo "ok: $what"; return; fi
    sleep 0.5
  done
  echo "FAILED: $what; the screen:"
  sed 's/^/    /' <<<"$screen"
  exit 1
}

expect "the first-run notice in a box" '^ *╔═+ uwaga ═+╗' '║  Dodano opcje przeceny w menu: Inne/Przecena w magazynach  ║'
term send-keys -t run Enter
expect "the menu Inne" '^   Inne( |$)' '^ ║ Przecena w magazynach \(Velmora\) ║' 'Enter wybiera +Esc wyjście'
term send-keys -t run Enter
expect "the options dialog" '╔═+ Wprowadź ═+╗' 'Ceny z pliku traktować jako brutto' 'F12 OK +F3 Zmień plik'
term send-keys -t run -l towary.txt
expect "the file name typed" '║ towary\.txt +║'
term send-keys -t run F12
expect "the warehouse entry, listing the one with goods" 'Numer magazynu: 0 ' '║ Magazyny z plikiem towarów: +║' '║ 1 +║'
term send-keys -t run 1 Enter
expect "the summary" '║  Ilość towarów odczytana z pliku: +10  ║' '║  Ilość niezidentyfikowanych towarów: 2 +║' \
  '║  Błąd zmiany ceny: +0 +║' '╚═+╝'
term send-keys -t run Space
expect "INFO.TXT in the viewer" '^╔═+ INFO\.TXT ═+╗$' '^║ Mag:1 CZEKOLADA-MLECZNA-Z-ORZE  - Za długi symbol towaru +║$' \
  '^╚═+ wiersz 1 z 1 ═+╝$'
term send-keys -t run Escape
expect "the menu Inne again" '^   Inne( |$)' 'Enter wybiera +Esc wyjście'
term send-keys -t run Escape
expect "the end of the session" '^plug-in freed'
expect "the transcript's Polish letters" '^    Ilość za długich symboli: +1$' '^\[showTextFile\] INFO\.TXT$'
code=$(cat "$work/exit" 2>/dev/null)
[ "$code" = 0 ] || { echo "FAILED: exit code ${code:-none} (expected 0)"; exit 1; }
echo "ok: exit code 0"
