#include "hostsim/win32/message_box.h"

#include <windows.h>

#include <cstdlib>
#include <deque>

#include "host/charsets.h"
#include "host/services.h"
#include "hostsim/base/transcript.h"
#include "hostsim/player/answer_keys.h"
#include "hostsim/services/console_shows.h"
#include "hostsim/win32/import_patch.h"

namespace hostsim {

namespace {

std::deque<int> boxAnswers;
using MessageBoxFunction = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);
MessageBoxFunction systemBox;

// A box's text in the host's set for the transcript. Text with highlight bytes is the
// plug-in's own Mazovia (as under the DOS extender); any other text is taken as
// Windows-1250, into which the plug-in converts under Windows, and converted back
// with the stand-in's 52158.
std::string AsMazovia(const char* text) {
  std::string s = text ? text : "";
  if (s.find_first_of("\x01\x02\x05") != std::string::npos) return s;
  convertCharset(s.data(), s.data(), charsets::SetWindows1250, charsets::SetMazovia);
  return s;
}

// What the plug-in's MessageBoxA slot leads to: records the box in the transcript and
// gives the next scripted answer; with none left, the person at the console answers
// (when there is one), otherwise the system's own box.
int WINAPI AnsweredMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT flags) {
  std::string shownCaption = AsMazovia(caption), shownText = AsMazovia(text);
  Show("MessageBoxA", shownCaption.c_str(), shownText.c_str(), static_cast<int>(flags));
  if (boxAnswers.empty() && consoleShows.box) {
    int answer = consoleShows.box(shownCaption, shownText, flags);
    Say("    -> answered at the console " + BoxAnswerName(answer));
    return answer;
  }
  if (boxAnswers.empty()) {
    int answer = systemBox ? systemBox(owner, text, caption, flags) : 0;
    Say("    -> the system's box answered " + BoxAnswerName(answer));
    return answer;
  }
  int answer = boxAnswers.front();
  boxAnswers.pop_front();
  Say("    -> answered " + BoxAnswerName(answer));
  return answer;
}

}  // namespace

bool AddBoxAnswers(const std::string& answer, std::string& error) {
  int id = 0;
  if (!BoxAnswerId(answer, id)) {
    error = "not an answer to a message box: " + answer;
    return false;
  }
  boxAnswers.push_back(id);
  return true;
}

void ClearBoxAnswers() { boxAnswers.clear(); }

bool AnswerPluginBoxes(void* module) {
  void* previous = PatchImport(static_cast<HMODULE>(module), "user32.dll", "MessageBoxA",
                               reinterpret_cast<void*>(&AnsweredMessageBox));
  if (!previous) return false;
  // The slot may still lead to the lazy import's resolver; the system's own function
  // is asked for by name instead, so the fallback never runs the plug-in's code.
  HMODULE user32 = LoadLibraryA("user32.dll");
  systemBox = user32 ? reinterpret_cast<MessageBoxFunction>(
                           reinterpret_cast<void*>(GetProcAddress(user32, "MessageBoxA")))
                     : nullptr;
  return true;
}

}  // namespace hostsim
