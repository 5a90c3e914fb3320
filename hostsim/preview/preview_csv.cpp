// preview.csv: one row per goods record, for a spreadsheet set to Polish.
#include "hostsim/preview/preview.h"

namespace hostsim::preview {
namespace {

// A field as CSV holds it: quoted, with its quotes doubled, when it has a semicolon
// (the separator where the decimal point is a comma), a quote or a line end.
std::string Field(const std::string& s) {
  if (s.find_first_of(";\"\r\n") == std::string::npos) return s;
  std::string out = "\"";
  for (char c : s) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

std::string Row(const std::vector<std::string>& fields) {
  std::string out;
  for (std::size_t i = 0; i < fields.size(); ++i) out += (i ? ";" : "") + Field(fields[i]);
  return out + "\r\n";
}

// The change in per cent as a spreadsheet reads it: one decimal, no sign for growth;
// empty for a price up from zero.
std::string PercentNumber(const GoodsChange& g) { return g.percent ? DecimalText(*g.percent, 1, false) : ""; }

}  // namespace

std::string PreviewCsv(const Preview& p) {
  std::string out = "\xEF\xBB\xBF";
  out += Row({"magazyn", "rekord", "symbol", "nazwa przed", "nazwa po", "netto przed", "netto po", "brutto przed",
              "brutto po", "zmiana %", "zmieniony", "ostrzeżenia"});
  for (const GoodsChange& g : p.goods) {
    std::string warnings;
    for (const Warning& w : g.warnings) warnings += (warnings.empty() ? "" : "; ") + w.text;
    out += Row({std::to_string(g.warehouse), std::to_string(g.record), g.symbol, g.oldName, g.newName,
                Money(g.oldNet), Money(g.newNet), Money(g.oldGross), Money(g.newGross), PercentNumber(g),
                g.changed ? "tak" : "nie", warnings});
  }
  return out;
}

}  // namespace hostsim::preview
