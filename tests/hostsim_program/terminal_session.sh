#!/usr/bin/env bash
# hostsim.exe in a real terminal (tmux) as a person works it, at 80 x 25 and at 120 x 40:
# the sample shop's warehouse 1 repriced by keys alone, the screens read back from the
# terminal: the notice, the menu "Inne", the options dialog with its Polish letters
# (the name typed with Home and End as xterm sends them, and Ctrl-A), the warehouse
# entry (its question before a warehouse without goods; Esc keeps the one offered), the
# summary box and INFO.TXT in the viewer, each with its keys in the frame and nothing
# beside it in a larger terminal, then the transcript's Polish letters and the exit
# code. Arguments: the wine runner, hostsim.exe, goodstool.exe, the samples folder; it
# works in a test folder of its own. Needs tmux.
set -uo pipefail
export LC_ALL=C.UTF-8  # ${line:80} counts characters
wine=$1 hostsim=$2 goodstool=$3 samples=$4
source "$(dirname "${BASH_SOURCE[0]}")/../support/test_folder.sh"
socket=hostsim-terminal-$$
command -v tmux >/dev/null || { echo "FAILED: no tmux (scripts/setup.sh installs it)"; exit 1; }
term() { tmux -L "$socket" "$@"; }
trap 'rc=$?; term kill-server 2>/dev/null; leave_test_folder $rc' EXIT

# One Wine server for the goods tool and the session: a program that connects just as
# an idle server exits fails.
"$wine" --server 30 >/dev/null 2>&1 </dev/null || exit 1
mkdir -p "$work/template"
cp "$samples"/* "$work/template/"
(cd "$work/template" && "$wine" "$goodstool" build magazyn1.csv MMM1.MGR >/dev/null) || exit 1
# Only the VAT table comes from a file; the rest is typed.
grep -E '^vat ' "$work/template/answers.txt" >"$work/template/keys.txt"

# expect WHAT PATTERN...: waits (up to 120 s) until the screen holds a line matching
# each extended regular expression; otherwise shows the screen and ends the test.
# With UI set, the screen holds nothing right of column 80 nor below row 25.
UI=0
# beside SCREEN: true when a character that is no blank stands right of column 80 or
# below row 25 (counted in characters, not bytes).
beside() {
  local line row=0
  while IFS= read -r line; do
    row=$((row + 1))
    if [ $row -gt 25 ]; then [[ $line == *[^\ ]* ]] && return 0; else [[ ${line:80} == *[^\ ]* ]] && return 0; fi
  done <<<"$1"
  return 1
}
expect() {
  local what=$1
  shift
  local screen
  for _ in $(seq 240); do
    screen=$(term capture-pane -p -t run)
    local all=1
    for p in "$@"; do grep -qE -- "$p" <<<"$screen" || all=0; done
    if [ $all = 1 ]; then
      if [ $UI = 1 ] && beside "$screen"; then
        echo "FAILED: $what at ${size}: something beside the screen; the terminal:"
        sed 's/^/    /' <<<"$screen"
        exit 1
      fi
      echo "ok: $what (${size})"
      return
    fi
    sleep 0.5
  done
  echo "FAILED: $what at ${size}; the screen:"
  sed 's/^/    /' <<<"$screen"
  exit 1
}

for size in 80x25 120x40; do
  rm -rf "$work/shop" "$work/exit" && cp -R "$work/template" "$work/shop"
  term new-session -d -s run -x "${size%x*}" -y "${size#*x}" \
    "cd '$work/shop' && '$wine' '$hostsim' --data . --answers keys.txt; echo \$? >'$work/exit'; sleep 600"
  UI=1
  expect "the first-run notice in a box" '^ *╔═+ uwaga ═+╗' '║  Dodano opcje przeceny w menu: Inne/Przecena w magazynach  ║' \
    '^ *╚═+ Enter dalej ═+╝'
  term send-keys -t run Enter
  expect "the menu Inne" '^   Inne( |$)' '^ ║ Przecena w magazynach \(Velmora\) ║' 'Enter wybiera +Esc wyjście'
  term send-keys -t run Enter
  expect "the options dialog" '╔═+ Wprowadź ═+╗' 'Ceny z pliku traktować jako brutto' 'F12 OK +F3 Zmień plik'
  # "towary.txt" typed from its middle: xterm's Home (ESC [ H), Ctrl-A, xterm's End (ESC [ F).
  term send-keys -t run -l wary.tx
  term send-keys -t run -H 1b 5b 48
  term send-keys -t run -l o
  term send-keys -t run C-a
  term send-keys -t run -l t
  term send-keys -t run -H 1b 5b 46
  term send-keys -t run -l t
  expect "the file name typed with Home and End" '║ towary\.txt +║'
  term send-keys -t run F12
  # The plug-in's first run gives warehouse 0; the entry offers 1, the one with goods.
  expect "the warehouse entry, offering and listing the one with goods" 'Numer magazynu: 1 ' \
    '║ Magazyny z plikiem towarów: +║' '║ 1 +║' '╚═+ Enter wybiera   Esc zostawia 1 ═+╝'
  term send-keys -t run 5 Enter
  expect "the question before a warehouse without goods" '║ Magazyn 5 nie ma pliku towarów \(MMM5\.MGR\)\. +║' \
    '║ Przecenić mimo to\? +║' '╚═+ Enter tak   Esc wraca ═+╝'
  term send-keys -t run Escape
  expect "back at the entry" 'Numer magazynu: 5 ' '╚═+ Enter wybiera   Esc zostawia 1 ═+╝'
  # Esc cannot cancel the run: it goes on with the warehouse offered (INFO.TXT's "Mag:1").
  term send-keys -t run Escape
  expect "the summary" '║  Ilość towarów odczytana z pliku: +10  ║' '║  Ilość niezidentyfikowanych towarów: 2 +║' \
    '║  Błąd zmiany ceny: +0 +║' '╚═+ Enter dalej ═+╝'
  term send-keys -t run Space
  expect "INFO.TXT in the viewer" '^╔═+ INFO\.TXT ═+╗$' '^║ Mag:1 CZEKOLADA-MLECZNA-Z-ORZE  - Za długi symbol towaru +║$' \
    '^╚═ ↑↓ PgUp PgDn Home End ═+ wiersz 1 z 1 ═+ Esc wyjście ═╝$'
  term send-keys -t run Escape
  expect "the menu Inne again" '^   Inne( |$)' 'Enter wybiera +Esc wyjście'
  term send-keys -t run Escape
  UI=0
  expect "the end of the session" '^plug-in freed'
  expect "the transcript's Polish letters" '^    Ilość za długich symboli: +1$' '^\[showTextFile\] INFO\.TXT$' \
    '^    \(1 line, shown in the viewer\)$'
  code=$(cat "$work/exit" 2>/dev/null)
  [ "$code" = 0 ] || { echo "FAILED: exit code ${code:-none} at $size (expected 0)"; exit 1; }
  echo "ok: exit code 0 ($size)"
  term kill-session -t run
done
