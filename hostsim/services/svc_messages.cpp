// Messages, notices and the first-run dialog: 52023, 52028, 52029, 52030, 52064.
#include "hostsim/services/svc_messages.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "host/mazovia.h"
#include "host/services.h"
#include "hostsim/base/transcript.h"
#include "hostsim/player/answers.h"
#include "hostsim/services/console_shows.h"

namespace hostsim {

std::vector<NoticeCall> noticeCalls;
std::optional<int16_t> noticeFlagAnswer;
int failedChangesShown;
std::vector<std::string> runsThatDidNothing;

namespace {
bool runNoted;  // the run going on has its line in runsThatDidNothing
}  // namespace

void ResetMessages() {
  noticeCalls.clear();
  noticeFlagAnswer.reset();
  failedChangesShown = 0;
  runsThatDidNothing.clear();
  runNoted = false;
}

namespace {

// The number after label in text, or -1 when the label is not there.
long NumberAfter(const std::string& text, const std::string& label) {
  std::size_t at = text.find(label);
  return at == std::string::npos ? -1 : std::strtol(text.c_str() + at + label.size(), nullptr, 10);
}

// Adds the failed changes that a summary's text reports to failedChangesShown; a
// summary of no entry read notes a run that did nothing.
void NoteSummary(const std::string& text) {
  long failed = NumberAfter(text, Mz("Błąd zmiany ceny:"));
  if (failed > 0) failedChangesShown += static_cast<int>(failed);
  if (NumberAfter(text, Mz("Ilość towarów odczytana z pliku:")) == 0)
    NoteRunDidNothing("the plug-in read no entry from the price file");
}

// Notes a message that ends a run before its first pass, with the price file's path
// (the line after the heading's colon).
void NoteRunEndedByMessage(const char* text) {
  static const std::string NotOpened = Mz("Nie można otworzyć pliku cen:"),
                           NotMazovia = Mz("Plik cen nie jest zapisany w stronie kodowej Mazovia");
  if (!text) return;
  std::string_view t(text);
  bool notOpened = t.starts_with(NotOpened), notMazovia = t.starts_with(NotMazovia);
  if (!notOpened && !notMazovia) return;
  std::size_t heading = t.find(":\n");  // the path follows the heading's colon and line feed
  std::size_t from = heading == std::string_view::npos ? t.size() : heading + 2;
  std::string_view path = t.substr(from, t.find('\n', from) - from);
  std::string shown = ShownText(path);
  NoteRunDidNothing(notOpened ? "the price file \"" + shown + "\" did not open"
                              : "the price file \"" + shown + "\" is not in Mazovia, and names were to be copied from it");
}

}  // namespace

void NoteRunDidNothing(const std::string& why) {
  if (runNoted) return;
  runsThatDidNothing.push_back(why);
  runNoted = true;
}

void StartRunNotes() { runNoted = false; }

void ApplyAnswersMessages() {
  for (const std::string& v : Answers("notice")) noticeFlagAnswer = static_cast<int16_t>(std::strtol(v.c_str(), nullptr, 0));
}

}  // namespace hostsim

extern "C" {

// Records the call and the text; sets the flag to noticeFlagAnswer if one is set. Returns 0.
int HOST_CDECL noticeDialog(int kind, int16_t* flag, int zero, const char* text) {
  using namespace hostsim;
  noticeCalls.push_back({kind, flag ? *flag : int16_t{0}, zero, ShownText(text ? text : "")});
  Show("noticeDialog", nullptr, text, kind);
  if (flag && noticeFlagAnswer) *flag = *noticeFlagAnswer;
  return 0;
}

// Records the message; at a console it is shown there as well.
void HOST_CDECL messageBox(const char* title, const char* text, int mode) {
  hostsim::NoteRunEndedByMessage(text);
  hostsim::Show("messageBox", title, text, mode);
  if (hostsim::consoleShows.message) hostsim::consoleShows.message(title ? title : "", text ? text : "", mode);
}

// Formats the text with printf's rules, then records and shows it like messageBox.
void HOST_CDECL messageBoxFormat(const char* title, const char* format, int mode, ...) {
  std::string text;
  if (format) {
    va_list args, again;
    va_start(args, mode);
    va_copy(again, args);
    int n = std::vsnprintf(nullptr, 0, format, again);
    va_end(again);
    if (n > 0) {
      text.resize(static_cast<std::size_t>(n) + 1);
      std::vsnprintf(text.data(), text.size(), format, args);
      text.resize(static_cast<std::size_t>(n));
    }
    va_end(args);
  }
  hostsim::NoteSummary(text);
  hostsim::Show("messageBoxFormat", title, text.c_str(), mode);
  if (hostsim::consoleShows.message) hostsim::consoleShows.message(title ? title : "", text, mode);
}

void HOST_CDECL errorMessage(const char* text) { hostsim::Show("errorMessage", nullptr, text, 0); }

// The console's wait message goes first, so that the line shown stays.
void HOST_CDECL closeWaitMessage(void) {
  if (hostsim::consoleShows.closeWait) hostsim::consoleShows.closeWait();
  hostsim::Show("closeWaitMessage", nullptr, nullptr, 0);
}

}
