#include "hostsim/preview/goods_changes.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "host/goods_record.h"
#include "hostsim/goods/goods_csv.h"
#include "hostsim/preview/preview.h"

namespace hostsim::preview {
namespace {

// Two prices in currency units are the same when they differ by less than the host's
// tolerance (0.00001 ten-thousandths).
bool SamePrice(double a, double b) { return std::fabs(a - b) * 10000.0 < 0.00001; }

std::string Percent(double v) { return DecimalText(v, 1, true) + " %"; }

// The lower-case form of a character: ASCII and the Polish capitals.
char32_t Lower(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 32;
  switch (c) {
    case U'Ą': return U'ą';
    case U'Ć': return U'ć';
    case U'Ę': return U'ę';
    case U'Ł': return U'ł';
    case U'Ń': return U'ń';
    case U'Ó': return U'ó';
    case U'Ś': return U'ś';
    case U'Ź': return U'ź';
    case U'Ż': return U'ż';
    default: return c;
  }
}

bool WordCharacter(char32_t c) {
  if (c < 0x80) return (c >= U'0' && c <= U'9') || (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
  return Lower(c) != c || std::u32string_view(U"ąćęłńóśźż").find(c) != std::u32string_view::npos;
}

// The characters of a UTF-8 text; a byte that begins no valid sequence counts as one
// character of its own value.
std::u32string Characters(const std::string& utf8) {
  std::u32string out;
  for (std::size_t i = 0; i < utf8.size();) {
    unsigned char b = static_cast<unsigned char>(utf8[i]);
    int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    if (extra && i + extra >= utf8.size()) extra = 0;
    char32_t c = extra ? b & (0x3F >> extra) : b;
    for (int k = 1; k <= extra; ++k) c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    out += c;
    i += 1 + extra;
  }
  return out;
}

std::set<std::u32string> Words(const std::string& utf8) {
  std::set<std::u32string> words;
  std::u32string word;
  for (char32_t c : Characters(utf8) + U' ') {
    if (WordCharacter(c)) {
      word += Lower(c);
      continue;
    }
    if (word.size() >= 2) words.insert(word);
    word.clear();
  }
  return words;
}

// The warnings of one changed record.
std::vector<Warning> WarningsOf(const GoodsChange& g, double warnPercent) {
  std::vector<Warning> out;
  bool priceMoved = !SamePrice(g.oldNet, g.newNet) || !SamePrice(g.oldGross, g.newGross);
  if (priceMoved && (g.newNet <= 0 || g.newGross <= 0))
    out.push_back({WarnNotPositive, "cena spada do zera lub poniżej: brutto " + Money(g.oldGross) + " -> " +
                                        Money(g.newGross) + ", netto " + Money(g.oldNet) + " -> " + Money(g.newNet)});
  if (!g.percent)
    out.push_back({WarnBigChange, "cena brutto rośnie od zera: " + Money(g.oldGross) + " -> " + Money(g.newGross)});
  else if (std::fabs(*g.percent) > warnPercent)
    out.push_back({WarnBigChange, "cena brutto zmienia się o " + Percent(*g.percent) + ": " + Money(g.oldGross) +
                                      " -> " + Money(g.newGross)});
  if (g.oldName != g.newName && !g.oldName.empty() && !g.newName.empty() && !NamesShareAWord(g.oldName, g.newName))
    out.push_back({WarnNameUnrelated, "nowa nazwa nie ma ze starą żadnego wspólnego słowa: „" + g.oldName + "” -> „" +
                                          g.newName + "”"});
  return out;
}

}  // namespace

bool NamesShareAWord(const std::string& a, const std::string& b) {
  std::set<std::u32string> wa = Words(a);
  for (const std::u32string& w : Words(b))
    if (wa.count(w)) return true;
  return false;
}

std::vector<GoodsChange> CompareGoodsFiles(const std::string& before, const std::string& after, int warehouse,
                                           double warnPercent) {
  std::vector<GoodsChange> out;
  const std::size_t length = GoodsRecordLength;
  for (std::size_t at = 0; at + length <= before.size(); at += length) {
    std::string old = before.substr(at, length);
    std::string now = at + length <= after.size() ? after.substr(at, length) : old;
    GoodsRow o = GoodsRowOf(old), n = GoodsRowOf(now);
    GoodsChange g{warehouse, static_cast<int>(at / length) + 1, n.symbol, o.name, n.name,
                  o.net, n.net, o.gross, n.gross, old != now, 0.0, {}};
    if (SamePrice(o.gross, 0))
      g.percent = SamePrice(n.gross, 0) ? std::optional<double>(0.0) : std::nullopt;
    else
      g.percent = std::round((n.gross - o.gross) * 100.0 / o.gross * 1e6) / 1e6;  // no float dust at 20 %
    if (g.changed) g.warnings = WarningsOf(g, warnPercent);
    out.push_back(g);
  }
  return out;
}

std::vector<GoodsChange> ChangedBySize(const std::vector<GoodsChange>& all) {
  std::vector<GoodsChange> changed;
  for (const GoodsChange& g : all)
    if (g.changed) changed.push_back(g);
  auto size = [](const GoodsChange& g) { return g.percent ? std::fabs(*g.percent) : HUGE_VAL; };
  std::stable_sort(changed.begin(), changed.end(), [&](const GoodsChange& a, const GoodsChange& b) {
    if (size(a) != size(b)) return size(a) > size(b);
    return a.warehouse != b.warehouse ? a.warehouse < b.warehouse : a.record < b.record;
  });
  return changed;
}

std::size_t WarningCount(const std::vector<GoodsChange>& all) {
  std::size_t n = 0;
  for (const GoodsChange& g : all) n += g.warnings.size();
  return n;
}

}  // namespace hostsim::preview
