// The preview at the console.
#include <algorithm>
#include <cstdio>

#include "hostsim/base/text.h"
#include "hostsim/preview/preview.h"

namespace hostsim::preview {
namespace {

// Characters of a UTF-8 text (the bytes that begin one).
std::size_t Width(const std::string& utf8) {
  std::size_t n = 0;
  for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
  return n;
}

std::string Left(const std::string& s, std::size_t width) {
  std::size_t w = Width(s);
  return s + std::string(w < width ? width - w : 0, ' ');
}

std::string Right(const std::string& s, std::size_t width) {
  std::size_t w = Width(s);
  return std::string(w < width ? width - w : 0, ' ') + s;
}

std::string Name(const GoodsChange& g) { return g.oldName == g.newName ? g.newName : g.oldName + " -> " + g.newName; }

// The decimal point of a printed number as a comma.
std::string WithComma(std::string number) {
  std::size_t point = number.find('.');
  if (point != std::string::npos) number[point] = ',';
  return number;
}

}  // namespace

std::string DecimalText(double v, int decimals, bool withSign) {
  char text[400];  // the largest double has 309 digits before the point
  std::snprintf(text, sizeof text, withSign ? "%+.*f" : "%.*f", decimals, v == 0 ? 0.0 : v);
  return WithComma(text);
}

std::string ThresholdText(double v) {
  char text[64];
  std::snprintf(text, sizeof text, "%g", v);
  return WithComma(text);
}

std::string Money(double v) { return DecimalText(v, 2, false); }

std::string ChangeText(const GoodsChange& g) { return g.percent ? DecimalText(*g.percent, 1, true) + " %" : "nowa"; }

std::size_t PreviewWarningCount(const Preview& p) { return p.runWarnings.size() + WarningCount(p.goods); }

std::vector<std::string> PreviewLines(const Preview& p) {
  std::vector<std::string> out;
  out.push_back("Podgląd: przebieg poszedł na kopię folderu " + p.dataFolder + " w " + p.scratchFolder +
                "; folder danych pozostał bez zmian.");
  std::vector<GoodsChange> changed = ChangedBySize(p.goods);
  out.push_back("");
  out.push_back("Towary, które przebieg by zmienił: " + std::to_string(changed.size()) + " z " +
                std::to_string(p.goods.size()) + (changed.empty() ? "" : " (największa zmiana najpierw)"));
  std::size_t symbolWidth = 6;
  for (const GoodsChange& g : changed) symbolWidth = std::max(symbolWidth, Width(g.symbol));
  if (!changed.empty())
    out.push_back("  " + Left("symbol", symbolWidth) + "   " + Left("netto przed -> po", 22) + "   " +
                  Left("brutto przed -> po", 22) + "   " + Right("zmiana", 9) + "   nazwa");
  for (const GoodsChange& g : changed)
    out.push_back("  " + Left(g.symbol, symbolWidth) + "   " + Right(Money(g.oldNet), 9) + " -> " +
                  Right(Money(g.newNet), 9) + "   " + Right(Money(g.oldGross), 9) + " -> " +
                  Right(Money(g.newGross), 9) + "   " + Right(ChangeText(g), 9) + "   " + Name(g));
  out.push_back("");
  out.push_back("Towary, które przebieg zgłosił (INFO.TXT, INFO2.TXT): " + std::to_string(p.reported.size()));
  for (const ReportedGoods& r : p.reported) out.push_back("  " + Left(r.kind, 12) + "   " + r.line);
  out.push_back("");
  out.push_back("Ostrzeżenia: " + std::to_string(PreviewWarningCount(p)) +
                " (plik cen i przebieg; cena spadająca do zera lub poniżej, zmiana ceny brutto ponad ±" +
                ThresholdText(p.warnPercent) + " %, nazwa bez wspólnego słowa z dawną)");
  for (const std::string& w : p.runWarnings) out.push_back("  " + w);
  for (const GoodsChange& g : changed)
    for (const Warning& w : g.warnings)
      out.push_back("  " + g.symbol + " (magazyn " + std::to_string(g.warehouse) + ", rekord " +
                    std::to_string(g.record) + "): " + w.text);
  out.push_back("");
  if (p.summary.empty()) {
    out.push_back("Wtyczka nie pokazała podsumowania.");
  } else {
    out.push_back("Podsumowanie wtyczki:");
    for (const std::string& line : SplitText(p.summary, '\n')) out.push_back("  " + line);
  }
  return out;
}

}  // namespace hostsim::preview
