// Matching file names against the chooser's mask, and listing the working folder.
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "hostsim/base/charset.h"
#include "hostsim/base/utf8_path.h"
#include "hostsim/screen/chooser_ui.h"

namespace hostsim {
namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Whether name matches the pattern from their starts on ('*', '?', letters in either case).
bool Matches(std::string_view pattern, std::string_view name) {
  if (pattern.empty()) return name.empty();
  if (pattern[0] == '*')
    for (std::size_t skip = 0; skip <= name.size(); ++skip)
      if (Matches(pattern.substr(1), name.substr(skip))) return true;
  if (pattern[0] == '*' || name.empty()) return false;
  if (pattern[0] != '?' && Upper(pattern[0]) != Upper(name[0])) return false;
  return Matches(pattern.substr(1), name.substr(1));
}

// The mask's last part: "*.*" of "C:\*.*".
std::string_view MaskPattern(std::string_view mask) {
  std::size_t cut = mask.find_last_of("\\/:");
  return cut == std::string_view::npos ? mask : mask.substr(cut + 1);
}

}  // namespace

std::u16string ListedFiles(const std::string& folder, std::string_view mask) {
  std::error_code error;
  std::filesystem::path whole = std::filesystem::absolute(folder, error);
  if (error) whole = folder;
  return (whole.lexically_normal() / std::string(MaskPattern(mask))).u16string();
}

bool MaskMatches(std::string_view mask, std::string_view name) {
  std::string_view pattern = MaskPattern(mask);
  return pattern == "*.*" || Matches(pattern, name);
}

std::vector<ListedFile> MatchingFiles(const std::string& folder, std::string_view mask) {
  std::vector<ListedFile> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(Utf8Path(folder), error)) {
    if (!entry.is_regular_file(error)) continue;
    std::string utf8 = PathUtf8(entry.path().filename());
    std::string name = Utf8ToMazovia(utf8);
    if (MaskMatches(mask, name)) files.push_back({name, utf8, MazoviaToUtf8(name) == utf8});
  }
  std::sort(files.begin(), files.end(), [](const ListedFile& a, const ListedFile& b) { return a.mazovia < b.mazovia; });
  return files;
}

}  // namespace hostsim
