// preview.csv: one row per goods record, for a spreadsheet.
#include <cstdio>

#include "hostsim/preview/preview.h"

namespace hostsim::preview {
namespace {

// A field as CSV holds it: quoted, with its quotes doubled, when it has a comma, a
// quote or a line end.
std::string Field(const std::string& s) {
  if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
  std::string out = "\"";
  for (char c : s) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

std::string Row(const std::vector<std::string>& fields) {
  std::string out;
  for (std::size_t i = 0; i < fields.size(); ++i) out += (i ? "," : "") + Field(fields[i]);
  return out + "\r\n";
}

// The change in per cent as a spreadsheet reads it: one decimal, a full stop, no sign
// for growth; empty for a price up from zero.
std::string PercentNumber(const GoodsChange& g) {
  if (!g.percent) return "";
  char text[64];
  std::snprintf(text, sizeof text, "%.1f", *g.percent == 0 ? 0.0 : *g.percent);
  return text;
}

}  // namespace

std::string PreviewCsv(const Preview& p) {
  std::string out = "\xEF\xBB\xBF";
  out += Row({"warehouse", "record", "symbol", "old name", "new name", "old net", "new net", "old gross", "new gross",
              "change %", "changed", "warnings"});
  for (const GoodsChange& g : p.goods) {
    std::string warnings;
    for (const Warning& w : g.warnings) warnings += (warnings.empty() ? "" : "; ") + w.text;
    out += Row({std::to_string(g.warehouse), std::to_string(g.record), g.symbol, g.oldName, g.newName,
                Money(g.oldNet), Money(g.newNet), Money(g.oldGross), Money(g.newGross), PercentNumber(g),
                g.changed ? "yes" : "no", warnings});
  }
  return out;
}

}  // namespace hostsim::preview
