#include "hostsim/base/utf8_path.h"

#include <system_error>

namespace hostsim {

std::filesystem::path Utf8Path(std::string_view utf8) {
  return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string PathUtf8(const std::filesystem::path& path) {
  std::u8string text = path.u8string();
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

std::FILE* OpenUtf8(const std::string& path, const char* mode) {
#ifdef _WIN32
  std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  return _wfopen(Utf8Path(path).c_str(), wideMode.c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

bool RemoveUtf8(const std::string& path) {
  std::error_code error;
  return std::filesystem::remove(Utf8Path(path), error);
}

}  // namespace hostsim
