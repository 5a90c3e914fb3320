#!/usr/bin/env bash
# hostsim.exe as a script meets it: for each way a session can end, the exit code and
# the line that says why. Arguments: the wine runner, hostsim.exe, goodstool.exe, the
# samples folder; it works in a test folder of its own.
set -uo pipefail
wine=$1 hostsim=$2 goodstool=$3 samples=$4
source "$(dirname "${BASH_SOURCE[0]}")/../support/test_folder.sh"
failures=0 passed=0

# row LABEL CODE PATTERN FOLDER ARGS...: runs hostsim.exe in $work/FOLDER with ARGS and
# expects the exit code CODE and a line of its output (standard output and error)
# matching PATTERN.
row() {
  local label=$1 code=$2 pattern=$3 folder=$4
  shift 4
  local out rc
  out=$(cd "$work/$folder" && "$wine" "$hostsim" "$@" 2>&1)
  rc=$?
  out=${out//$'\r'/}  # the program's standard error ends its lines with CR LF
  if [ "$rc" -ne "$code" ] || ! grep -qE -- "$pattern" <<<"$out"; then
    echo "FAILED: $label: exit $rc (expected $code), output:"
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
# Record 3 of the sample warehouse is MLEKO-32, whose price the sample file changes.
{ cat "$work/shop/answers.txt"; echo "fail_store = 3"; } >"$work/failing/failing.txt"
# Every store of the run not carried out, by the failure plan.
{ cat "$work/shop/answers.txt"; echo "fail = 52280 1 on"; } >"$work/nostores/no_stores.txt"

row "help lists the answers keys and exit codes" 0 "^  warehouse = N +one answer of the warehouse choice" . --help
row "help lists the options the answers keys give" 0 "^  --record-length N +the descriptor's value at offset 6 \\(default 769\\)$" . --help
row "help ends with the exit codes" 0 "^3 a call left the plug-in by an exception, 4 done" . --help
row "help names exit code 6" 0 "price changes, 5 a preview with warnings, 6 a run did nothing" . --help
row "unknown option" 2 "^usage: hostsim.exe" . --frobnicate
row "missing data folder" 2 "^hostsim: the data folder nowhere/at/all does not exist$" . --data nowhere/at/all
row "misspelt answers key" 2 "misspelt.txt:1: unknown key \"warehose\" \(hostsim.exe --help lists the keys\)$" \
  . --data empty --answers misspelt.txt
row "answers value of the wrong form" 2 "vat.txt:1: vat: \"1 abc\" is not of the form CODE PERCENT$" \
  . --data empty --answers vat.txt
row "unknown dialog action" 2 "action.txt:1: dialog: \"press F12\" is no dialog action" \
  . --data empty --answers action.txt
row "refused load" 1 "^load call: returned -1$" . --data empty --capability 0
row "exception from a call into the plug-in" 3 "load call: structured exception 0xE0534500" \
  . --data empty --missing 52081 --box abort
row "batch: the options dialog without an answer" 2 \
  "^hostsim: no answer for the options dialog \(answers key \"dialog\"\)$" . --data empty --choose --batch
row "no console: the options dialog without an answer" 2 \
  "^hostsim: no answer for the options dialog \(answers key \"dialog\"\)$" . --data empty --choose </dev/null
row "batch: the file chooser without an answer" 2 \
  "^hostsim: no answer for the file chooser \(answers key \"choose_file\"\)$" shop --data . --batch \
  --answers no_file.txt --choose
row "batch: the warehouse choice without an answer" 2 \
  "^hostsim: no answer for the warehouse choice \(answers key \"warehouse\"\)$" shop --data . --batch \
  --answers no_warehouse.txt --choose
row "a run without failed changes" 0 "Błąd zmiany ceny: +0$" shop --data . --answers answers.txt
row "a run whose summary reports a failed change" 4 "Błąd zmiany ceny: +1$" \
  failing --data . --answers failing.txt
row "a run whose stores all fail" 4 "Błąd zmiany ceny: +[2-9]$" \
  nostores --data . --answers no_stores.txt
row "a run that did nothing: the price file does not open" 6 "^    Nie można otworzyć pliku cen:$" \
  noprices --data . --answers no_prices.txt --choose --batch

# --data is the working folder: the answers file is found from where the program
# starts, the price file the dialog names ("towary.txt") and the reports in the folder.
row "a run in another folder, the answers named from the start" 0 "Błąd zmiany ceny: +0$" \
  empty --data ../elsewhere --answers ../shop/answers.txt
for report in INFO.TXT INFO2.TXT INFO3.TXT INFO4.TXT ZMIANYCEN.TXT; do
  if [ -f "$work/elsewhere/$report" ] && [ ! -e "$work/empty/$report" ]; then
    passed=$((passed + 1))
  else
    echo "FAILED: $report is not in the data folder alone"
    failures=$((failures + 1))
  fi
done
row "a wrong warn-change" 2 "^usage: hostsim.exe" . --preview --warn-change lots

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
