#!/usr/bin/env bash
# hostsim.exe --preview on the sample shop, as a script runs it: the data folder keeps
# every byte (each file compared with a copy taken before), the copy holds the run and
# the two pages, and the exit code says whether there are warnings (5) or not (0).
# Arguments: the wine runner, hostsim.exe, goodstool.exe, the samples folder; it works
# in a test folder of its own.
set -uo pipefail
wine=$1 hostsim=$2 goodstool=$3 samples=$4
source "$(dirname "${BASH_SOURCE[0]}")/../support/test_folder.sh"
failures=0 passed=0

check() {  # check LABEL CONDITION...: counts a passed or failed check
  local label=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    echo "FAILED: $label"
    failures=$((failures + 1))
  fi
}

# preview LABEL CODE SHOP ARGS...: runs the preview of $work/SHOP from $work, expects
# the exit code, and that the shop's files are those of $work/SHOP.before, byte for byte.
preview() {
  local label=$1 code=$2 shop=$3
  shift 3
  out=$(cd "$work" && "$wine" "$hostsim" --batch --preview --data "$shop" --answers "$shop/answers.txt" "$@" 2>&1)
  local rc=$?
  out=${out//$'\r'/}
  check "$label: exit $rc, expected $code" [ "$rc" -eq "$code" ]
  check "$label: the data folder is as it was" diff -r "$work/$shop.before" "$work/$shop"
  [ "$rc" -eq "$code" ] || sed 's/^/    /' <<<"$out"
}

has() {  # has PATTERN: the last preview's output has a line matching it
  grep -qE -- "$1" <<<"$out"
}

mkdir -p "$work/shop"
cp "$samples"/* "$work/shop/"
(cd "$work/shop" && "$wine" "$goodstool" build magazyn1.csv MMM1.MGR >/dev/null) || exit 1
# A shop whose price file carries mistakes: a price ten times too high, a price of
# zero, a name from another line. Its other lines are the sample's.
cp -R "$work/shop" "$work/mistakes"
printf 'CHLEB-01\tChleb zytni 500 g\tszt\t5\t42,00\r\nBULKA-02\tBulka pszenna\tszt\t5\t0\r\nRYZ-400\tKasza gryczana\tszt\t5\t4,40\r\n' \
  >>"$work/mistakes/towary.txt"
# A shop whose price file lies in the folder above it, named ..\towary.txt; and one
# whose price file a spreadsheet saved, with semicolons.
mkdir -p "$work/above" && cp -R "$work/shop" "$work/above/shop" && mv "$work/above/shop/towary.txt" "$work/above/"
sed -i 's/^dialog = type towary.txt;/dialog = type ..\\towary.txt;/' "$work/above/shop/answers.txt"
cp -R "$work/shop" "$work/sheet" && tr '\t' ';' <"$work/shop/towary.txt" >"$work/sheet/towary.txt"
for shop in shop mistakes above/shop sheet; do cp -R "$work/$shop" "$work/$shop.before"; done

preview "the sample shop" 0 shop --preview-dir "$work/copy"
check "the copy is named" has "^Podgląd: przebieg pójdzie na kopię folderu .*shop w .*copy$"
check "the changes are counted" has "^Towary, które przebieg by zmienił: 6 z 21 \(największa zmiana najpierw\)$"
first=$(grep -A1 '^  symbol ' <<<"$out" | tail -1 | tr -s ' ')
check "the biggest change comes first: $first" \
  [ "$first" = " JABLKA 3,80 -> 4,28 3,99 -> 4,49 +12,5 % Jabłka polskie 1 kg -> Jabłka Ligol 1 kg" ]
check "the same price is reported" has "^  ta sama cena +Mag:1 HERB-100 +- Ta sama cena towaru +14\.99$"
check "a missing good is reported" has "^  brak towaru +Mag:1 OSCYPEK +- Brak towaru na magazynie$"
check "a too long symbol is reported" has "^  za długi +Mag:1 CZEKOLADA-MLECZNA-Z-ORZE +- Za długi symbol towaru$"
check "no warnings" has "^Ostrzeżenia: 0 "
check "the summary" has "^  Ilość towarów odczytana z pliku: +10$"
check "the run went to the copy" bash -c "! cmp -s '$work/shop/MMM1.MGR' '$work/copy/MMM1.MGR'"
check "its reports are in the copy" test -f "$work/copy/INFO4.TXT"
check "and not in the data folder" test ! -e "$work/shop/INFO4.TXT"
check "preview.csv: a header and 21 records" [ "$(wc -l <"$work/copy/preview.csv")" -eq 22 ]
check "preview.csv: the byte-order mark and the Polish header" [ "$(head -1 "$work/copy/preview.csv")" = \
  $'\xEF\xBB\xBFmagazyn;rekord;symbol;nazwa przed;nazwa po;netto przed;netto po;brutto przed;brutto po;zmiana %;zmieniony;ostrzeżenia\r' ]
check "preview.csv: semicolons, decimal commas" grep -qx $'1;18;JABLKA;Jabłka polskie 1 kg;Jabłka Ligol 1 kg;3,80;4,28;3,99;4,49;12,5;tak;\r' \
  "$work/copy/preview.csv"
check "preview.html is written in Polish" grep -q "<h1>Podgląd przeceny</h1>" "$work/copy/preview.html"

preview "a price file with mistakes" 5 mistakes --preview-dir "$work/copy-mistakes"
check "+900 % is warned of" has "^  CHLEB-01 \(magazyn 1, rekord 1\): cena brutto zmienia się o \+900,0 %: 4,20 -> 42,00$"
check "a price of zero is warned of" has "^  BULKA-02 \(magazyn 1, rekord 2\): cena spada do zera lub poniżej: brutto 0,63 -> 0,00, netto 0,60 -> 0,00$"
check "an unrelated name is warned of" has "^  RYZ-400 \(magazyn 1, rekord 11\): nowa nazwa nie ma ze starą żadnego wspólnego słowa: „Ryż biały 400 g” -> „Kasza gryczana”$"
check "the warnings are counted" has "^Ostrzeżenia: 4, kod wyjścia 5$"

preview "a higher threshold still warns of the zero and the name" 5 mistakes --preview-dir "$work/copy-1000" \
  --warn-change 1000
check "the zero and the name" has "^Ostrzeżenia: 2, kod wyjścia 5$"

preview "a price file above the data folder: the plug-in cannot open it in the copy" 6 above/shop \
  --preview-dir "$work/copy-above"
check "no summary: the file is outside the data folder" has "^  Wtyczka nie pokazała podsumowania: plik cen „\.\.\\\\towary\.txt” leży poza folderem danych, więc nie ma go w kopii \(.*\\\\towary\.txt\); połóż go w folderze danych albo podaj pełną ścieżkę$"
check "the code of a run that did nothing" has "^Ostrzeżenia: 1, kod wyjścia 6$"

preview "a price file with semicolons: the plug-in reads no entry" 6 sheet --preview-dir "$work/copy-sheet"
check "no TAB in it" has "^  Plik cen „towary\.txt”: żaden wiersz nie zawiera znaku TAB; wygląda na rozdzielany średnikami lub przecinkami \(jak zapis z arkusza\); Velmora zapisuje pola rozdzielone znakiem TAB: zapisz go jako tekst rozdzielany tabulatorami$"
check "one warning, and the code of a run that did nothing" has "^Ostrzeżenia: 1, kod wyjścia 6$"

preview "a preview folder inside the data folder" 2 shop --preview-dir "$work/shop/preview"
check "is refused" has "^hostsim: the preview folder .* is the data folder or lies in it; choose one outside it$"

preview "a preview folder that holds something" 2 shop --preview-dir "$work/copy"
check "is refused" has "^hostsim: the preview folder .* is not empty; name an empty or new one$"

preview "the system's temporary folder by default" 0 shop
check "a new folder there is named" has "^Podgląd: przebieg pójdzie na kopię folderu .*shop w .*hostsim-preview-[0-9]{8}-[0-9]{6}(-[0-9]+)?$"
made=$(sed -n 's/^Podgląd: przebieg pójdzie na kopię folderu .* w \(.*hostsim-preview-.*\)$/\1/p' <<<"$out")
check "and it holds the pages" bash -c "\"\$0\" cmd /c dir /b \"$made\" 2>/dev/null | tr -d '\r' | grep -qx preview.html" "$wine"
[ -n "$made" ] && "$wine" cmd /c rmdir /s /q "$made" >/dev/null 2>&1

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
