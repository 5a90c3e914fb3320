#!/usr/bin/env bash
# hostsim.exe as a script meets it: for each way a session can end, the exit code and
# the line that says why. Arguments: the wine runner, hostsim.exe, goodstool.exe, the
# samples folder; it works in a test folder of its own.
set -uo pipefail
wine=$1 hostsim=$2 goodstool=$3 samples=$4
source "$(dirname "${BASH_SOURCE[0]}")/../support/test_folder.sh"
failures=0 passed=0

# row LABEL CODE PATTERN WHY FOLDER ARGS...: runs hostsim.exe in $work/FOLDER with ARGS
# and expects the exit code CODE, a line of its output (standard output and error)
# matching PATTERN, and on standard error nothing when WHY is empty, else exactly one
# line that WHY (an extended regular expression) matches whole.
row() {
  local label=$1 code=$2 pattern=$3 why=$4 folder=$5
  shift 5
  local out err rc lines
  out=$(cd "$work/$folder" && "$wine" "$hostsim" "$@" 2>"$work/stderr")
  rc=$?
  err=$(cat "$work/stderr")
  out=${out//$'\r'/} err=${err//$'\r'/}  # the program's standard error ends its lines with CR LF
  lines=$(grep -c '' <<<"$err")
  [ -z "$err" ] && lines=0
  if [ "$rc" -ne "$code" ] || ! grep -qE -- "$pattern" <<<"$out"$'\n'"$err" ||
    { [ -z "$why" ] && [ "$lines" -ne 0 ]; } || { [ -n "$why" ] && { [ "$lines" -ne 1 ] || ! grep -qxE -- "$why" <<<"$err"; }; }; then
    echo "FAILED: $label: exit $rc (expected $code), standard error:"
    sed 's/^/    /' <<<"$err"
    echo "  standard output:"
    sed 's/^/    /' <<<"$out"
    failures=$((failures + 1))
  else
    echo "ok: $label (exit $rc)"
    passed=$((passed + 1))
  fi
}

mkdir -p "$work/shop" "$work/empty"
cp "$samples"/* "$work/shop/"
(cd "$work/shop" && "$wine" "$goodstool" build magazyn1.csv MMM1.MGR >/dev/null) || exit 1
cp -R "$work/shop" "$work/failing"
cp -R "$work/shop" "$work/elsewhere"
cp -R "$work/shop" "$work/nostores"
printf 'warehose = 2\n' >"$work/misspelt.txt"
printf 'vat = 1 abc\n' >"$work/vat.txt"
printf 'dialog = type towary.txt; press F12\n' >"$work/action.txt"
printf 'dialog = type towary.txt; F12\n' >"$work/shop/no_warehouse.txt"
printf 'dialog = F3\n' >"$work/shop/no_file.txt"
cp -R "$work/shop" "$work/noprices"
printf 'dialog = type brak.txt; F12\nwarehouse = 1\n' >"$work/noprices/no_prices.txt"
: >"$work/noprices/pusty.txt"
printf 'dialog = type pusty.txt; F12\nwarehouse = 1\n' >"$work/noprices/no_entries.txt"
printf 'dialog = type towary.txt; F12\nwarehouse = 5\n' >"$work/noprices/no_goods.txt"
# A goods file that is there but does not open: a folder of its name.
mkdir -p "$work/unopened/MMM1.MGR" && cp "$work/shop/answers.txt" "$work/shop/towary.txt" "$work/unopened/"
# Record 3 of the sample warehouse is MLEKO-32, whose price the sample file changes.
{ cat "$work/shop/answers.txt"; echo "fail_store = 3"; } >"$work/failing/failing.txt"
# Every store of the run not carried out, by the failure plan.
{ cat "$work/shop/answers.txt"; echo "fail = 52280 1 on"; } >"$work/nostores/no_stores.txt"

usage="; hostsim\.exe --help lists the options"
row "help lists the answers keys and exit codes" 0 "^  warehouse = N +one answer of the warehouse choice" "" . --help
row "help lists the options the answers keys give" 0 "^  --record-length N +the descriptor's value at offset 6 \\(default 769\\)$" "" \
  . --help
row "help ends with the exit codes" 0 "^  3 a call left the plug-in by an exception$" "" . --help
row "help names every run that did nothing" 0 "^    names copied, or the plug-in read no entry from it; or the warehouse has no$" "" \
  . --help
row "unknown option" 2 "" "hostsim: --frobnicate: no such option$usage" . --frobnicate
row "an option without its value" 2 "" "hostsim: --dll: no value follows$usage" . --dll
row "keep no runs" 2 "" "hostsim: --keep: \"0\" is not a number of runs from 1 up$usage" . --keep 0
row "undo a warehouse that is no number" 2 "" "hostsim: --undo: \"abc\" is not a warehouse number$usage" . --undo abc
row "a command number beyond 16 bits" 2 "" \
  "hostsim: --command: \"70000\" is not a command number \\(0 to 65535\\)$usage" . --command 70000
row "a wrong warn-change" 2 "" "hostsim: --warn-change: \"lots\" is not a percentage from 0 up$usage" \
  . --preview --warn-change lots
row "undo and preview together" 2 "" \
  "hostsim: --undo and --preview do not go together \\(a preview takes nothing back\\)$usage" . --undo --preview
row "missing data folder" 2 "" "hostsim: the data folder nowhere/at/all does not exist" . --data nowhere/at/all
row "misspelt answers key" 2 "" \
  "hostsim: misspelt\\.txt:1: unknown key \"warehose\" \\(hostsim.exe --help lists the keys\\)" \
  . --data empty --answers misspelt.txt
row "answers value of the wrong form" 2 "" "hostsim: vat\\.txt:1: vat: \"1 abc\" is not of the form CODE PERCENT" \
  . --data empty --answers vat.txt
row "unknown dialog action" 2 "" "hostsim: action\\.txt:1: dialog: \"press F12\" is no dialog action; expected type TEXT, .*" \
  . --data empty --answers action.txt
refused="hostsim: the plug-in refused to load: Ta wersja programu Dalvenor nie obsługuje wtyczki"
row "refused load" 1 "^load call: returned -1$" "$refused" . --data empty --capability 0
row "refused load, quiet" 1 "" "$refused" . --data empty --capability 0 --quiet
row "exception from a call into the plug-in" 3 "^load call: structured exception 0xE0534500" \
  "hostsim: load call: structured exception 0xE0534500 at 0x[0-9A-F]{8}, carrying 0x[0-9A-F]{8} at 0x[0-9A-F]{8}.*" \
  . --data empty --missing 52081 --box abort
row "batch: the options dialog without an answer" 2 "" \
  "hostsim: no answer for the options dialog \\(answers key \"dialog\"\\)" . --data empty --choose --batch
row "no console: the options dialog without an answer" 2 "" \
  "hostsim: no answer for the options dialog \\(answers key \"dialog\"\\)" . --data empty --choose </dev/null
row "batch: the file chooser without an answer" 2 "" \
  "hostsim: no answer for the file chooser \\(answers key \"choose_file\"\\)" shop --data . --batch \
  --answers no_file.txt --choose
row "batch: the warehouse choice without an answer" 2 "" \
  "hostsim: no answer for the warehouse choice \\(answers key \"warehouse\"\\)" shop --data . --batch \
  --answers no_warehouse.txt --choose
row "a command the menu lacks" 2 "^command 7: not in the menu \"Inne\", nothing to call$" \
  "hostsim: command 7 is not in the menu \"Inne\" \\(--command, or the answers key \"choose\"\\)" \
  empty --data . --command 7
row "a run without failed changes" 0 "Błąd zmiany ceny: +0$" "" shop --data . --answers answers.txt
row "a run whose summary reports a failed change" 4 "Błąd zmiany ceny: +1$" \
  "hostsim: 1 price change failed; see INFO.TXT" failing --data . --answers failing.txt
row "a run whose stores all fail, quiet" 4 "" "hostsim: 6 price changes failed; see INFO.TXT" \
  nostores --data . --answers no_stores.txt --quiet
row "a run that did nothing: the price file does not open" 6 "^    Nie można otworzyć pliku cen:$" \
  "hostsim: the run did nothing: the price file \"brak.txt\" did not open" \
  noprices --data . --answers no_prices.txt --choose --batch
row "a run that did nothing: no entry read" 6 "" \
  "hostsim: the run did nothing: the plug-in read no entry from the price file" \
  noprices --data . --answers no_entries.txt --choose --batch --quiet
row "a run that did nothing: no goods file" 6 "^    no such file: the pass visits no record$" \
  "hostsim: the run did nothing: warehouse 5 has no goods file \\(MMM5.MGR\\)" \
  noprices --data . --answers no_goods.txt --choose --batch
row "a run that did nothing: the goods file does not open" 6 \
  "^    cannot open it for update: access denied: the pass visits no record$" \
  "hostsim: the run did nothing: the goods file MMM1.MGR cannot be opened for update: access denied" \
  unopened --data . --answers answers.txt
row "a preview that warns" 5 "^Ostrzeżenia: 6, kod wyjścia 5$" \
  "hostsim: the preview has [1-9][0-9]* warnings?; preview.html in .*preview-copy lists them" \
  elsewhere --data . --answers ../shop/answers.txt --preview --preview-dir ../preview-copy --warn-change 0 --quiet

# --data is the working folder: the answers file is found from where the program
# starts, the price file the dialog names ("towary.txt") and the reports in the folder.
row "a run in another folder, the answers named from the start" 0 "Błąd zmiany ceny: +0$" "" \
  empty --data ../elsewhere --answers ../shop/answers.txt
for report in INFO.TXT INFO2.TXT INFO3.TXT INFO4.TXT ZMIANYCEN.TXT; do
  if [ -f "$work/elsewhere/$report" ] && [ ! -e "$work/empty/$report" ]; then
    passed=$((passed + 1))
  else
    echo "FAILED: $report is not in the data folder alone"
    failures=$((failures + 1))
  fi
done
echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
