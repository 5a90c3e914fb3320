#include "hostsim/player/answers.h"

#include "hostsim/base/utf8_path.h"
#include "hostsim/player/answer_keys.h"

#include <fstream>
#include <map>
#include <sstream>

namespace hostsim {
namespace {

// Key -> values in file order.
std::map<std::string, std::vector<std::string>>& Table() {
  static std::map<std::string, std::vector<std::string>> table;
  return table;
}

// s without leading and trailing blanks and line ends.
std::string Trimmed(const std::string& s) {
  std::size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return "";
  std::size_t e = s.find_last_not_of(" \t\r\n");
  return s.substr(b, e - b + 1);
}

}  // namespace

bool ParseAnswers(const std::string& text, std::string& error, const std::string& source) {
  ResetAnswers();
  constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";
  std::istringstream in(text.rfind(ByteOrderMark, 0) == 0 ? text.substr(3) : text);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    std::string where = source + ":" + std::to_string(number) + ": ";
    std::string t = Trimmed(line);
    if (t.empty() || t[0] == '#') continue;
    std::size_t eq = t.find('=');
    if (eq == std::string::npos) {
      error = where + "no '=' in \"" + t + "\"; expected key = value";
      ResetAnswers();
      return false;
    }
    std::string key = Trimmed(t.substr(0, eq)), value = Trimmed(t.substr(eq + 1));
    if (!CheckAnswer(key, value, error)) {
      error = where + error;
      ResetAnswers();
      return false;
    }
    Table()[key].push_back(value);
  }
  return true;
}

bool LoadAnswers(const std::string& path, std::string& error) {
  std::ifstream in(Utf8Path(path), std::ios::binary);
  if (!in) {
    error = "cannot read the answers file " + path;
    return false;
  }
  std::stringstream all;
  all << in.rdbuf();
  return ParseAnswers(all.str(), error, path);
}

const std::vector<std::string>& Answers(const std::string& key) {
  static const std::vector<std::string> none;
  auto it = Table().find(key);
  return it == Table().end() ? none : it->second;
}

void ResetAnswers() { Table().clear(); }

}  // namespace hostsim
