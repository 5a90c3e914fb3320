#include "hostsim/preview/run_warnings.h"

#include <cstdlib>

#include "hostsim/base/utf8_path.h"
#include "hostsim/preview/price_file_look.h"
#include "hostsim/preview/scratch_folder.h"

namespace hostsim::preview {
namespace {

std::string Quoted(const std::string& s) { return "„" + s + "”"; }

// The path as a run in folder opens it: whole and normal.
std::string OpenedFrom(const std::string& folder, const std::string& path) {
  return WholePath(PathUtf8(Utf8Path(folder) / Utf8Path(path)));
}

// The number after label in the summary; -1 when the summary lacks the label.
long SummaryCount(const std::string& summary, const std::string& label) {
  std::size_t at = summary.find(label);
  return at == std::string::npos ? -1 : std::strtol(summary.c_str() + at + label.size(), nullptr, 10);
}

std::string IdentifiedBy(int identifyBy) {
  static const char* const Names[] = {"symbol", "indeks", "uwagi"};
  return identifyBy >= 0 && identifyBy <= 2 ? Names[identifyBy] : "pole " + std::to_string(identifyBy);
}

// Where the price file is, or why the run showed no summary.
void WhereWarnings(const std::string& file, const std::string& inCopy, const std::string& inData,
                   bool outside, bool opened, bool summary, std::vector<std::string>& out) {
  const std::string NoSummary = "Wtyczka nie pokazała podsumowania: ";
  const std::string Move = "; połóż go w folderze danych albo podaj pełną ścieżkę";
  if (outside && summary)
    out.push_back("Plik cen " + Quoted(file) + " leży poza folderem danych: podgląd przeczytał " + inCopy +
                  ", a przebieg w folderze danych przeczyta " + inData + Move);
  if (summary) return;
  if (file.empty())
    out.push_back(NoSummary + "nie podano pliku cen; wpisz jego nazwę w polu „Plik przeceny” okna opcji");
  else if (outside)
    out.push_back(NoSummary + "plik cen " + Quoted(file) + " leży poza folderem danych, więc nie ma go w kopii (" +
                  inCopy + ")" + Move);
  else if (!opened)
    out.push_back(NoSummary + "nie da się otworzyć pliku cen " + Quoted(file) + " (" + inCopy +
                  "); sprawdź jego nazwę w polu „Plik przeceny” okna opcji");
  else
    out.push_back(NoSummary + "przebieg z plikiem cen " + Quoted(file) +
                  " skończył się przed zmianą towarów; zobacz komunikaty wtyczki powyżej");
}

// What the lines of the price file say.
void FileWarnings(const std::string& file, const PriceFileLook& look, std::vector<std::string>& out) {
  const std::string Named = "Plik cen " + Quoted(file);
  if (look.lines == 0)
    out.push_back(Named + " jest pusty: nie ma w nim żadnego wiersza; wyeksportuj go ponownie z Velmory");
  else if (look.linesWithTab == 0)
    out.push_back(Named + ": żaden wiersz nie zawiera znaku TAB; wygląda na rozdzielany średnikami lub przecinkami "
                          "(jak zapis z arkusza); Velmora zapisuje pola rozdzielone znakiem TAB: zapisz go jako "
                          "tekst rozdzielany tabulatorami");
  else if (look.entries == 0)
    out.push_back(Named + ": żaden wiersz nie ma pięciu pól rozdzielonych znakiem TAB (symbol, nazwa, …, cena w "
                          "5. polu); zapisz go w układzie eksportu z Velmory");
  if (look.codePage != PriceFileCodePage::Mazovia)
    out.push_back(Named + " nie jest zapisany w stronie kodowej Mazovia (wygląda na " +
                  (look.codePage == PriceFileCodePage::Utf8 ? "UTF-8" : "Windows-1250") +
                  "): polskie litery nazw i symboli wyszłyby błędnie, a przy przepisywaniu nazw wtyczka go "
                  "odrzuca; zapisz go w stronie kodowej Mazovia");
  if (look.noPrices > 0)
    out.push_back(Named + ": pole ceny (5. pole) nie jest ceną (brak liczby albo liczba ujemna) w " +
                  std::to_string(look.noPrices) + (look.noPrices == 1 ? " wierszu" : " wierszach") +
                  ", pierwszy: " + Quoted(look.noPriceSymbol) + " z ceną " + Quoted(look.noPriceText) +
                  "; wtyczka nie przecenia takich towarów: popraw ceny w pliku");
}

}  // namespace

std::vector<std::string> RunWarnings(const std::string& dataFolder, const std::string& scratchFolder,
                                     const RunSettings& settings, const std::string& summary) {
  std::vector<std::string> out;
  const std::string& file = settings.priceFile;
  std::string inCopy = file.empty() ? "" : OpenedFrom(scratchFolder, file);
  std::string inData = file.empty() ? "" : OpenedFrom(dataFolder, file);
  // A path that leads out of the copy names another file than the real run would read
  // (a full path names the same one).
  bool outside = !file.empty() && !LiesIn(inCopy, scratchFolder) && inCopy != inData;
  PriceFileLook look = file.empty() ? PriceFileLook{} : LookAtPriceFile(inCopy);
  WhereWarnings(file, inCopy, inData, outside, look.opened, !summary.empty(), out);
  if (look.opened) FileWarnings(file, look, out);

  long read = SummaryCount(summary, "Ilość towarów odczytana z pliku:");
  long unmatched = SummaryCount(summary, "Ilość niezidentyfikowanych towarów:") +
                   SummaryCount(summary, "Ilość za długich symboli:");
  if (read > 0 && unmatched == read)
    out.push_back((read == 1 ? "Jedyny wiersz" : "Żaden z " + std::to_string(read) + " wierszy") +
                  " pliku cen " + Quoted(file) + " nie pasuje do żadnego towaru magazynu " +
                  std::to_string(settings.warehouse) + " (identyfikacja poprzez: " +
                  IdentifiedBy(settings.identifyBy) + "); sprawdź wybrany magazyn i pole identyfikacji (symbol, "
                  "indeks, uwagi)");
  return out;
}

}  // namespace hostsim::preview
