#!/usr/bin/env bash
# A shop whose folder and price file have Polish letters in their names, as hostsim.exe
# and goodstool meet it: the data folder "Sklep Łódź" and the price file
# "cennik żółty.txt", chosen with F3, typed in the dialog and read back from the
# settings on the next run, each a run that reprices; goodstool, --preview and --undo on
# that folder; the messages naming such paths, in UTF-8 through a pipe. Arguments: the
# wine runner, hostsim.exe, goodstool.exe, the samples folder; it works in a test folder of its own.
set -uo pipefail
wine=$1 hostsim=$2 goodstool=$3 samples=$4
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../support/test_folder.sh"
shop="Sklep Łódź" prices="cennik żółty.txt"

# run PROGRAM ARGS...: the program in $work; its output (CR removed) in $out, its exit
# code in $rc.
run() {
  out=$(cd "$work" && "$wine" "$@" 2>&1)
  rc=$?
  out=${out//$'\r'/}
}

# answers FILE DIALOG...: an answers file of the sample's VAT table, warehouse 1 and
# one dialog line per DIALOG, in the work folder.
answers() {
  local file=$1
  shift
  { grep -E '^vat ' "$samples/answers.txt"; echo "choose = yes"; echo "warehouse = 1"
    for d in "$@"; do echo "dialog = $d"; done; } >"$work/$file"
}

# repriced LABEL: the last run repriced the shop: exit 0, the summary of the sample's
# ten lines, and a goods file that is no longer the original.
repriced() {
  check "$1: exit 0" [ "$rc" -eq 0 ]
  check "$1: the summary" said "Ilość towarów odczytana z pliku: +10$"
  check "$1: the goods changed" differ "$work/original.MGR" "$work/$shop/MMM1.MGR"
  cp "$work/original.MGR" "$work/$shop/MMM1.MGR"
}

# The path that settings.ini keeps: "Path=" and the name in Mazovia (ż ó ł: A7 A2 92).
stored_path() { grep -qaF $'Path=cennik \xA7\xA2\x92ty.txt' "$work/$shop/settings.ini"; }

"$wine" --server 30 >/dev/null 2>&1 </dev/null || exit 1
mkdir -p "$work/$shop"
cp "$samples"/* "$work/$shop/"
mv "$work/$shop/towary.txt" "$work/$shop/$prices"

run "$goodstool" build "$shop/magazyn1.csv" "$shop/MMM1.MGR"
check "goodstool builds the goods file in the folder" [ "$rc" -eq 0 -a -f "$work/$shop/MMM1.MGR" ]
cp "$work/$shop/MMM1.MGR" "$work/original.MGR"
run "$goodstool" table "$shop/MMM1.MGR"
check "goodstool shows its Polish names" said "Jabłka polskie 1 kg"

answers typed.txt "type $prices; choose B; choose S; tick; F12"
run "$hostsim" --batch --data "$shop" --answers typed.txt
repriced "the name typed"
check "the settings keep the name in Mazovia" stored_path

answers stored.txt "F12"
run "$hostsim" --batch --data "$shop" --answers stored.txt
repriced "the name read back from the settings"

rm "$work/$shop/settings.ini"
answers chosen.txt "choose B; choose S; tick; F3" "F12"
echo "choose_file = $prices" >>"$work/chosen.txt"
run "$hostsim" --batch --data "$shop" --answers chosen.txt
repriced "the name chosen with F3"
check "the settings keep the chosen name" stored_path

run "$hostsim" --batch --data "$shop" --answers typed.txt --preview --preview-dir "podgląd Łódź"
check "a preview of the folder: exit 0" [ "$rc" -eq 0 ]
check "the preview names both folders" said "^Podgląd: przebieg pójdzie na kopię folderu .*\\\\Sklep Łódź w .*\\\\podgląd Łódź$"
check "the preview shows what the run would change" said "^Towary, które przebieg by zmienił: 6 z 21"
check "the preview leaves the data folder" cmp -s "$work/original.MGR" "$work/$shop/MMM1.MGR"
check "the preview's pages are in its folder" [ -f "$work/podgląd Łódź/preview.html" ]

run "$hostsim" --batch --data "$shop" --answers typed.txt
cp "$work/$shop/MMM1.MGR" "$work/after.MGR"
run "$goodstool" diff "$shop/kopie/$(ls "$work/$shop/kopie" | grep -E '^MMM1\.MGR\.[0-9-]+$' | tail -1)" "$shop/MMM1.MGR"
check "goodstool diff between the backup and the goods file" [ "$rc" -eq 1 ]
run "$hostsim" --data "$shop" --undo
check "undo in the folder: exit 0" [ "$rc" -eq 0 ]
check "undo says what it put back" said "^hostsim: undone the run of .* of warehouse 1 \(MMM1.MGR; price file cennik żółty.txt"
check "undo puts the goods file back" cmp -s "$work/original.MGR" "$work/$shop/MMM1.MGR"

answers missing.txt "type brak żółty.txt; F12"
run "$hostsim" --batch --data "$shop" --answers missing.txt
check "a price file that does not open: exit 6" [ "$rc" -eq 6 ]
check "and its message names it" said "^    brak żółty.txt$"
run "$hostsim" --data "$shop/brak"
check "a data folder that does not exist is named in UTF-8" said "^hostsim: the data folder Sklep Łódź/brak does not exist$"
run "$goodstool" text "$shop/brak.txt"
check "goodstool names a file it cannot read in UTF-8" said "^goodstool: cannot read Sklep Łódź/brak.txt$"

# At a terminal (tmux): the chooser lists the folder's names as they are, one that
# Mazovia cannot write in grey with the reason below, which Enter does not pick; the
# Polish name picked reprices.
console="$work/konsola/$shop" socket=hostsim-names-$$
mkdir -p "$console"
cp "$samples/magazyn1.csv" "$work/original.MGR" "$console/"
mv "$console/original.MGR" "$console/MMM1.MGR"
cp "$samples/towary.txt" "$console/$prices"
cp "$samples/towary.txt" "$console/cennik €.txt"
grep -E '^vat ' "$samples/answers.txt" >"$work/konsola/vat.txt"
term() { tmux -L "$socket" "$@"; }
trap 'rc=$?; term kill-server 2>/dev/null; leave_test_folder $rc' EXIT
term new-session -d -s run -x 100 -y 30 \
  "cd '$console' && '$wine' '$hostsim' --data . --answers ../vat.txt; echo \$? >'$work/exit'; sleep 600"
# screen WHAT PATTERN...: waits (up to 120 s) for a screen with a line matching each
# pattern; counts it as passed or failed (then showing the screen).
screen() {
  local what=$1 shown all
  shift
  for _ in $(seq 240); do
    shown=$(term capture-pane -p -t run)
    all=1
    for p in "$@"; do grep -qE -- "$p" <<<"$shown" || all=0; done
    [ $all = 1 ] && break
    sleep 0.5
  done
  check "at the terminal: $what" [ $all = 1 ]
  [ $all = 1 ] || sed 's/^/    /' <<<"$shown"
}
screen "the first-run notice" 'Dodano opcje przeceny'
term send-keys -t run Enter
screen "the menu Inne" 'Enter wybiera +Esc wyjście'
term send-keys -t run Enter
screen "the options dialog" 'F12 OK +F3 Zmień plik'
term send-keys -t run F3
screen "the chooser lists the names as they are" '║ cennik €\.txt +║' '║ cennik żółty\.txt +║'
term send-keys -t run Down  # MMM1.MGR first, then "cennik ?.txt" in Mazovia's order
screen "the reason a name cannot be chosen" 'Nazwa ma znaki spoza strony kodowej Mazovia: nie można jej wybrać\.'
term send-keys -t run Enter Down Enter
screen "the dialog with the Polish name picked" '║ cennik żółty\.txt +║' 'F12 OK'
term send-keys -t run F12
screen "the warehouse entry, offering the one with goods" 'Numer magazynu: 1 '
term send-keys -t run 1 Enter
screen "the summary" 'Ilość towarów odczytana z pliku: +10'
term send-keys -t run Space
screen "INFO.TXT in the viewer" '═+ INFO\.TXT ═+'
term send-keys -t run Escape
screen "the menu Inne again" 'Enter wybiera +Esc wyjście'
term send-keys -t run Escape
screen "the end of the session" '^plug-in freed'
check "at the terminal: the run repriced" differ "$work/original.MGR" "$console/MMM1.MGR"
check "at the terminal: exit code 0" [ "$(cat "$work/exit" 2>/dev/null)" = 0 ]

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
