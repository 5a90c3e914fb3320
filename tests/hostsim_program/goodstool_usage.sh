#!/usr/bin/env bash
# goodstool as a script meets it: --help, wrong usage, a refused CSV, a goods file
# with a partial trailing record. Arguments: a runner ("" for none, else the wine
# runner), goodstool, an empty work folder.
set -uo pipefail
runner=$1 goodstool=$2 work=$3
failures=0

# row LABEL CODE STDOUT STDERR ARGS...: runs goodstool in $work with ARGS and expects
# the exit code CODE and exactly the given standard output and error (CR removed).
row() {
  local label=$1 code=$2 want_out=$3 want_err=$4
  shift 4
  local out err rc
  out=$(cd "$work" && ${runner:+"$runner"} "$goodstool" "$@" 2>"$work/stderr")
  rc=$?
  err=$(cat "$work/stderr")
  out=${out//$'\r'/} err=${err//$'\r'/}
  if [ "$rc" -ne "$code" ] || [ "$out" != "$want_out" ] || [ "$err" != "$want_err" ]; then
    echo "FAILED: $label: exit $rc (expected $code)"
    echo "  stdout: $out"
    echo "  expected: $want_out"
    echo "  stderr: $err"
    echo "  expected: $want_err"
    failures=$((failures + 1))
  else
    echo "ok: $label (exit $rc)"
  fi
}

usage='usage: goodstool build <goods.csv> <goods file>
       goodstool dump <goods file> [out.csv]
       goodstool table <goods file>
       goodstool text <Mazovia text file>
       goodstool --help'

rm -rf "$work" && mkdir -p "$work"
printf '\xEF\xBB\xBFsymbol,index,name,vat,net,gross,remarks\r\nA,,Kawa,1,10,12.30,R\r\n' >"$work/good.csv"
printf 'A,,Kawa,1,10,12.30,R\nB,,Herbata,9,1,1,\n' >"$work/vat.csv"
printf 'A,,"Kawa,1,10,12.30,R\n' >"$work/quote.csv"

row "--help" 0 "$usage" "" --help
row "no arguments" 2 "" "$usage"
row "build without a target" 2 "" "$usage" build good.csv
row "an unknown command" 2 "" "$usage" frob good.csv
row "--help with more" 2 "" "$usage" --help table
row "a file that does not exist" 1 "" "goodstool: cannot read missing.MGR" table missing.MGR
row "a CSV with a byte-order mark" 0 "" "" build good.csv MMM1.MGR
row "a VAT code outside the table" 1 "" \
  "goodstool: vat.csv: line 2, column 4 (vat): VAT code 9 is not in the host's table (1, 2, 3, 4)" \
  build vat.csv MMM2.MGR
row "an unclosed quote" 1 "" "goodstool: quote.csv: line 1, column 3 (name): unclosed quote" \
  build quote.csv MMM3.MGR
head -c 100 /dev/zero >>"$work/MMM1.MGR"
row "a partial trailing record" 0 \
  "symbol       name                               vat       netto      brutto  remarks
A            Kawa                                 1       10.00       12.30 R
# partial record of 100 bytes at the end" "" table MMM1.MGR

[ "$failures" -eq 0 ] || { echo "$failures failed"; exit 1; }
echo "all passed"
