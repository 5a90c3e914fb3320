// Drawing the options dialog on the stand-in's screen.
#include "hostsim/screen/dialog_ui.h"
#include "hostsim/screen/marked_text.h"

namespace hostsim {

DialogPlace PlaceDialog(const DialogDescription& d) {
  return {(ScreenWidth - d.window.width) / 2, (ScreenHeight - d.window.height) / 2};
}

namespace {

// Input line i: its field, the text from the first character shown, and the cursor
// when it has the focus.
void DrawInputLine(const DialogUi& ui, std::size_t i, int x, int y, bool focused, Screen& s) {
  const DialogRecord& r = ui.dialog->controls[i];
  int16_t unused;
  const std::string& text = ui.values.inputs[DialogValueIndex(*ui.dialog, static_cast<int>(i), unused)];
  FillArea(s, x, y, r.width, 1, focused ? AttrFocus : AttrField);
  int from = focused ? ui.scroll : 0;
  std::u16string shown = ScreenText(text).substr(from < static_cast<int>(text.size()) ? from : text.size());
  if (static_cast<int>(shown.size()) > r.width) shown.resize(r.width);
  PutText(s, x, y, shown, focused ? AttrFocus : AttrField);
  if (!focused) return;
  s.cursorX = x + ui.cursor - ui.scroll;
  s.cursorY = y;
  s.cursorShown = true;
}

}  // namespace

void DrawDialog(const DialogUi& ui, Screen& s) {
  const DialogDescription& d = *ui.dialog;
  ClearScreen(s, AttrScreen);
  DialogPlace at = PlaceDialog(d);
  DrawWindow(s, at.x, at.y, d.window.width, d.window.height, ScreenText(d.window.text), AttrWindow);
  for (std::size_t i = 0; i < d.controls.size(); ++i) {
    const DialogRecord& r = d.controls[i];
    int x = at.x + r.x, y = at.y + r.y;
    bool focused = static_cast<int>(i) == ui.focus;
    uint16_t attr = focused ? AttrFocus : AttrWindow, hot = focused ? AttrFocusHotKey : AttrHotKey;
    int16_t position;
    int index = DialogValueIndex(d, static_cast<int>(i), position);
    switch (r.kind) {
      case DialogInputLine: DrawInputLine(ui, i, x, y, focused, s); break;
      case DialogRadioButton: {
        bool chosen = ui.values.groups[index] == position;
        FillArea(s, x, y, r.width, 1, attr);
        PutMarkedText(s, x, y, r.width, std::string(chosen ? "(*) " : "( ) ") + r.text, attr, hot);
        break;
      }
      case DialogCheckBox:
        FillArea(s, x, y, r.width, 1, attr);
        PutMarkedText(s, x, y, r.width, std::string(ui.values.boxes[index] ? "[X] " : "[ ] ") + r.text, attr, hot);
        break;
      case DialogButton:
        FillArea(s, x, y, r.width, 1, focused ? AttrFocus : AttrButton);
        PutMarkedText(s, x + 1, y, r.width - 1, r.text, focused ? AttrFocus : AttrButton,
                      focused ? AttrFocusHotKey : AttrButtonKey);
        break;
      default: PutMarkedText(s, x, y, r.width, r.text, AttrWindow, AttrHotKey);
    }
  }
}

}  // namespace hostsim
