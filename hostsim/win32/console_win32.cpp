#include "hostsim/win32/console_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "hostsim/services/console_questions.h"
#include "hostsim/services/console_shows.h"
#include "hostsim/services/dialogs.h"

namespace hostsim {
namespace {

static_assert(KeyBackspace == VK_BACK && KeyTab == VK_TAB && KeyEnter == VK_RETURN && KeyEscape == VK_ESCAPE);
static_assert(KeySpace == VK_SPACE && KeyPageUp == VK_PRIOR && KeyPageDown == VK_NEXT && KeyEnd == VK_END);
static_assert(KeyHome == VK_HOME && KeyLeft == VK_LEFT && KeyUp == VK_UP && KeyRight == VK_RIGHT);
static_assert(KeyDown == VK_DOWN && KeyDelete == VK_DELETE && KeyF3 == VK_F3 && KeyF12 == VK_F12);

struct Saved {
  bool held;                       // saved and not yet put back
  SMALL_RECT area;                 // the cells the screens cover: the whole window
  COORD size;                      // its columns and rows
  std::vector<CHAR_INFO> cells;    // what they showed
  CONSOLE_CURSOR_INFO cursorInfo;  // the cursor's size and visibility
  COORD cursor;                    // where it stood
} saved;

HANDLE Output() {
  static HANDLE out = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  return out;
}

// The console window's cells (at least 80 x 25); the first time, what they show is saved.
SMALL_RECT Area() {
  if (saved.held) return saved.area;
  CONSOLE_SCREEN_BUFFER_INFO info{};
  GetConsoleScreenBufferInfo(Output(), &info);
  SHORT left = info.srWindow.Left, top = info.srWindow.Top;
  SHORT width = std::max<SHORT>(ScreenWidth, info.srWindow.Right - left + 1);
  SHORT height = std::max<SHORT>(ScreenHeight, info.srWindow.Bottom - top + 1);
  saved.size = {width, height};
  saved.area = {left, top, static_cast<SHORT>(left + width - 1), static_cast<SHORT>(top + height - 1)};
  saved.cells.assign(static_cast<std::size_t>(width) * height, CHAR_INFO{});
  SMALL_RECT read = saved.area;
  ReadConsoleOutputW(Output(), saved.cells.data(), saved.size, {0, 0}, &read);
  GetConsoleCursorInfo(Output(), &saved.cursorInfo);
  saved.cursor = info.dwCursorPosition;
  saved.held = true;
  return saved.area;
}

// The screen in the window's top-left 80 x 25 cells; the rest of a larger window is
// blank, so nothing of the transcript stands beside it.
void Show(const Screen& s) {
  SMALL_RECT area = Area();
  CHAR_INFO blank{};
  blank.Char.UnicodeChar = L' ';
  blank.Attributes = AttrScreen;
  std::vector<CHAR_INFO> cells(static_cast<std::size_t>(saved.size.X) * saved.size.Y, blank);
  for (int y = 0; y < ScreenHeight; ++y)
    for (int x = 0; x < ScreenWidth; ++x) {
      cells[y * saved.size.X + x].Char.UnicodeChar = static_cast<WCHAR>(s.chars[y][x]);
      cells[y * saved.size.X + x].Attributes = s.attrs[y][x];
    }
  SMALL_RECT write = area;
  WriteConsoleOutputW(Output(), cells.data(), saved.size, {0, 0}, &write);
  CONSOLE_CURSOR_INFO cursor{saved.cursorInfo.dwSize ? saved.cursorInfo.dwSize : 25, s.cursorShown};
  SetConsoleCursorInfo(Output(), &cursor);
  if (s.cursorShown)
    SetConsoleCursorPosition(Output(), {static_cast<SHORT>(area.Left + s.cursorX), static_cast<SHORT>(area.Top + s.cursorY)});
}

// The next key pressed (a key going down; Shift, Ctrl and Alt alone are no keys).
// Ctrl-A and Ctrl-E are Home and End too: in tmux, whose Home and End are "ESC [ 1 ~"
// and "ESC [ 4 ~", Wine's console delivers neither key (it reads xterm's "ESC [ H"
// and "ESC [ F").
Key Read() {
  HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  for (;;) {
    INPUT_RECORD record;
    DWORD n = 0;
    if (!ReadConsoleInputW(in, &record, 1, &n) || n == 0) return {KeyEscape, 0x1B, false, false};
    if (record.EventType != KEY_EVENT || !record.Event.KeyEvent.bKeyDown) continue;
    const KEY_EVENT_RECORD& k = record.Event.KeyEvent;
    if (k.wVirtualKeyCode == VK_SHIFT || k.wVirtualKeyCode == VK_CONTROL || k.wVirtualKeyCode == VK_MENU) continue;
    bool shift = (k.dwControlKeyState & SHIFT_PRESSED) != 0;
    bool alt = (k.dwControlKeyState & (LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED)) != 0;
    if (k.uChar.UnicodeChar == 0x01) return {KeyHome, 0, shift, alt};
    if (k.uChar.UnicodeChar == 0x05) return {KeyEnd, 0, shift, alt};
    return {k.wVirtualKeyCode, static_cast<char16_t>(k.uChar.UnicodeChar), shift, alt};
  }
}

int failExitCode;

void FailMissingAnswer(const std::string& message) {
  std::fflush(stdout);
  std::fprintf(stderr, "hostsim: %s\n", message.c_str());
  std::exit(failExitCode);
}

}  // namespace

void AnswerAtConsoleOrFail(bool batch, int exitCode) {
  failExitCode = exitCode;
  if (batch || !InputIsConsole()) return FailUnanswered(FailMissingAnswer);
  AskAtConsole(WindowsConsole(), ".");
  // Each question gives the console window back as it was when it ends.
  auto dialog = dialogs.askDialog;
  dialogs.askDialog = [dialog](const DialogDescription& d, DialogValues& values, bool& writeBack) {
    int16_t command = dialog(d, values, writeBack);
    RestoreConsole();
    return command;
  };
  auto file = dialogs.askFile;
  dialogs.askFile = [file](const std::string& mask, std::string& chosen) {
    int result = file(mask, chosen);
    RestoreConsole();
    return result;
  };
  auto warehouse = dialogs.askWarehouse;
  dialogs.askWarehouse = [warehouse](int32_t offered) {
    int32_t chosen = warehouse(offered);
    RestoreConsole();
    return chosen;
  };
  // So do the messages (but the one that stays up while work goes on, until it goes),
  // the text file's viewer, the system message boxes and the menu.
  auto message = consoleShows.message;
  consoleShows.message = [message](std::string_view title, std::string_view text, int mode) {
    message(title, text, mode);
    if (mode != MessageStaysUp) RestoreConsole();
  };
  consoleShows.closeWait = RestoreConsole;
  auto textFile = consoleShows.textFile;
  consoleShows.textFile = [textFile](const std::string& name) {
    textFile(name);
    RestoreConsole();
  };
  auto box = consoleShows.box;
  consoleShows.box = [box](std::string_view caption, std::string_view text, unsigned flags) {
    int answer = box(caption, text, flags);
    RestoreConsole();
    return answer;
  };
  auto menu = consoleShows.menu;
  consoleShows.menu = [menu](const std::vector<std::string>& titles) {
    int chosen = menu(titles);
    RestoreConsole();
    return chosen;
  };
}

bool InputIsConsole() {
  DWORD mode;
  return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

Console& WindowsConsole() {
  static Console console{Show, Read};
  return console;
}

void RestoreConsole() {
  if (!saved.held) return;
  SMALL_RECT write = saved.area;
  WriteConsoleOutputW(Output(), saved.cells.data(), saved.size, {0, 0}, &write);
  SetConsoleCursorInfo(Output(), &saved.cursorInfo);
  SetConsoleCursorPosition(Output(), saved.cursor);
  saved.held = false;
}

}  // namespace hostsim
