#include "hostsim/player/answers.h"

#include "hostsim/base/text.h"
#include "hostsim/base/utf8_path.h"
#include "hostsim/player/answer_keys.h"

#include <fstream>
#include <map>
#include <sstream>

namespace hostsim {
namespace {

constexpr const char* Blanks = " \t\r\n";  // what is taken off around a line, key and value

// Key -> values in file order.
std::map<std::string, std::vector<std::string>>& Table() {
  static std::map<std::string, std::vector<std::string>> table;
  return table;
}


}  // namespace

bool ParseAnswers(const std::string& text, std::string& error, const std::string& source) {
  ResetAnswers();
  constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";
  std::vector<std::string> lines = TextLines(text.rfind(ByteOrderMark, 0) == 0 ? text.substr(3) : text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    std::string where = source + ":" + std::to_string(i + 1) + ": ";
    std::string t = Trimmed(line, Blanks);
    if (t.empty() || t[0] == '#') continue;
    std::size_t eq = t.find('=');
    if (eq == std::string::npos) {
      error = where + "no '=' in \"" + t + "\"; expected key = value";
      ResetAnswers();
      return false;
    }
    std::string key = Trimmed(t.substr(0, eq), Blanks), value = Trimmed(t.substr(eq + 1), Blanks);
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
