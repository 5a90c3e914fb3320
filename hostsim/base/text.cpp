#include "hostsim/base/text.h"

namespace hostsim {

std::string BaseName(std::string_view path) {
  std::size_t slash = path.find_last_of("/\\");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string Trimmed(std::string_view s, std::string_view blanks) {
  std::size_t b = s.find_first_not_of(blanks);
  if (b == std::string_view::npos) return "";
  return std::string(s.substr(b, s.find_last_not_of(blanks) - b + 1));
}

std::vector<std::string> SplitText(std::string_view text, char separator) {
  std::vector<std::string> pieces;
  for (std::size_t from = 0;;) {
    std::size_t to = text.find(separator, from);
    pieces.emplace_back(text.substr(from, to == std::string_view::npos ? std::string_view::npos : to - from));
    if (to == std::string_view::npos) return pieces;
    from = to + 1;
  }
}

std::vector<std::string> TextLines(std::string_view text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    at = end + 1;
  }
  return lines;
}

}  // namespace hostsim
