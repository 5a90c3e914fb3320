// Report files: 52405, 52407.
#include <algorithm>
#include <cstring>

#include "host/services.h"
#include "hostsim/base/charset.h"
#include "hostsim/base/host_files.h"
#include "hostsim/base/transcript.h"
#include "hostsim/player/failure_plan.h"
#include "hostsim/services/console_shows.h"
#include "hostsim/services/files.h"
#include "hostsim/services/service_clock.h"

namespace hostsim {

FileCounters fileCounters;

bool ReadWholeFile(const std::string& name, std::string& bytes) { return ReadHostFile(name, bytes); }

void ResetFiles() { fileCounters = {}; }

}  // namespace hostsim

using namespace hostsim;

extern "C" {

// Appends the line and CR LF to the file (its name in Mazovia, as every text of the
// plug-in), creating it with its first line. Inside a
// plug-in call the file stays open and buffered until the call returns or a file is shown.
// A call that the failure plan fails loses its line.
static void AppendLineUntimed(const char* fileName, const char* line) {
  ++fileCounters.appends;
  if (CallFails(FailingService::Append) || !fileName || !line) {
    ++fileCounters.appendsFailed;
    return;
  }
  std::size_t length = std::strlen(line);
  char bytes[1024];
  std::string longLine;
  std::string_view text;
  if (length + 2 <= sizeof bytes) {
    std::memcpy(bytes, line, length);
    std::memcpy(bytes + length, "\r\n", 2);
    text = std::string_view(bytes, length + 2);
  } else {
    longLine = std::string(line, length) + "\r\n";
    text = longLine;
  }
  if (!AppendHostFile(MazoviaToUtf8(fileName), text)) ++fileCounters.appendsFailed;
}

// Shows the file (Mazovia) with its name as the title and its line ends as plain line
// feeds, mode 0; a file that does not exist is shown as "(brak pliku)" with mode -1. At
// a console the viewer shows the file, reading it itself: the transcript keeps the text,
// but its echo names the file and counts its lines only.
static void ShowTextFileUntimed(const char* fileName) {
  ++fileCounters.shows;
  CloseHeldFiles();
  std::string name = fileName ? fileName : "";
  std::string bytes;
  if (!ReadHostFile(MazoviaToUtf8(name), bytes)) {
    Show("showTextFile", name.c_str(), "(brak pliku)", -1);
    return;
  }
  std::string text;
  for (char c : bytes)
    if (c != '\r') text += c;
  if (!consoleShows.textFile) return Show("showTextFile", name.c_str(), text.c_str(), 0);
  bool echoing = echo;
  echo = false;
  Show("showTextFile", name.c_str(), text.c_str(), 0);
  echo = echoing;
  std::size_t lines = std::count(text.begin(), text.end(), '\n') + (!text.empty() && text.back() != '\n');
  Say("[showTextFile] " + ShownText(name));
  Say("    (" + std::to_string(lines) + (lines == 1 ? " line" : " lines") + ", shown in the viewer)");
  consoleShows.textFile(name);
}

// The services as the host offers them: the work above, timed for the benchmark.
void appendLine(const char* fileName, const char* line) {
  int64_t start = ServiceTimeStart();
  AppendLineUntimed(fileName, line);
  ServiceTimeEnd(start);
}

void showTextFile(const char* fileName) {
  int64_t start = ServiceTimeStart();
  ShowTextFileUntimed(fileName);
  ServiceTimeEnd(start);
}

}  // extern "C"
