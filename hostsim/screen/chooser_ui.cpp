// The file chooser's list and the warehouse number entry, drawn on the stand-in's screen.
#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "hostsim/base/charset.h"
#include "hostsim/screen/chooser_ui.h"

namespace hostsim {
namespace {

constexpr int ListX = 20, ListY = 2, ListWidth = 40, ListHeight = 21;
constexpr int ListRows = ListHeight - 2;  // names shown at once
constexpr int EntryX = 20, EntryY = 8, EntryWidth = 40, EntryHeight = 9;
constexpr int ListedRows = 3;  // rows for the numbers of the warehouses with goods
constexpr int EntryDigits = 6;  // a minus sign and five digits: any 16-bit number

constexpr std::u16string_view Unwritable = u"Nazwa ma znaki spoza strony kodowej Mazovia: nie można jej wybrać.";
constexpr int NoteY = ListY + ListHeight;  // the row below the list

void DrawList(std::u16string_view listed, const std::vector<ListedFile>& files, int chosen, int top, Screen& s) {
  constexpr std::size_t TitleCells = ListWidth - 4;  // the corners and a blank either side
  std::u16string title(listed);
  if (title.size() > TitleCells) title = u"…" + title.substr(title.size() - (TitleCells - 1));
  ClearScreen(s, AttrScreen);
  DrawWindow(s, ListX, ListY, ListWidth, ListHeight, title, AttrWindow);
  PutFrameText(s, ListX, ListY + ListHeight - 1, ListWidth, u"Enter wybiera   Esc wyjście", FrameCentre, AttrWindow);
  if (files.empty()) PutText(s, ListX + 2, ListY + 1, u"(brak plików)", AttrWindow);
  for (int row = 0; row < ListRows && top + row < static_cast<int>(files.size()); ++row) {
    const ListedFile& file = files[top + row];
    uint16_t attr = top + row == chosen ? AttrFocus : file.writable ? AttrWindow : AttrUnwritable;
    FillArea(s, ListX + 1, ListY + 1 + row, ListWidth - 2, 1, attr);
    std::u16string name = file.writable ? ScreenText(file.mazovia) : Utf8ToUtf16(file.utf8);
    if (static_cast<int>(name.size()) > ListWidth - 4) name.resize(ListWidth - 4);
    PutText(s, ListX + 2, ListY + 1 + row, name, attr);
  }
  if (chosen < static_cast<int>(files.size()) && !files[chosen].writable)
    PutText(s, (ScreenWidth - static_cast<int>(Unwritable.size())) / 2, NoteY, Unwritable, AttrNote);
}

// The numbers as lines of at most width characters, "1, 2, 10", at most rows lines; a
// list that does not fit ends with "...".
std::vector<std::string> ListedNumbers(const std::vector<int32_t>& numbers, std::size_t width, int rows) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    std::string item = std::to_string(numbers[i]) + (i + 1 < numbers.size() ? "," : "");
    if (!lines.back().empty() && lines.back().size() + 1 + item.size() > width) {
      if (static_cast<int>(lines.size()) == rows) {  // full: drop numbers until "..." fits
        while (lines.back().size() + 4 > width && lines.back().find(' ') != std::string::npos)
          lines.back().resize(lines.back().rfind(' '));
        lines.back() += " ...";
        return lines;
      }
      lines.emplace_back();
    }
    lines.back() += (lines.back().empty() ? "" : " ") + item;
  }
  return lines;
}

void DrawEntry(const std::string& digits, int32_t offered, const std::vector<int32_t>& existing, Screen& s) {
  ClearScreen(s, AttrScreen);
  DrawWindow(s, EntryX, EntryY, EntryWidth, EntryHeight, u"Magazyn", AttrWindow);
  std::u16string keys = u"Enter wybiera   Esc zostawia " + ScreenText(std::to_string(offered));
  PutFrameText(s, EntryX, EntryY + EntryHeight - 1, EntryWidth, keys, FrameCentre, AttrWindow);
  int x = PutText(s, EntryX + 2, EntryY + 2, u"Numer magazynu: ", AttrWindow);
  FillArea(s, x, EntryY + 2, EntryDigits + 1, 1, AttrField);
  PutText(s, x, EntryY + 2, ScreenText(digits), AttrField);
  if (existing.empty()) {
    PutText(s, EntryX + 2, EntryY + 4, u"Żaden magazyn nie ma pliku towarów.", AttrWindow);
  } else {
    PutText(s, EntryX + 2, EntryY + 4, u"Magazyny z plikiem towarów:", AttrWindow);
    std::vector<std::string> lines = ListedNumbers(existing, EntryWidth - 4, ListedRows);
    for (std::size_t row = 0; row < lines.size(); ++row)
      PutText(s, EntryX + 2, EntryY + 5 + static_cast<int>(row), ScreenText(lines[row]), AttrWindow);
  }
  s.cursorX = x + static_cast<int>(digits.size());
  s.cursorY = EntryY + 2;
  s.cursorShown = true;
}

// The question before a run on a warehouse without a goods file: Enter goes on, Esc
// goes back to the entry (true: go on).
bool ConfirmWithoutGoods(int32_t warehouse, Console& console) {
  constexpr int X = 15, Width = 50, Height = 7;  // wide enough for "(MMM99999.MGR)"
  Screen s;
  ClearScreen(s, AttrScreen);
  DrawWindow(s, X, EntryY, Width, Height, u"Magazyn", AttrWindow);
  std::u16string number = ScreenText(std::to_string(warehouse));
  std::u16string file = warehouse < 0 ? u"" : u" (MMM" + number + u".MGR)";
  PutText(s, X + 2, EntryY + 2, u"Magazyn " + number + u" nie ma pliku towarów" + file + u".", AttrWindow);
  PutText(s, X + 2, EntryY + 3, u"Przecena nie zmieni w nim niczego.", AttrWindow);
  PutText(s, X + 2, EntryY + 4, u"Przecenić mimo to?", AttrWindow);
  PutFrameText(s, X, EntryY + Height - 1, Width, u"Enter tak   Esc wraca", FrameCentre, AttrWindow);
  for (;;) {
    console.show(s);
    Key key = console.read();
    if (key.code == KeyEnter) return true;
    if (key.code == KeyEscape) return false;
  }
}

}  // namespace

int WorkChooser(std::u16string_view listed, const std::vector<ListedFile>& files, Console& console) {
  int count = static_cast<int>(files.size()), chosen = 0, top = 0;
  Screen screen;
  for (;;) {
    DrawList(listed, files, chosen, top, screen);
    console.show(screen);
    Key key = console.read();
    switch (key.code) {
      case KeyEscape: return -1;
      case KeyEnter: if (count > 0 && files[chosen].writable) return chosen; break;
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

std::vector<int32_t> WarehousesWithGoods(const std::string& folder) {
  std::vector<int32_t> numbers;
  for (const ListedFile& file : MatchingFiles(folder, "MMM*.MGR")) {
    const std::string& name = file.mazovia;
    std::string_view digits = std::string_view(name).substr(3, name.size() - 7);
    if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string_view::npos) continue;
    if (digits.size() > 1 && digits[0] == '0') continue;  // MMM01.MGR: 52311 names warehouse 1 MMM1.MGR
    numbers.push_back(std::atoi(std::string(digits).c_str()));
  }
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());  // MMM1.MGR and mmm1.mgr
  return numbers;
}

int32_t OfferedWarehouse(int32_t given, const std::vector<int32_t>& existing) {
  if (existing.empty() || std::find(existing.begin(), existing.end(), given) != existing.end()) return given;
  return existing.front();
}

int32_t WorkWarehouse(int32_t given, const std::vector<int32_t>& existing, Console& console) {
  int32_t offered = OfferedWarehouse(given, existing);
  std::string digits = std::to_string(offered);
  bool offeredShown = true;  // the first digit typed replaces the number offered
  Screen screen;
  for (;;) {
    DrawEntry(digits, offered, existing, screen);
    console.show(screen);
    Key key = console.read();
    if (key.code == KeyEscape) return offered;
    if (key.code == KeyEnter) {
      int32_t chosen = digits.empty() || digits == "-" ? offered : std::atoi(digits.c_str());
      bool hasGoods = std::find(existing.begin(), existing.end(), chosen) != existing.end();
      if (hasGoods || ConfirmWithoutGoods(chosen, console)) return chosen;
      continue;
    }
    if (key.code == KeyBackspace && !digits.empty()) digits.pop_back();
    bool digit = key.ch >= u'0' && key.ch <= u'9';
    if ((digit || key.ch == u'-') && offeredShown) digits.clear();
    offeredShown = false;
    bool minus = key.ch == u'-' && digits.empty();
    if ((digit || minus) && static_cast<int>(digits.size()) < EntryDigits) digits += static_cast<char>(key.ch);
  }
}

}  // namespace hostsim
