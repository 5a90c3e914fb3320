// The warnings about a run as a whole: the price file (where it is, its form, its
// character set, its price fields) as the copy holds it, and the summary the plug-in
// showed; each kind with its text.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "hostsim/preview/run_warnings.h"
#include "tests/support/windows1250.h"

namespace fs = std::filesystem;
using namespace hostsim::preview;

namespace {

// The plug-in's summary with these first three counts, as the transcript keeps it.
std::string Summary(int read, int unidentified, int tooLong) {
  return "Ilość towarów odczytana z pliku:    " + std::to_string(read) +
         "\nIlość niezidentyfikowanych towarów: " + std::to_string(unidentified) +
         "\nIlość za długich symboli:           " + std::to_string(tooLong) +
         "\nBłąd zmiany ceny:                   0\nTowary z takimi samymi cenami:      0";
}

// text with every "{path}" replaced by the full path of path under top, with the
// system's separators.
std::string WithPaths(std::string text, const fs::path& top) {
  for (std::size_t at; (at = text.find('{')) != std::string::npos;) {
    std::size_t end = text.find('}', at);
    fs::path full = (top / text.substr(at + 1, end - at - 1)).make_preferred();
    text.replace(at, end - at + 1, full.string());
  }
  return text;
}

TEST(RunWarnings, EachKindWithItsText) {
  const std::string Good = "KAWA\tKawa ziarnista\tszt\t23\t12,50\r\nHERB\tHerbata\tszt\t23\t5,99\r\n";
  const std::string NoSummary = "Wtyczka nie pokazała podsumowania: ";
  struct Row {
    const char* label;
    const char* at;  // where the price file lies, under the test's folder; null: nowhere
    std::string bytes;
    const char* path;  // as the run saved it ("{path}" as in WithPaths)
    std::string summary;
    int identifyBy, warehouse;
    std::vector<std::string> warnings;
  } rows[] = {
      {"a good file with a byte-order mark, goods matched", "preview/copy/towary.txt", "\xEF\xBB\xBF" + Good,
       "towary.txt", Summary(2, 0, 0), 0, 1, {}},
      {"no summary, no price file named", nullptr, "", "", "", 0, 1,
       {NoSummary + "nie podano pliku cen; wpisz jego nazwę w polu „Plik przeceny” okna opcji"}},
      {"no summary, the file is not there", nullptr, "", "ceny.txt", "", 0, 1,
       {NoSummary + "nie da się otworzyć pliku cen „ceny.txt” ({preview/copy/ceny.txt}); sprawdź jego nazwę w "
                    "polu „Plik przeceny” okna opcji"}},
      {"no summary, a path above the data folder", "towary.txt", Good, "../towary.txt", "", 0, 1,
       {NoSummary + "plik cen „../towary.txt” leży poza folderem danych, więc nie ma go w kopii "
                    "({preview/towary.txt}); połóż go w folderze danych albo podaj pełną ścieżkę"}},
      {"a path above the data folder that finds another file", "preview/towary.txt", Good, "../towary.txt",
       Summary(2, 0, 0), 0, 1,
       {"Plik cen „../towary.txt” leży poza folderem danych: podgląd przeczytał {preview/towary.txt}, a przebieg "
        "w folderze danych przeczyta {towary.txt}; połóż go w folderze danych albo podaj pełną ścieżkę"}},
      {"no summary, the file opened", "preview/copy/towary.txt", Good, "towary.txt", "", 0, 1,
       {NoSummary + "przebieg z plikiem cen „towary.txt” skończył się przed zmianą towarów; zobacz komunikaty "
                    "wtyczki powyżej"}},
      {"empty lines only", "preview/copy/towary.txt", "\r\n\r\n", "towary.txt", Summary(0, 0, 0), 0, 1,
       {"Plik cen „towary.txt” jest pusty: nie ma w nim żadnego wiersza; wyeksportuj go ponownie z Velmory"}},
      {"semicolons, as a spreadsheet saves them", "preview/copy/towary.txt",
       "KAWA;Kawa;szt;23;12,50\r\nHERB;Herbata;szt;23;5,99\r\n", "towary.txt", Summary(0, 0, 0), 0, 1,
       {"Plik cen „towary.txt”: żaden wiersz nie zawiera znaku TAB; wygląda na rozdzielany średnikami lub "
        "przecinkami (jak zapis z arkusza); Velmora zapisuje pola rozdzielone znakiem TAB: zapisz go jako tekst "
        "rozdzielany tabulatorami"}},
      {"TABs, but no line of five fields", "preview/copy/towary.txt", "KAWA\tKawa\t12,50\r\nHERB\tHerbata\t5,99",
       "towary.txt", Summary(0, 0, 0), 0, 1,
       {"Plik cen „towary.txt”: żaden wiersz nie ma pięciu pól rozdzielonych znakiem TAB (symbol, nazwa, …, cena "
        "w 5. polu); zapisz go w układzie eksportu z Velmory"}},
      {"UTF-8", "preview/copy/towary.txt", "KAWA\tKawa Łódź\tszt\t23\t12,50\r\n", "towary.txt", Summary(1, 0, 0), 0,
       1,
       {"Plik cen „towary.txt” nie jest zapisany w stronie kodowej Mazovia (wygląda na UTF-8): polskie litery "
        "nazw i symboli wyszłyby błędnie, a przy przepisywaniu nazw wtyczka go odrzuca; zapisz go w stronie "
        "kodowej Mazovia"}},
      {"Windows-1250", "preview/copy/towary.txt", testing_support::Cp1250("SER\tSer Ślązak\tszt\t5\t12,50\r\n"),
       "towary.txt", Summary(1, 0, 0), 0, 1,
       {"Plik cen „towary.txt” nie jest zapisany w stronie kodowej Mazovia (wygląda na Windows-1250): polskie "
        "litery nazw i symboli wyszłyby błędnie, a przy przepisywaniu nazw wtyczka go odrzuca; zapisz go w "
        "stronie kodowej Mazovia"}},
      {"a price field without a number and one below zero; -0 is a price", "preview/copy/towary.txt",
       "KAWA\tKawa\tszt\t23\tbrak\r\nHERB\tHerbata\tszt\t23\t-5,99\r\nCHLEB\tChleb\tszt\t5\t-0\r\n", "towary.txt",
       Summary(3, 0, 0), 0, 1,
       {"Plik cen „towary.txt”: pole ceny (5. pole) nie jest ceną (brak liczby albo liczba ujemna) w 2 wierszach, "
        "pierwszy: „KAWA” z ceną „brak”; wtyczka nie przecenia takich towarów: popraw ceny w pliku"}},
      {"one price field empty", "preview/copy/towary.txt", "KAWA\tKawa\tszt\t23\t\r\n", "towary.txt",
       Summary(1, 0, 0), 0, 1,
       {"Plik cen „towary.txt”: pole ceny (5. pole) nie jest ceną (brak liczby albo liczba ujemna) w 1 wierszu, "
        "pierwszy: „KAWA” z ceną „”; wtyczka nie przecenia takich towarów: popraw ceny w pliku"}},
      {"lines read, none matched (one too long)", "preview/copy/towary.txt", Good, "towary.txt", Summary(2, 1, 1),
       1, 3,
       {"Żaden z 2 wierszy pliku cen „towary.txt” nie pasuje do żadnego towaru magazynu 3 (identyfikacja poprzez: "
        "indeks); sprawdź wybrany magazyn i pole identyfikacji (symbol, indeks, uwagi)"}},
      {"the only line read did not match", "preview/copy/towary.txt", Good, "towary.txt", Summary(1, 1, 0), 2, 1,
       {"Jedyny wiersz pliku cen „towary.txt” nie pasuje do żadnego towaru magazynu 1 (identyfikacja poprzez: "
        "uwagi); sprawdź wybrany magazyn i pole identyfikacji (symbol, indeks, uwagi)"}},
      {"identified by a field after the three", "preview/copy/towary.txt", Good, "towary.txt", Summary(1, 1, 0), 3, 1,
       {"Jedyny wiersz pliku cen „towary.txt” nie pasuje do żadnego towaru magazynu 1 (identyfikacja poprzez: "
        "pole 3); sprawdź wybrany magazyn i pole identyfikacji (symbol, indeks, uwagi)"}},
      {"identified by a field below the first", "preview/copy/towary.txt", Good, "towary.txt", Summary(1, 1, 0), -1,
       1,
       {"Jedyny wiersz pliku cen „towary.txt” nie pasuje do żadnego towaru magazynu 1 (identyfikacja poprzez: "
        "pole -1); sprawdź wybrany magazyn i pole identyfikacji (symbol, indeks, uwagi)"}},
      {"one of two matched", "preview/copy/towary.txt", Good, "towary.txt", Summary(2, 1, 0), 0, 1, {}},
      {"a full path outside the data folder: the same file for both", "towary.txt", Good, "{towary.txt}",
       Summary(2, 0, 0), 0, 1, {}},
  };
  const fs::path top = fs::current_path() / "run_warnings_test";
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    fs::remove_all(top);
    fs::create_directories(top / "shop");
    fs::create_directories(top / "preview" / "copy");
    if (row.at) std::ofstream(top / row.at, std::ios::binary) << row.bytes;
    std::vector<std::string> expected;
    for (const std::string& w : row.warnings) expected.push_back(WithPaths(w, top));
    EXPECT_EQ(RunWarnings((top / "shop").string(), (top / "preview" / "copy").string(),
                          {WithPaths(row.path, top), row.identifyBy, row.warehouse}, row.summary),
              expected);
  }
  fs::remove_all(top);
}

}  // namespace
