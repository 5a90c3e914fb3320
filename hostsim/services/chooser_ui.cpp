// The file chooser's list and the warehouse number entry, drawn on the stand-in's screen.
#include <cstdlib>

#include "hostsim/services/charset.h"
#include "hostsim/services/chooser_ui.h"

namespace hostsim {
namespace {

constexpr int ListX = 20, ListY = 2, ListWidth = 40, ListHeight = 21;
constexpr int ListRows = ListHeight - 2;  // names shown at once
constexpr int EntryX = 25, EntryY = 10, EntryWidth = 30, EntryHeight = 5;
constexpr int EntryDigits = 6;  // a minus sign and five digits: any 16-bit number

void DrawList(std::string_view mask, const std::vector<std::string>& names, int chosen, int top, Screen& s) {
  ClearScreen(s, AttrScreen);
  DrawWindow(s, ListX, ListY, ListWidth, ListHeight, ScreenText(mask), AttrWindow);
  if (names.empty()) PutText(s, ListX + 2, ListY + 1, u"(brak plików)", AttrWindow);
  for (int row = 0; row < ListRows && top + row < static_cast<int>(names.size()); ++row) {
    uint16_t attr = top + row == chosen ? AttrFocus : AttrWindow;
    FillArea(s, ListX + 1, ListY + 1 + row, ListWidth - 2, 1, attr);
    std::u16string name = ScreenText(names[top + row]);
    if (static_cast<int>(name.size()) > ListWidth - 4) name.resize(ListWidth - 4);
    PutText(s, ListX + 2, ListY + 1 + row, name, attr);
  }
}

void DrawEntry(const std::string& digits, Screen& s) {
  ClearScreen(s, AttrScreen);
  DrawWindow(s, EntryX, EntryY, EntryWidth, EntryHeight, u"Magazyn", AttrWindow);
  int x = PutText(s, EntryX + 2, EntryY + 2, u"Numer magazynu: ", AttrWindow);
  FillArea(s, x, EntryY + 2, EntryDigits + 1, 1, AttrField);
  PutText(s, x, EntryY + 2, ScreenText(digits), AttrField);
  s.cursorX = x + static_cast<int>(digits.size());
  s.cursorY = EntryY + 2;
  s.cursorShown = true;
}

}  // namespace

int WorkChooser(std::string_view mask, const std::vector<std::string>& names, Console& console) {
  int count = static_cast<int>(names.size()), chosen = 0, top = 0;
  Screen screen;
  for (;;) {
    DrawList(mask, names, chosen, top, screen);
    console.show(screen);
    Key key = console.read();
    switch (key.code) {
      case KeyEscape: return -1;
      case KeyEnter: if (count > 0) return chosen; break;
      case KeyUp: --chosen; break;
      case KeyDown: ++chosen; break;
      case KeyPageUp: chosen -= ListRows; break;
      case KeyPageDown: chosen += ListRows; break;
      case KeyHome: chosen = 0; break;
      case KeyEnd: chosen = count - 1; break;
    }
    if (chosen >= count) chosen = count - 1;
    if (chosen < 0) chosen = 0;
    if (chosen < top) top = chosen;
    if (chosen >= top + ListRows) top = chosen - ListRows + 1;
  }
}

int32_t WorkWarehouse(int32_t offered, Console& console) {
  std::string digits = std::to_string(offered);
  bool offeredShown = true;  // the first digit typed replaces the number offered
  Screen screen;
  for (;;) {
    DrawEntry(digits, screen);
    console.show(screen);
    Key key = console.read();
    if (key.code == KeyEscape) return -1;
    if (key.code == KeyEnter) return digits.empty() || digits == "-" ? offered : std::atoi(digits.c_str());
    if (key.code == KeyBackspace && !digits.empty()) digits.pop_back();
    bool digit = key.ch >= u'0' && key.ch <= u'9';
    if ((digit || key.ch == u'-') && offeredShown) digits.clear();
    offeredShown = false;
    bool minus = key.ch == u'-' && digits.empty();
    if ((digit || minus) && static_cast<int>(digits.size()) < EntryDigits) digits += static_cast<char>(key.ch);
  }
}

}  // namespace hostsim
