#include "hostsim/screen/text_viewer.h"

#include <algorithm>
#include <vector>

#include "hostsim/base/charset.h"
#include "hostsim/base/host_files.h"

namespace hostsim {
namespace {

constexpr int ViewRows = ScreenHeight - 2;       // lines shown at once
constexpr int ViewColumns = ScreenWidth - 4;     // columns shown: the frame and a blank each side

// The text's lines, each a view into the text without its line feed; a line feed at
// the very end starts no further line. Found once, however often the window is drawn;
// a line becomes screen characters (ScreenLine) only when it is drawn, so that a long
// report opens at once.
std::vector<std::string_view> ViewLines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0;;) {
    std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos || end + 1 == text.size()) return lines;
    start = end + 1;
  }
}

// The line's columns on the screen: tabs expanded to the next multiple of 8, carriage
// returns left out.
int Width(std::string_view line) {
  int width = 0;
  for (char c : line) width = c == '\t' ? width + 8 - width % 8 : c == '\r' ? width : width + 1;
  return width;
}

// The line as the screen shows it (Mazovia to UTF-16), expanded as Width counts.
std::u16string ScreenLine(std::string_view line) {
  std::u16string shown;
  shown.reserve(line.size());
  for (char c : line) {
    if (c == '\t') {
      shown.append(8 - shown.size() % 8, u' ');
    } else if (c != '\r') {
      shown += MazoviaChar(static_cast<unsigned char>(c));
    }
  }
  return shown;
}

int Longest(const std::vector<std::string_view>& lines) {
  int n = 0;
  for (std::string_view l : lines) n = std::max(n, Width(l));
  return n;
}

void DrawLines(Screen& s, std::string_view title, const std::vector<std::string_view>& lines, int top, int left) {
  ClearScreen(s, AttrScreen);
  DrawWindow(s, 0, 0, ScreenWidth, ScreenHeight, ScreenText(title), AttrWindow);
  for (int row = 0; row < ViewRows && top + row < static_cast<int>(lines.size()); ++row) {
    const std::u16string line = ScreenLine(lines[top + row]);
    if (left < static_cast<int>(line.size())) PutText(s, 2, 1 + row, std::u16string_view(line).substr(left, ViewColumns), AttrWindow);
  }
  std::u16string where = u"wiersz ";
  for (char c : std::to_string(top + 1) + " z " + std::to_string(lines.size())) where += static_cast<char16_t>(c);
  PutFrameText(s, 0, ScreenHeight - 1, ScreenWidth, u"↑↓ PgUp PgDn Home End", FrameLeft, AttrWindow);
  PutFrameText(s, 0, ScreenHeight - 1, ScreenWidth, where, FrameCentre, AttrWindow);
  PutFrameText(s, 0, ScreenHeight - 1, ScreenWidth, u"Esc wyjście", FrameRight, AttrWindow);
}

}  // namespace

void DrawTextFile(Screen& s, std::string_view title, std::string_view text, int top, int left) {
  DrawLines(s, title, ViewLines(text), top, left);
}

void WorkTextFile(std::string_view title, std::string_view text, Console& console) {
  std::vector<std::string_view> lines = ViewLines(text);
  int lastTop = std::max(0, static_cast<int>(lines.size()) - ViewRows);
  int lastLeft = std::max(0, Longest(lines) - ViewColumns);
  int top = 0, left = 0;
  Screen screen;
  for (;;) {
    DrawLines(screen, title, lines, top, left);
    console.show(screen);
    switch (console.read().code) {
      case KeyEscape: return;
      case KeyUp: --top; break;
      case KeyDown: ++top; break;
      case KeyPageUp: top -= ViewRows; break;
      case KeyPageDown: top += ViewRows; break;
      case KeyHome: top = left = 0; break;
      case KeyEnd: top = lastTop; break;
      case KeyLeft: --left; break;
      case KeyRight: ++left; break;
    }
    top = std::clamp(top, 0, lastTop);
    left = std::clamp(left, 0, lastLeft);
  }
}

void WorkTextFileNamed(const std::string& name, Console& console) {
  std::string bytes;
  if (!ReadHostFile(name, bytes)) bytes = "(brak pliku)";
  WorkTextFile(name, bytes, console);
}

}  // namespace hostsim
