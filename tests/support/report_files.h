// Reading back the files a run leaves: whole, or as lines ended by CR LF.
#pragma once
#include <string>
#include <vector>

#include "hostsim/services/files.h"

namespace testing_support {

// The file's bytes; empty when it does not exist.
inline std::string FileBytes(const std::string& name) {
  std::string bytes;
  hostsim::ReadWholeFile(name, bytes);
  return bytes;
}

inline bool Exists(const std::string& name) {
  std::string bytes;
  return hostsim::ReadWholeFile(name, bytes);
}

// The lines of text without their CR LF; a last line without one is marked.
inline std::vector<std::string> CrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find("\r\n", at);
    if (end == std::string::npos) {
      lines.push_back(text.substr(at) + "<no CR LF>");
      break;
    }
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

}  // namespace testing_support
