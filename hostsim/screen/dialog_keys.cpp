// What the keys do in the options dialog at the console.
#include "hostsim/base/charset.h"
#include "hostsim/screen/dialog_ui.h"

namespace hostsim {
namespace {

bool TakesFocus(uint16_t kind) { return kind != DialogStaticText; }

// The control that takes the focus from i on in direction step (+1, -1), wrapping
// round; i itself when none does.
int NextFocus(const DialogDescription& d, int i, int step) {
  int n = static_cast<int>(d.controls.size());
  for (int k = 1; k <= n; ++k) {
    int j = ((i + step * k) % n + n) % n;
    if (TakesFocus(d.controls[j].kind)) return j;
  }
  return i;
}

std::string& InputText(DialogUi& ui) {
  int16_t unused;
  return ui.values.inputs[DialogValueIndex(*ui.dialog, ui.focus, unused)];
}

// Keeps the input line's cursor within its field: the first character shown moves.
void KeepCursorShown(DialogUi& ui) {
  int width = ui.dialog->controls[ui.focus].width;
  if (ui.cursor < ui.scroll) ui.scroll = ui.cursor;
  if (ui.cursor - ui.scroll > width - 1) ui.scroll = ui.cursor - width + 1;
}

void Focus(DialogUi& ui, int i) {
  ui.focus = i;
  ui.scroll = 0;
  if (ui.dialog->controls[i].kind != DialogInputLine) return;
  ui.cursor = static_cast<int>(InputText(ui).size());
  KeepCursorShown(ui);
}

// Space or a hot key on control i: a radio button is chosen, a check box turns over,
// a button is pressed (the dialog ends with its command).
DialogStep Act(DialogUi& ui, int i) {
  const DialogDescription& d = *ui.dialog;
  int16_t position;
  int index = DialogValueIndex(d, i, position);
  switch (d.controls[i].kind) {
    case DialogRadioButton: ui.values.groups[index] = position; break;
    case DialogCheckBox: ui.values.boxes[index] = !ui.values.boxes[index]; break;
    case DialogButton: return {true, static_cast<int16_t>(d.controls[i].command), true};
  }
  return {false, 0, false};
}

// The button whose hot key is the host's key code, pressed; nothing when none has it.
DialogStep PressButton(DialogUi& ui, uint16_t hostKey) {
  for (std::size_t i = 0; i < ui.dialog->controls.size(); ++i)
    if (ui.dialog->controls[i].kind == DialogButton && ui.dialog->controls[i].key == hostKey)
      return Act(ui, static_cast<int>(i));
  return {false, 0, false};
}

// A hot key letter: the focus goes to the first control it names (a static text names
// the control after it), which acts; when that one has the focus already, to the next
// one it names, round. False when no control has that hot key.
bool HotKey(DialogUi& ui, uint16_t letter, DialogStep& step) {
  const DialogDescription& d = *ui.dialog;
  std::vector<int> targets;
  for (int i = 0; i < static_cast<int>(d.controls.size()); ++i) {
    if (d.controls[i].key != letter || d.controls[i].kind == DialogButton) continue;
    targets.push_back(d.controls[i].kind == DialogStaticText ? NextFocus(d, i, 1) : i);
  }
  if (targets.empty()) return false;
  std::size_t k = 0;
  while (k < targets.size() && targets[k] != ui.focus) ++k;
  int target = targets[k < targets.size() ? (k + 1) % targets.size() : 0];
  Focus(ui, target);
  step = Act(ui, target);
  return true;
}

// Editing keys in the focused input line; false for a key that is no editing key.
bool EditInput(DialogUi& ui, const Key& key) {
  std::string& text = InputText(ui);
  int length = static_cast<int>(text.size());
  char byte;
  if (!key.alt && key.ch >= 0x20) {  // a character typed, whatever key gave it
    if (!MazoviaByte(key.ch, byte)) return false;
    if (length < InputLength(ui.dialog->controls[ui.focus])) text.insert(ui.cursor++, 1, byte);
    KeepCursorShown(ui);
    return true;
  }
  switch (key.code) {
    case KeyLeft: if (ui.cursor > 0) --ui.cursor; break;
    case KeyRight: if (ui.cursor < length) ++ui.cursor; break;
    case KeyHome: ui.cursor = 0; break;
    case KeyEnd: ui.cursor = length; break;
    case KeyBackspace: if (ui.cursor > 0) text.erase(--ui.cursor, 1); break;
    case KeyDelete: if (ui.cursor < length) text.erase(ui.cursor, 1); break;
    default: return false;
  }
  KeepCursorShown(ui);
  return true;
}

bool IsLetter(uint16_t code) { return code >= 'A' && code <= 'Z'; }

}  // namespace

int DialogValueIndex(const DialogDescription& d, int i, int16_t& position) {
  int index = -1;
  position = 0;
  for (int k = 0; k <= i; ++k) {
    if (d.controls[k].kind != d.controls[i].kind) continue;
    if (d.controls[k].kind != DialogRadioButton) ++index;
    else if (StartsRadioRun(d, k)) ++index, position = 0;
    else ++position;
  }
  return index;
}

DialogUi StartDialogUi(const DialogDescription& d, const DialogValues& values) {
  DialogUi ui{&d, values, 0, 0, 0};
  if (d.controls.empty()) return ui;
  Focus(ui, TakesFocus(d.controls[0].kind) ? 0 : NextFocus(d, 0, 1));
  return ui;
}

DialogStep DialogKey(DialogUi& ui, const Key& key) {
  const DialogDescription& d = *ui.dialog;
  DialogStep step{false, 0, false};
  if (d.controls.empty()) return key.code == KeyEscape ? DialogStep{true, DialogLeft, false} : step;
  bool inInput = d.controls[ui.focus].kind == DialogInputLine;
  switch (key.code) {
    case KeyEscape: return {true, DialogLeft, false};
    case KeyF12: return PressButton(ui, DialogKeyF12);
    case KeyF3: return PressButton(ui, DialogKeyF3);
    case KeyTab: Focus(ui, NextFocus(d, ui.focus, key.shift ? -1 : 1)); return step;
    case KeyUp: Focus(ui, NextFocus(d, ui.focus, -1)); return step;
    case KeyDown: Focus(ui, NextFocus(d, ui.focus, 1)); return step;
  }
  if (key.alt && IsLetter(key.code)) {
    HotKey(ui, key.code, step);
    return step;
  }
  if (inInput) {
    if (key.code == KeyEnter) Focus(ui, NextFocus(d, ui.focus, 1));
    else EditInput(ui, key);
    return step;
  }
  switch (key.code) {
    case KeyLeft: Focus(ui, NextFocus(d, ui.focus, -1)); return step;
    case KeyRight: Focus(ui, NextFocus(d, ui.focus, 1)); return step;
    case KeySpace: return Act(ui, ui.focus);
    case KeyEnter:
      if (d.controls[ui.focus].kind == DialogButton) return Act(ui, ui.focus);
      Focus(ui, NextFocus(d, ui.focus, 1));
      return step;
  }
  if (IsLetter(key.code)) HotKey(ui, key.code, step);
  return step;
}

int16_t WorkDialog(const DialogDescription& d, DialogValues& values, Console& console, bool& writeBack) {
  DialogUi ui = StartDialogUi(d, values);
  Screen screen;
  for (;;) {
    DrawDialog(ui, screen);
    console.show(screen);
    DialogStep step = DialogKey(ui, console.read());
    if (!step.done) continue;
    values = ui.values;
    writeBack = step.writeBack;
    DrawDialog(ui, screen);
    console.show(screen);
    return step.command;
  }
}

}  // namespace hostsim
