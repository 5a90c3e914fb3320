#include "hostsim/screen/text_viewer.h"

#include <algorithm>
#include <vector>

#include "hostsim/base/charset.h"
#include "hostsim/base/host_files.h"

namespace hostsim {
namespace {

constexpr int ViewRows = ScreenHeight - 2;       // lines shown at once
constexpr int ViewColumns = ScreenWidth - 4;     // columns shown: the frame and a blank each side

// The text's lines for the screen, tabs expanded to the next multiple of 8; a line
// feed at the very end starts no further line. Split once, however often it is drawn.
std::vector<std::u16string> ViewLines(std::string_view text) {
  std::vector<std::u16string> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\n') {
      if (i + 1 < text.size()) lines.emplace_back();
    } else if (c == '\t') {
      lines.back().append(8 - lines.back().size() % 8, u' ');
    } else {
      lines.back() += MazoviaChar(static_cast<unsigned char>(c));
    }
  }
  return lines;
}

int Longest(const std::vector<std::u16string>& lines) {
  std::size_t n = 0;
  for (const std::u16string& l : lines) n = std::max(n, l.size());
  return static_cast<int>(n);
}

void DrawLines(Screen& s, std::string_view title, const std::vector<std::u16string>& lines, int top, int left) {
  ClearScreen(s, AttrScreen);
  DrawWindow(s, 0, 0, ScreenWidth, ScreenHeight, ScreenText(title), AttrWindow);
  for (int row = 0; row < ViewRows && top + row < static_cast<int>(lines.size()); ++row) {
    const std::u16string& line = lines[top + row];
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
  std::vector<std::u16string> lines = ViewLines(text);
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
  std::string bytes, text;
  if (!ReadHostFile(name, bytes)) bytes = "(brak pliku)";
  text.reserve(bytes.size());
  for (char c : bytes)
    if (c != '\r') text += c;
  WorkTextFile(name, text, console);
}

}  // namespace hostsim
