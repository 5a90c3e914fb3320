#include "hostsim/preview/scratch_folder.h"

#include <cctype>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "hostsim/base/utf8_path.h"

namespace hostsim::preview {
namespace fs = std::filesystem;

namespace {

// Whether inner is outer or lies somewhere in it (both absolute and normal).
bool Within(const fs::path& inner, const fs::path& outer) {
  auto i = inner.begin(), o = outer.begin();
  for (; o != outer.end(); ++o, ++i) {
    if (o->empty() && std::next(o) == outer.end()) break;  // a trailing separator
    if (i == inner.end() || *i != *o) return false;
  }
  return true;
}

fs::path Full(const std::string& path) {
  std::error_code ec;
  fs::path p = fs::weakly_canonical(fs::absolute(Utf8Path(path), ec), ec);
  return p.lexically_normal();
}

std::string TimeStamp() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

}  // namespace

bool MakeScratchFolder(const std::string& requested, const std::string& dataFolder, std::string& scratch,
                       std::string& error) {
  std::error_code ec;
  fs::path data = Full(dataFolder);
  if (requested.empty()) {
    fs::path temp = fs::temp_directory_path(ec);
    if (ec) {
      error = "no temporary folder for the preview (" + ec.message() + "); name one with --preview-dir";
      return false;
    }
    std::string base = "hostsim-preview-" + TimeStamp();
    for (int n = 1; n < 1000; ++n) {
      fs::path p = temp / (n == 1 ? base : base + "-" + std::to_string(n));
      if (fs::create_directory(p, ec)) {
        scratch = PathUtf8(Full(PathUtf8(p)));
        return true;
      }
    }
    error = "cannot make a preview folder in " + PathUtf8(temp) + "; name one with --preview-dir";
    return false;
  }
  fs::path p = Full(requested);
  if (Within(p, data)) {
    error = "the preview folder " + requested + " is the data folder or lies in it; choose one outside it";
    return false;
  }
  if (fs::exists(p, ec) && !fs::is_directory(p, ec)) {
    error = "the preview folder " + requested + " is a file";
    return false;
  }
  if (fs::exists(p, ec) && !fs::is_empty(p, ec)) {
    error = "the preview folder " + requested + " is not empty; name an empty or new one";
    return false;
  }
  fs::create_directories(p, ec);
  if (ec || !fs::is_directory(p)) {
    error = "cannot make the preview folder " + requested + (ec ? " (" + ec.message() + ")" : "");
    return false;
  }
  scratch = PathUtf8(p);
  return true;
}

bool CopyFolder(const std::string& from, const std::string& to, std::string& error) {
  // File by file: the library's recursive copy refuses an existing target folder on
  // some platforms (mingw-w64's says "File exists").
  std::error_code ec;
  for (const fs::directory_entry& e : fs::directory_iterator(Utf8Path(from), ec)) {
    fs::path target = Utf8Path(to) / e.path().filename();
    bool folder = e.is_directory(ec);
    if (folder) {
      fs::create_directory(target, ec);
      if (!ec && !CopyFolder(PathUtf8(e.path()), PathUtf8(target), error)) return false;
    } else {
      fs::copy_file(e.path(), target, ec);
    }
    if (ec) {
      error = "cannot copy " + PathUtf8(e.path()) + " to " + PathUtf8(target) + " (" + ec.message() + ")";
      return false;
    }
  }
  if (ec) {
    error = "cannot read the folder " + from + " (" + ec.message() + ")";
    return false;
  }
  return true;
}

std::map<int, std::string> GoodsFilesIn(const std::string& folder) {
  std::map<int, std::string> files;
  std::error_code ec;
  for (const fs::directory_entry& e : fs::directory_iterator(Utf8Path(folder), ec)) {
    if (!e.is_regular_file(ec)) continue;
    std::string name = PathUtf8(e.path().filename()), upper;
    for (char c : name) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper.size() < 8 || upper.rfind("MMM", 0) != 0 || upper.substr(upper.size() - 4) != ".MGR") continue;
    std::string digits = upper.substr(3, upper.size() - 7);
    if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) continue;
    files[std::stoi(digits)] = name;
  }
  return files;
}

std::string WholePath(const std::string& path) { return PathUtf8(Full(path)); }

bool LiesIn(const std::string& path, const std::string& folder) { return Within(Full(path), Full(folder)); }

std::string FileBytes(const std::string& path) {
  std::ifstream in(Utf8Path(path), std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

}  // namespace hostsim::preview
