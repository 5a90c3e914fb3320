#include "hostsim/screen/message_ui.h"

#include <algorithm>
#include <string>

#include "hostsim/base/text.h"
#include "hostsim/screen/marked_text.h"

namespace hostsim {
namespace {

constexpr int MinWidth = 24;    // the narrowest box
constexpr int Margin = 3;       // the frame and two blanks on either side of the text
constexpr int MaxLines = ScreenHeight - 6;  // text lines shown; the frame, blanks, buttons

// The cells a line takes: its characters without the highlight bytes.
int Cells(std::string_view line) {
  return static_cast<int>(std::count_if(line.begin(), line.end(), [](char c) { return c != 1 && c != 2 && c != 5; }));
}

// A button as shown: its label between brackets, "[ Abort ]".
std::u16string ButtonText(const BoxButton& b) { return u"[ " + std::u16string(b.label) + u" ]"; }

}  // namespace

std::vector<BoxButton> BoxButtons(unsigned flags) {
  static const BoxButton Ok{u"OK", 0, 1}, Cancel{u"Cancel", 0, 2}, Abort{u"Abort", 'A', 3}, Retry{u"Retry", 'R', 4},
      Ignore{u"Ignore", 'I', 5}, Yes{u"Yes", 'Y', 6}, No{u"No", 'N', 7}, TryAgain{u"Try Again", 'T', 10},
      Continue{u"Continue", 'C', 11};
  switch (flags & 0xF) {
    case 1: return {Ok, Cancel};
    case 2: return {Abort, Retry, Ignore};
    case 3: return {Yes, No, Cancel};
    case 4: return {Yes, No};
    case 5: return {Retry, Cancel};
    case 6: return {Cancel, TryAgain, Continue};
    default: return {Ok};
  }
}

void DrawMessage(Screen& s, std::string_view title, std::string_view text, const std::vector<BoxButton>& buttons,
                 int focus, std::u16string_view keys) {
  std::vector<std::string> lines = SplitText(text, '\n');  // Mazovia
  if (static_cast<int>(lines.size()) > MaxLines) lines.resize(MaxLines);
  int inner = Cells(title) + 2;
  for (const std::string& line : lines) inner = std::max(inner, Cells(line));
  int row = 0;
  for (const BoxButton& b : buttons) row += static_cast<int>(ButtonText(b).size()) + 2;
  inner = std::max({inner, row - 2, static_cast<int>(keys.size()) + 4 - 2 * Margin});
  int width = std::clamp(inner + 2 * Margin, MinWidth, ScreenWidth);
  int height = static_cast<int>(lines.size()) + 4 + (buttons.empty() ? 0 : 2);
  int x = (ScreenWidth - width) / 2, y = (ScreenHeight - height) / 2;
  ClearScreen(s, AttrScreen);
  DrawWindow(s, x, y, width, height, ScreenText(title), AttrWindow);
  for (std::size_t i = 0; i < lines.size(); ++i)
    PutMarkedText(s, x + Margin, y + 2 + static_cast<int>(i), width - 2 * Margin, lines[i], AttrWindow, AttrHotKey);
  int bx = x + (width - (row - 2)) / 2, by = y + height - 3;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    std::u16string shown = ButtonText(buttons[i]);
    uint16_t attr = static_cast<int>(i) == focus ? AttrFocus : AttrButton;
    PutText(s, bx, by, shown, attr);
    if (buttons[i].hotKey) PutText(s, bx + 2, by, shown.substr(2, 1), static_cast<int>(i) == focus ? AttrFocusHotKey : AttrButtonKey);
    bx += static_cast<int>(shown.size()) + 2;
  }
  if (!keys.empty()) PutFrameText(s, x, y + height - 1, width, keys, FrameCentre, AttrWindow);
}

void WorkMessage(std::string_view title, std::string_view text, bool waitForKey, Console& console) {
  Screen screen;
  DrawMessage(screen, title, text, {}, -1, waitForKey ? u"Enter dalej" : u"");
  console.show(screen);
  if (waitForKey) console.read();
}

int WorkBox(std::string_view caption, std::string_view text, unsigned flags, Console& console) {
  std::vector<BoxButton> buttons = BoxButtons(flags);
  int count = static_cast<int>(buttons.size());
  int focus = std::min(static_cast<int>((flags >> 8) & 0xF), count - 1);
  bool cancels = std::any_of(buttons.begin(), buttons.end(), [](const BoxButton& b) { return b.answer == 2; });
  std::u16string keys = std::u16string(count > 1 ? u"←→ przycisk   " : u"") + u"Enter wybiera" +
                        (cancels ? u"   Esc anuluje" : count == 1 ? u"   Esc zamyka" : u"");
  Screen screen;
  for (;;) {
    DrawMessage(screen, caption, text, buttons, focus, keys);
    console.show(screen);
    Key key = console.read();
    bool back = key.code == KeyLeft || (key.code == KeyTab && key.shift);
    bool on = key.code == KeyRight || (key.code == KeyTab && !key.shift);
    if (back) focus = (focus + count - 1) % count;
    if (on) focus = (focus + 1) % count;
    if (key.code == KeyEnter) return buttons[focus].answer;
    for (const BoxButton& b : buttons) {
      if (b.hotKey && key.code == static_cast<uint16_t>(b.hotKey)) return b.answer;
      if (key.code == KeyEscape && (b.answer == 2 || count == 1)) return b.answer;
    }
  }
}

}  // namespace hostsim
