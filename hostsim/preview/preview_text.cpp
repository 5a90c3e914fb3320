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

}  // namespace

std::string Money(double v) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", v);
  return text;
}

std::string ChangeText(const GoodsChange& g) {
  if (!g.percent) return "new";
  char text[64];
  std::snprintf(text, sizeof text, "%+.1f %%", *g.percent == 0 ? 0.0 : *g.percent);
  return text;
}

std::vector<std::string> PreviewLines(const Preview& p) {
  std::vector<std::string> out;
  out.push_back("Preview: the run went to a copy of " + p.dataFolder + " in " + p.scratchFolder +
                "; the data folder is left as it was.");
  std::vector<GoodsChange> changed = ChangedBySize(p.goods);
  out.push_back("");
  out.push_back("Goods the run would change: " + std::to_string(changed.size()) + " of " +
                std::to_string(p.goods.size()) + (changed.empty() ? "" : " (biggest change first)"));
  std::size_t symbolWidth = 6;
  for (const GoodsChange& g : changed) symbolWidth = std::max(symbolWidth, Width(g.symbol));
  if (!changed.empty())
    out.push_back("  " + Left("symbol", symbolWidth) + "   " + Left("net old -> new", 22) + "   " +
                  Left("gross old -> new", 22) + "   " + Right("change", 9) + "   name");
  for (const GoodsChange& g : changed)
    out.push_back("  " + Left(g.symbol, symbolWidth) + "   " + Right(Money(g.oldNet), 9) + " -> " +
                  Right(Money(g.newNet), 9) + "   " + Right(Money(g.oldGross), 9) + " -> " +
                  Right(Money(g.newGross), 9) + "   " + Right(ChangeText(g), 9) + "   " + Name(g));
  out.push_back("");
  out.push_back("Goods the run reported (INFO.TXT, INFO2.TXT): " + std::to_string(p.reported.size()));
  for (const ReportedGoods& r : p.reported) out.push_back("  " + Left(r.kind, 10) + "   " + r.line);
  out.push_back("");
  std::size_t warnings = WarningCount(p.goods);
  char threshold[64];
  std::snprintf(threshold, sizeof threshold, "%g", p.warnPercent);
  out.push_back("Warnings: " + std::to_string(warnings) + " (a price falling to zero or below, a change beyond ±" +
                threshold + " %, a name sharing no word with the old one)");
  for (const GoodsChange& g : changed)
    for (const Warning& w : g.warnings)
      out.push_back("  " + g.symbol + " (warehouse " + std::to_string(g.warehouse) + ", record " +
                    std::to_string(g.record) + "): " + w.text);
  out.push_back("");
  if (p.summary.empty()) {
    out.push_back("The plug-in showed no summary.");
  } else {
    out.push_back("The plug-in's summary:");
    for (const std::string& line : SplitText(p.summary, '\n')) out.push_back("  " + line);
  }
  return out;
}

}  // namespace hostsim::preview
