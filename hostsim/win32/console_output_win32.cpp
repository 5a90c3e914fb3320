#include "hostsim/win32/console_output_win32.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "hostsim/base/transcript.h"
#include "hostsim/screen/pass_status.h"
#include "hostsim/win32/console_text.h"
#include "hostsim/win32/tick_clock.h"

namespace hostsim {
namespace {

HANDLE output;
WORD plain;  // the console's attributes before the first line

void WriteWide(const std::string& utf8) { WriteConsoleUtf8(output, utf8); }

// The attributes for an ANSI select-graphic-rendition parameter list: "0" (or empty)
// the plain ones, a list with 7 the plain ones reversed, any other the plain ones with
// the bright foreground; all but "0" are bright.
WORD AttributesFor(const std::string& parameters) {
  if (parameters.empty() || parameters == "0") return plain;
  WORD bright = static_cast<WORD>(plain | FOREGROUND_INTENSITY);
  if (parameters.find('7') == std::string::npos) return bright;
  WORD colours = static_cast<WORD>(((plain & 0x0F) << 4) | ((plain & 0xF0) >> 4));
  return static_cast<WORD>((plain & 0xFF00) | colours | FOREGROUND_INTENSITY);
}

// One transcript line on the console: the text between the escape codes written wide,
// each code "ESC [ ... m" set as attributes; the plain ones again at the line's end.
void WriteLineToConsole(const std::string& line) {
  std::size_t from = 0;
  for (;;) {
    std::size_t esc = line.find("\x1b[", from);
    std::size_t end = esc == std::string::npos ? std::string::npos : line.find('m', esc);
    if (end == std::string::npos) {
      WriteWide(line.substr(from) + "\r\n");
      break;
    }
    WriteWide(line.substr(from, esc - from));
    SetConsoleTextAttribute(output, AttributesFor(line.substr(esc + 2, end - esc - 2)));
    from = end + 1;
  }
  SetConsoleTextAttribute(output, plain);
}

// Where the passes' status line stands: the row the cursor is on (the one the next
// transcript line would take), written in place without moving the cursor.
COORD statusAt;
DWORD statusLength;  // cells it covers, 0 when none

// Blanks over the cells the status line covers.
void ClearPassStatusLine() {
  DWORD written = 0;
  FillConsoleOutputCharacterW(output, L' ', statusLength, statusAt, &written);
  FillConsoleOutputAttribute(output, plain, statusLength, statusAt, &written);
  statusLength = 0;
}

// The status line at the start of the cursor's row, in the bright colours, cut to the
// window's width; what it covered before is blanked first.
void DrawPassStatusLine(const PassStatus& status) {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (!GetConsoleScreenBufferInfo(output, &info)) return;
  if (statusLength) ClearPassStatusLine();
  std::string utf8 = PassStatusText(status);
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  DWORD width = static_cast<DWORD>(info.srWindow.Right - info.srWindow.Left + 1);
  if (wide.size() > width) wide.resize(width);
  statusAt = {0, info.dwCursorPosition.Y};
  statusLength = static_cast<DWORD>(wide.size());
  DWORD written = 0;
  WriteConsoleOutputCharacterW(output, wide.data(), statusLength, statusAt, &written);
  FillConsoleOutputAttribute(output, static_cast<WORD>(plain | FOREGROUND_INTENSITY), statusLength, statusAt, &written);
}

}  // namespace

void WriteLinesToConsoleIfThere() {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (!GetConsoleMode(out, &mode) || !GetConsoleScreenBufferInfo(out, &info)) return;
  output = out;
  plain = info.wAttributes;
  std::fflush(stdout);
  writeLine = WriteLineToConsole;
  if (!echo) return;  // --quiet: no status line either
  drawPassStatus = DrawPassStatusLine;
  clearPassStatus = ClearPassStatusLine;
  passStatusClock = TickMilliseconds;
}

}  // namespace hostsim
