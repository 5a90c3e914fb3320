// The goods a run reported, as its report files say: INFO.TXT (same price, too long
// symbol, failed change, a price in the file that is no price) and INFO2.TXT (not in
// the warehouse).
#pragma once
#include <string>
#include <vector>

namespace hostsim::preview {

// One report line. kind, as the shop reads it: "błąd zmiany", "zła cena", "ta sama
// cena", "brak towaru", "za długi", or "inne" for a line of none of these forms; symbol as the line gives it (UTF-8,
// blanks after it removed; empty for "other"); line: the whole line in UTF-8.
struct ReportedGoods {
  std::string kind;
  std::string symbol;
  std::string line;
};

// The lines of INFO.TXT and then of INFO2.TXT (their bytes, Mazovia with CR LF; an
// empty text for a file that does not exist), in file order.
std::vector<ReportedGoods> ReadReports(const std::string& info, const std::string& info2);

}  // namespace hostsim::preview
