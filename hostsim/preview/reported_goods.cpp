#include "hostsim/preview/reported_goods.h"

#include "hostsim/base/charset.h"
#include "hostsim/base/text.h"

namespace hostsim::preview {
namespace {

// The report's own words after "Mag:N SYMBOL - ", each with the kind it tells.
struct Phrase {
  const char* words;  // UTF-8
  const char* kind;
};
constexpr Phrase Phrases[] = {
    {" - Źle zmianiono cenę", "błąd zmiany"},    {" - Błędna cena w pliku", "zła cena"},
    {" - Ta sama cena towaru", "ta sama cena"}, {" - Brak towaru na magazynie", "brak towaru"},
    {" - Za długi symbol towaru", "za długi"},
};

ReportedGoods Classify(const std::string& line) {
  std::size_t blank = line.find(' ');
  if (line.rfind("Mag:", 0) != 0 || blank == std::string::npos) return {"inne", "", line};
  for (const Phrase& p : Phrases) {
    std::size_t at = line.rfind(p.words);
    if (at == std::string::npos || at < blank) continue;
    std::string symbol = line.substr(blank + 1, at - blank - 1);
    symbol.erase(symbol.find_last_not_of(' ') + 1);
    return {p.kind, symbol, line};
  }
  return {"inne", "", line};
}

void AddLines(const std::string& bytes, std::vector<ReportedGoods>& out) {
  for (const std::string& line : TextLines(bytes))
    if (!line.empty()) out.push_back(Classify(MazoviaToUtf8(line)));
}

}  // namespace

std::vector<ReportedGoods> ReadReports(const std::string& info, const std::string& info2) {
  std::vector<ReportedGoods> out;
  AddLines(info, out);
  AddLines(info2, out);
  return out;
}

}  // namespace hostsim::preview
