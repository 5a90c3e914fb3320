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
int runsThatDidNothing;

void ResetMessages() {
  noticeCalls.clear();
  noticeFlagAnswer.reset();
  failedChangesShown = 0;
  runsThatDidNothing = 0;
}

namespace {

// Adds the failed changes that a summary's text reports to failedChangesShown.
void NoteFailedChanges(const std::string& text) {
  static const std::string Label = Mz("Błąd zmiany ceny:");
  std::size_t at = text.find(Label);
  if (at == std::string::npos) return;
  long n = std::strtol(text.c_str() + at + Label.size(), nullptr, 10);
  if (n > 0) failedChangesShown += static_cast<int>(n);
}

// Counts a message that ends a run before its first pass in runsThatDidNothing.
void NoteRunThatDidNothing(const char* text) {
  static const std::string Endings[] = {Mz("Nie można otworzyć pliku cen:"),
                                        Mz("Plik cen nie jest zapisany w stronie kodowej Mazovia")};
  if (!text) return;
  for (const std::string& ending : Endings)
    if (std::string_view(text).substr(0, ending.size()) == ending) ++runsThatDidNothing;
}

}  // namespace

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
  hostsim::NoteRunThatDidNothing(text);
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
  hostsim::NoteFailedChanges(text);
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
