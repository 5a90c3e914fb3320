#!/usr/bin/env bash
# goodstool as a script meets it: --help, wrong usage, a refused CSV, a goods file
# with a partial trailing record, diff of two goods files, set of one field. Arguments: a runner ("" for none, else the wine
# runner), goodstool; it works in a test folder of its own.
set -uo pipefail
runner=$1 goodstool=$2
source "$(dirname "${BASH_SOURCE[0]}")/../support/test_folder.sh"
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
       goodstool diff <goods file A> <goods file B>
       goodstool set <goods file> <symbol> <field> <value>
         (field: symbol, index, name, vat, net, gross, remarks; every other byte stays)
       goodstool --help'

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

# diff: two warehouses that differ in every way a record can (a name with Polish
# letters, prices, VAT code, remarks, a record only one file has) either way round, the
# same file, a record differing only outside the named fields, bytes that differ but
# read the same, partial trailing records, a file that cannot be read.
cat >"$work/a.csv" <<'CSV'
CHLEB-01,5900001000011,Chleb żytni 500 g,3,4.00,4.20,półka A1
BUŁKA-02,5900001000028,Bułka pszenna,2,0.60,0.63,półka A2
MLEKO-32,,"Mleko 3,2%",3,3.20,3.36,
CSV
cat >"$work/b.csv" <<'CSV'
CHLEB-01,5900001000011,Chleb żytni razowy 500 g,3,4.20,4.41,półka A1
BUŁKA-02,5900001000028,Bułka pszenna,3,0.60,0.6301,półka A1
CSV
(cd "$work" && ${runner:+"$runner"} "$goodstool" build a.csv A.MGR && ${runner:+"$runner"} "$goodstool" build b.csv B.MGR &&
  ${runner:+"$runner"} "$goodstool" build good.csv GOOD.MGR) ||
  exit 1
cp "$work/B.MGR" "$work/C.MGR"
printf '\x07' | dd of="$work/C.MGR" bs=1 seek=240 conv=notrunc status=none  # a byte of no named field
row "diff: records that differ" 1 'record 1, CHLEB-01:
  name: "Chleb żytni 500 g" -> "Chleb żytni razowy 500 g"
  net: 4.00 -> 4.20
  gross: 4.20 -> 4.41
record 2, BUŁKA-02:
  vat: 2 -> 3
  gross: 0.63 -> 0.6301
  remarks: "półka A2" -> "półka A1"
record 3, MLEKO-32: only in A
3 of 3 records differ (A has 3 records, B 2)' "" diff A.MGR B.MGR
row "diff: the same file" 0 "" "" diff A.MGR A.MGR
row "diff: a byte outside the named fields" 1 'record 1, CHLEB-01:
  other bytes at 240
1 of 2 records differ' "" diff B.MGR C.MGR
row "diff: a partial trailing record" 1 'partial record at the end: 100 bytes in A, none in B
0 of 1 record differ' "" diff MMM1.MGR GOOD.MGR
row "diff: the other way round" 1 'record 1, CHLEB-01:
  name: "Chleb żytni razowy 500 g" -> "Chleb żytni 500 g"
  net: 4.20 -> 4.00
  gross: 4.41 -> 4.20
record 2, BUŁKA-02:
  vat: 3 -> 2
  gross: 0.6301 -> 0.63
  remarks: "półka A1" -> "półka A2"
record 3, MLEKO-32: only in B
3 of 3 records differ (A has 2 records, B 3)' "" diff B.MGR A.MGR
# E.MGR: B with bytes 0, 245 and 246 changed (outside the named fields; 247 starts the
# net price), a byte after the terminator of the second record's name (at 769 + 2 + 20)
# and the lowest bit of its gross price (at 769 + 327: 0.6301 by four decimals still).
cp "$work/B.MGR" "$work/E.MGR"
for at in 0 245 246 791 1096; do
  printf '\x01' | dd of="$work/E.MGR" bs=1 seek=$at conv=notrunc status=none
done
row "diff: bytes that read the same" 1 'record 1, CHLEB-01:
  other bytes at 0, 245-246
record 2, BUŁKA-02:
  name: "Bułka pszenna" (bytes after the text differ)
  gross: 0.63009999999999999 -> 0.6301000000000001
2 of 2 records differ' "" diff B.MGR E.MGR
row "diff: a partial trailing record in B only" 1 'partial record at the end: none in A, 100 bytes in B
0 of 1 record differ' "" diff GOOD.MGR MMM1.MGR
cp "$work/MMM1.MGR" "$work/F.MGR"
printf 'x' | dd of="$work/F.MGR" bs=1 seek=868 conv=notrunc status=none  # the partial record's last byte
row "diff: partial trailing records of one length" 1 'partial record at the end: 100 bytes in A, 100 bytes in B, not the same
0 of 1 record differ' "" diff MMM1.MGR F.MGR
row "diff: a file that cannot be read" 2 "" "goodstool: cannot read missing.MGR" diff A.MGR missing.MGR
row "diff without a second file" 2 "" "$usage" diff A.MGR

# set: one field in place. A shorter name keeps the bytes after its terminator and
# the byte outside the named fields; setting the name back gives the file back byte
# for byte.
cp "$work/C.MGR" "$work/D.MGR"
row "set: a shorter name" 0 "D.MGR: record 1 (CHLEB-01): name set to Chleb" "" set D.MGR CHLEB-01 name Chleb
row "set: only the name differs" 1 'record 1, CHLEB-01:
  name: "Chleb żytni razowy 500 g" -> "Chleb"
1 of 2 records differ' "" diff C.MGR D.MGR
row "set: the name back" 0 "D.MGR: record 1 (CHLEB-01): name set to Chleb żytni razowy 500 g" "" \
  set D.MGR CHLEB-01 name "Chleb żytni razowy 500 g"
if cmp -s "$work/C.MGR" "$work/D.MGR"; then echo "ok: set: every byte back"; else
  echo "FAILED: set: every byte back"; failures=$((failures + 1)); fi
row "set: the gross price of the second record" 0 "D.MGR: record 2 (BUŁKA-02): gross set to 0,70" "" \
  set D.MGR BUŁKA-02 gross 0,70
row "set: the price stored" 1 'record 2, BUŁKA-02:
  gross: 0.6301 -> 0.70
1 of 2 records differ' "" diff C.MGR D.MGR
row "set: no such symbol" 1 "" "goodstool: D.MGR: no record has the symbol NIC" set D.MGR NIC net 1
row "set: no such field" 1 "" "goodstool: D.MGR: no field colour (symbol, index, name, vat, net, gross, remarks)" \
  set D.MGR CHLEB-01 colour red
row "set: a price that is none" 1 "" "goodstool: D.MGR: price is not a finite number: abc" set D.MGR CHLEB-01 net abc
row "set without a value" 2 "" "$usage" set D.MGR CHLEB-01 net

[ "$failures" -eq 0 ] || { echo "$failures failed"; exit 1; }
echo "all passed"
