// The menu "Inne" drawn on the stand-in's screen and worked with keys.
#include "hostsim/screen/menu_ui.h"

#include <algorithm>

#include "hostsim/screen/marked_text.h"
#include "hostsim/screen/screen.h"

namespace hostsim {
namespace {

constexpr int BarX = 2;          // where "Inne" stands in the menu bar
constexpr int ListX = 1, ListY = 1;
constexpr int MinListWidth = 24;

// The hot key of a title: the upper-case letter between its first pair of tildes; 0
// when there is none.
char HotKeyOf(const std::string& title) {
  std::size_t open = title.find('~');
  if (open == std::string::npos || open + 2 >= title.size() || title[open + 2] != '~') return 0;
  char c = title[open + 1];
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The cells a title takes: its characters without the tildes of its hot key.
int TitleWidth(const std::string& title) {
  return static_cast<int>(title.size() - std::count(title.begin(), title.end(), '~'));
}

void DrawMenu(const std::vector<std::string>& titles, int focus, Screen& s) {
  ClearScreen(s, AttrScreen);
  FillArea(s, 0, 0, ScreenWidth, 1, AttrButton);
  PutText(s, BarX, 0, u" Inne ", AttrFocus);
  int width = MinListWidth;
  for (const std::string& t : titles) width = std::max(width, TitleWidth(t) + 4);
  width = std::min(width, ScreenWidth - ListX);
  int rows = std::max(1, static_cast<int>(titles.size()));
  DrawWindow(s, ListX, ListY, width, rows + 2, u"", AttrWindow);
  if (titles.empty()) PutText(s, ListX + 2, ListY + 1, u"(pusto)", AttrWindow);
  for (int i = 0; i < static_cast<int>(titles.size()) && i < ScreenHeight - 4; ++i) {
    bool focused = i == focus;
    FillArea(s, ListX + 1, ListY + 1 + i, width - 2, 1, focused ? AttrFocus : AttrWindow);
    PutMarkedText(s, ListX + 2, ListY + 1 + i, width - 4, titles[i], focused ? AttrFocus : AttrWindow,
                  focused ? AttrFocusHotKey : AttrHotKey);
  }
  PutText(s, 0, ScreenHeight - 1, u" Enter wybiera   Esc wyjście", AttrScreen);
}

}  // namespace

int WorkMenu(const std::vector<std::string>& titles, Console& console) {
  int count = static_cast<int>(titles.size()), focus = 0;
  Screen screen;
  for (;;) {
    DrawMenu(titles, count ? focus : -1, screen);
    console.show(screen);
    Key key = console.read();
    if (key.code == KeyEscape) return -1;
    if (count == 0) continue;
    if (key.code == KeyEnter) return focus;
    if (key.code == KeyUp) focus = focus > 0 ? focus - 1 : count - 1;
    if (key.code == KeyDown) focus = focus + 1 < count ? focus + 1 : 0;
    if (key.code == KeyHome) focus = 0;
    if (key.code == KeyEnd) focus = count - 1;
    char letter = key.ch >= u'a' && key.ch <= u'z' ? static_cast<char>(key.ch - u'a' + u'A')
                  : key.ch < 0x80                  ? static_cast<char>(key.ch)
                                                   : 0;
    if (letter && letter != ' ')
      for (int i = 0; i < count; ++i)
        if (HotKeyOf(titles[i]) == letter) return i;
  }
}

}  // namespace hostsim
