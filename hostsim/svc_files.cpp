// Report files: 52405, 52407.
#include <cstdio>

#include "host/services.h"
#include "hostsim/files.h"
#include "hostsim/transcript.h"

namespace hostsim {

FileCounters fileCounters;
int failingAppendCall;

bool ReadWholeFile(const std::string& name, std::string& bytes) {
  bytes.clear();
  std::FILE* f = std::fopen(name.c_str(), "rb");
  if (!f) return false;
  char chunk[4096];
  for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) bytes.append(chunk, n);
  std::fclose(f);
  return true;
}

void ResetFiles() {
  fileCounters = {};
  failingAppendCall = 0;
}

}  // namespace hostsim

using namespace hostsim;

extern "C" {

// Appends the line and CR LF to the file, creating it with its first line.
void appendLine(const char* fileName, const char* line) {
  ++fileCounters.appends;
  if (!fileName || !line || fileCounters.appends == failingAppendCall) {
    ++fileCounters.appendsFailed;
    return;
  }
  std::FILE* f = std::fopen(fileName, "ab");
  if (!f) {
    ++fileCounters.appendsFailed;
    return;
  }
  std::fputs(line, f);
  std::fputs("\r\n", f);
  std::fclose(f);
}

// Shows the file (Mazovia) with its name as the title and its line ends as plain line
// feeds, mode 0; a file that does not exist is shown as "(brak pliku)" with mode -1.
void showTextFile(const char* fileName) {
  ++fileCounters.shows;
  std::string name = fileName ? fileName : "";
  std::string bytes;
  if (!ReadWholeFile(name, bytes)) {
    Show("showTextFile", name.c_str(), "(brak pliku)", -1);
    return;
  }
  std::string text;
  for (char c : bytes)
    if (c != '\r') text += c;
  Show("showTextFile", name.c_str(), text.c_str(), 0);
}

}  // extern "C"
