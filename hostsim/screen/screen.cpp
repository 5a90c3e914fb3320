#include "hostsim/screen/screen.h"

#include <algorithm>

#include "hostsim/base/charset.h"

namespace hostsim {

void ClearScreen(Screen& s, uint16_t attr) {
  FillArea(s, 0, 0, ScreenWidth, ScreenHeight, attr);
  s.cursorX = s.cursorY = 0;
  s.cursorShown = false;
}

int PutText(Screen& s, int x, int y, std::u16string_view text, uint16_t attr) {
  for (char16_t c : text) {
    if (y >= 0 && y < ScreenHeight && x >= 0 && x < ScreenWidth) {
      s.chars[y][x] = c;
      s.attrs[y][x] = attr;
    }
    ++x;
  }
  return x;
}

void FillArea(Screen& s, int x, int y, int width, int height, uint16_t attr) {
  for (int row = y; row < y + height; ++row) PutText(s, x, row, std::u16string(width > 0 ? width : 0, u' '), attr);
}

void DrawWindow(Screen& s, int x, int y, int width, int height, std::u16string_view title, uint16_t attr) {
  if (width < 2 || height < 2) return;
  FillArea(s, x, y, width, height, attr);
  std::u16string line(width - 2, u'═');
  PutText(s, x, y, u"╔" + line + u"╗", attr);
  PutText(s, x, y + height - 1, u"╚" + line + u"╝", attr);
  for (int row = y + 1; row < y + height - 1; ++row) {
    PutText(s, x, row, u"║", attr);
    PutText(s, x + width - 1, row, u"║", attr);
  }
  if (!title.empty()) PutFrameText(s, x, y, width, title, FrameCentre, attr);
}

void PutFrameText(Screen& s, int x, int y, int width, std::u16string_view text, FrameAlign align, uint16_t attr) {
  std::u16string shown = u" " + std::u16string(text) + u" ";
  if (static_cast<int>(shown.size()) > width - 2) shown.resize(width > 2 ? width - 2 : 0);
  int n = static_cast<int>(shown.size());
  int at = align == FrameLeft ? 2 : align == FrameRight ? width - 2 - n : (width - n) / 2;
  PutText(s, x + std::max(1, at), y, shown, attr);
}

std::u16string ScreenText(std::string_view mazovia) {
  std::u16string out;
  for (char c : mazovia) out += MazoviaChar(static_cast<unsigned char>(c));
  return out;
}

std::u16string ScreenRow(const Screen& s, int y, int x, int count) {
  std::u16string out;
  if (y < 0 || y >= ScreenHeight) return out;
  for (int col = x < 0 ? 0 : x; col < x + count && col < ScreenWidth; ++col) out += s.chars[y][col];
  return out;
}

}  // namespace hostsim
