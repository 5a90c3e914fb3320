#!/usr/bin/env bash
# Taking a run back, as a person does it on the sample shop: a real run of the plug-in
# through hostsim.exe, then --undo, and the goods file is back byte for byte; a run
# that stores nothing makes no backup; the run's reports and journal lines are kept
# beside its backup and --history lists it, undone or not; a goods file changed since the run, a second
# --undo with nothing left and a backup folder that cannot be made are refused with
# the line that says why. Arguments: the wine runner, hostsim.exe, goodstool.exe, the
# samples folder; it works in a test folder of its own.
set -uo pipefail
wine=$1 hostsim=$2 goodstool=$3 samples=$4
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../support/test_folder.sh"

# run FOLDER ARGS...: hostsim.exe in $work/FOLDER; its output (CR removed) in $out,
# its exit code in $rc.
run() {
  local folder=$1
  shift
  out=$(cd "$work/$folder" && "$wine" "$hostsim" "$@" 2>&1)
  rc=$?
  out=${out//$'\r'/}
}

# runs_in FOLDER: the number of runs the index of FOLDER lists.
runs_in() { grep -cv '^#' "$work/$1/kopie/INDEKS.TXT" 2>/dev/null; }

"$wine" --server 30 >/dev/null 2>&1 </dev/null || exit 1
mkdir -p "$work/shop"
cp "$samples"/* "$work/shop/"
(cd "$work/shop" && "$wine" "$goodstool" build magazyn1.csv MMM1.MGR >/dev/null) || exit 1
cp "$work/shop/MMM1.MGR" "$work/original.MGR"
cp -R "$work/shop" "$work/blocked"
touch "$work/blocked/kopie"  # a file where the backup folder would be

run shop --data . --answers answers.txt --batch
check "the run ends as usual" [ "$rc" -eq 0 ]
check "the run changed the goods" differ "$work/shop/MMM1.MGR" "$work/original.MGR"
check "the index lists one run" [ "$(runs_in shop)" = 1 ]
backup=$(ls "$work/shop/kopie" | grep -E '^MMM1\.MGR\.[0-9]{8}-[0-9]{6}$')
check "the backup holds the goods file as it was before the run" cmp -s "$work/shop/kopie/$backup" "$work/original.MGR"

cp "$work/shop/INFO4.TXT" "$work/INFO4.TXT"

run shop --data . --answers answers.txt --batch
check "the same price file run again changes nothing and makes no backup" [ "$(runs_in shop)" = 1 ]
check "the run's INFO4.TXT is kept beside its backup" cmp -s "$work/shop/kopie/$backup.INFO4.TXT" "$work/INFO4.TXT"
check "its journal lines are kept, its own header first" \
  grep -qE "^--- .*; magazyn 1 \(MMM1.MGR\); plik cen towary.txt"$'\r'"$" <(head -1 "$work/shop/kopie/$backup.ZMIANYCEN.TXT")
check "and the run's six changes" [ "$(grep -c -v '^---' "$work/shop/kopie/$backup.ZMIANYCEN.TXT")" = 6 ]
run shop --data . --history
check "--history lists the run" said "^[0-9-]{10} [0-9:]{8}  1          towary.txt       10        6       0  no                         $backup$"

# Record 3 is MLEKO-32; byte 240 of it lies in no named field.
cp "$work/shop/MMM1.MGR" "$work/after.MGR"
printf '\x07' | dd of="$work/shop/MMM1.MGR" bs=1 seek=$((2 * 769 + 240)) conv=notrunc status=none
run shop --data . --undo
check "undo of a goods file changed since the run is refused" [ "$rc" -eq 1 ]
check "the refusal names the record that changed" said "^  record 3 \(MLEKO-32\) differs$"
check "the refusal says nothing was put back" said "has changed since .*; nothing was put back$"
cp "$work/after.MGR" "$work/shop/MMM1.MGR"

run shop --data . --undo
check "undo of the last run" [ "$rc" -eq 0 ]
check "undo names the run and says what it put back" said "^hostsim: undone the run of .* of warehouse 1 \(MMM1.MGR; price file towary.txt; 10 lines read, 6 changed, 0 failed\): MMM1.MGR is back as ./kopie/$backup holds it$"
run shop --data . --history
check "--history shows the run undone" said "^[0-9-]{10} [0-9:]{8}  1          towary.txt       10        6       0  yes, [0-9-]{10} [0-9:]{8}   $backup$"
check "the goods file is back byte for byte" cmp "$work/shop/MMM1.MGR" "$work/original.MGR"
journal=$(cd "$work/shop" && "$wine" "$goodstool" text ZMIANYCEN.TXT)
check "the journal records the undo" grep -qE "^--- .*; magazyn 1 \(MMM1.MGR\); cofnięcie przebiegu z .* \(kopia $backup\)$" <<<"$journal"
check "the journal records the price put back" grep -qE "^Cofnięcie przebiegu: MLEKO-32; netto .* -> 3.20; brutto .* -> 3.36" <<<"$journal"

run shop --data . --undo
check "a second undo with no run left is refused" [ "$rc" -eq 1 ]
check "and says why" said "^hostsim: no backup to undo: ./kopie/INDEKS.TXT holds no run that is not undone yet$"
run shop --data . --undo 7
check "undo of a warehouse without runs is refused" said "holds no run of warehouse 7 that is not undone yet$"
run shop --data . --undo x
check "undo of a warehouse that is no number is a usage error" [ "$rc" -eq 2 ]
run shop --data . --keep 0
check "--keep 0 is a usage error" [ "$rc" -eq 2 ]

run blocked --data . --answers answers.txt --batch
check "a run whose backup folder cannot be made goes on" [ "$rc" -eq 0 ]
check "and says so" said "no backup before the first store of this run: the backup folder ./kopie cannot be made"
check "its stores were made" differ "$work/blocked/MMM1.MGR" "$work/original.MGR"
run blocked --data . --undo
check "its undo is refused" [ "$rc" -eq 1 ]

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
