// The options dialog, file chooser and warehouse choice: 52026, 52169, 52337.
#include <cstdlib>
#include <cstring>

#include "host/services.h"
#include "hostsim/base/charset.h"
#include "hostsim/base/transcript.h"
#include "hostsim/player/answers.h"
#include "hostsim/player/dialog_actions.h"
#include "hostsim/player/failure_plan.h"
#include "hostsim/services/dialogs.h"

namespace hostsim {

DialogService dialogs;

void ResetDialogs() { dialogs = {}; }

void ApplyAnswersDialogs() {
  for (const std::string& actions : Answers("dialog")) dialogs.script.push_back(actions);
  for (const std::string& path : Answers("choose_file")) dialogs.chooserScript.push_back(Utf8ToMazovia(path));
  for (const std::string& number : Answers("warehouse")) {
    char* end = nullptr;
    long v = std::strtol(number.c_str(), &end, 10);
    if (end == number.c_str() || *end) {
      Say("answers: warehouse is not a number: " + number);
      continue;
    }
    dialogs.warehouseScript.push_back(static_cast<int32_t>(v));
  }
}

namespace {

// Bytes of text before its terminator, at most limit.
std::size_t BoundedLength(const char* text, std::size_t limit) {
  std::size_t n = 0;
  while (n < limit && text[n]) ++n;
  return n;
}

// The 16-bit value at data + offset, read bytewise (no alignment assumed), and its store.
int16_t Load16(const unsigned char* data, int offset) {
  int16_t v;
  std::memcpy(&v, data + offset, sizeof v);
  return v;
}

void Store16(unsigned char* data, int offset, int16_t v) { std::memcpy(data + offset, &v, sizeof v); }

// The controls' values as the data record holds them (an input line up to its length).
DialogValues ReadValues(const DialogDescription& d, const unsigned char* data) {
  DialogValues v;
  for (std::size_t i = 0; i < d.controls.size(); ++i) {
    const DialogRecord& r = d.controls[i];
    if (r.kind == DialogInputLine) {
      const char* text = reinterpret_cast<const char*>(data + r.dataOffset);
      v.inputs.emplace_back(text, BoundedLength(text, InputLength(r)));
    } else if (StartsRadioRun(d, i)) {
      v.groups.push_back(Load16(data, r.dataOffset));
    } else if (r.kind == DialogCheckBox) {
      v.boxes.push_back(Load16(data, r.dataOffset) != 0);
    }
  }
  return v;
}

// Puts the values back into the data record; an input line is zero-filled to its length first.
void WriteValues(const DialogDescription& d, const DialogValues& v, unsigned char* data) {
  std::size_t input = 0, group = 0, box = 0;
  for (std::size_t i = 0; i < d.controls.size(); ++i) {
    const DialogRecord& r = d.controls[i];
    if (r.kind == DialogInputLine) {
      std::memset(data + r.dataOffset, 0, InputLength(r) + 1);
      std::memcpy(data + r.dataOffset, v.inputs[input].data(), v.inputs[input].size());
      ++input;
    } else if (StartsRadioRun(d, i)) {
      Store16(data, r.dataOffset, v.groups[group++]);
    } else if (r.kind == DialogCheckBox) {
      Store16(data, r.dataOffset, v.boxes[box++]);
    }
  }
}

// Counts an action that did not fit the dialog and keeps its description.
void ScriptError(const std::string& what) {
  ++dialogs.scriptErrors;
  dialogs.lastScriptError = what;
}

// Position of the radio button whose hot key is letter (host byte, a lower-case ASCII
// letter taken as its capital) within its run, and the run's index.
bool FindRadio(const DialogDescription& d, char letter, int& group, int16_t& position) {
  unsigned char key = static_cast<unsigned char>(letter);
  if (key >= 'a' && key <= 'z') key -= 'a' - 'A';
  group = -1;
  for (std::size_t i = 0; i < d.controls.size(); ++i) {
    const DialogRecord& r = d.controls[i];
    if (r.kind != DialogRadioButton) continue;
    bool starts = StartsRadioRun(d, i);
    if (starts) ++group, position = 0;
    else ++position;
    if (r.key == key) return true;
  }
  return false;
}

// The first input line's maximum length (0 when there is none).
int FirstInputLength(const DialogDescription& d) {
  for (const DialogRecord& r : d.controls)
    if (r.kind == DialogInputLine) return InputLength(r);
  return 0;
}

// Plays one showing's actions on values; the command that ends it, and whether the
// controls go back into the data record. An action that is no action, or that the
// dialog has nothing for, is counted and passed over.
int16_t PlayShowing(const DialogDescription& d, const std::string& script, DialogValues& values, bool& writeBack) {
  writeBack = false;
  for (const DialogAction& a : ParseDialogActions(script)) {
    switch (a.kind) {
      case DialogActionKind::Type:
        if (values.inputs.empty()) ScriptError("no input line for: " + a.written);
        else values.inputs[0] = a.text.substr(0, FirstInputLength(d));
        break;
      case DialogActionKind::Choose: {
        int group;
        int16_t position;
        if (FindRadio(d, a.text[0], group, position)) values.groups[group] = position;
        else ScriptError("no radio button for: " + a.written);
        break;
      }
      case DialogActionKind::Tick:
      case DialogActionKind::Clear:
        if (values.boxes.empty()) ScriptError("no check box for: " + a.written);
        else values.boxes[0] = a.kind == DialogActionKind::Tick;
        break;
      case DialogActionKind::PressF12:
      case DialogActionKind::PressF3: {
        uint16_t key = a.kind == DialogActionKind::PressF12 ? DialogKeyF12 : DialogKeyF3;
        for (const DialogRecord& r : d.controls)
          if (r.kind == DialogButton && r.key == key) {
            writeBack = true;
            return static_cast<int16_t>(r.command);
          }
        ScriptError("no button for: " + a.written);
        break;
      }
      case DialogActionKind::Leave: return DialogLeft;
      case DialogActionKind::Answer: return a.command;
      case DialogActionKind::Invalid: ScriptError(a.error); break;
    }
  }
  return DialogLeft;
}

// A control's text with each hot key between tildes ("~P~lik") as a highlighted span,
// the way the host shows it; a tilde without its partner stays as it is.
std::string HotKeys(const std::string& text) {
  std::string out;
  std::size_t from = 0;
  for (;;) {
    std::size_t open = text.find('~', from);
    std::size_t close = open == std::string::npos ? open : text.find('~', open + 1);
    if (close == std::string::npos) return out + text.substr(from);
    out += text.substr(from, open - from) + '\x02' + text.substr(open + 1, close - open - 1) + '\x01';
    from = close + 1;
  }
}

}  // namespace

std::string DialogScreen(const DialogDescription& d, const DialogValues& v) {
  std::string screen;
  std::size_t input = 0, group = 0, box = 0;
  int16_t position = 0;
  for (std::size_t i = 0; i < d.controls.size(); ++i) {
    const DialogRecord& r = d.controls[i];
    bool startsGroup = StartsRadioRun(d, i);
    if (startsGroup) position = 0;
    switch (r.kind) {
      case DialogInputLine: screen += "[" + v.inputs[input++] + "]\n"; break;
      case DialogRadioButton:
        screen += (v.groups[group] == position ? "(*) " : "( ) ") + HotKeys(r.text) + "\n";
        ++position;
        if (i + 1 == d.controls.size() || d.controls[i + 1].kind != DialogRadioButton) ++group;
        break;
      case DialogCheckBox: screen += (v.boxes[box++] ? "[x] " : "[ ] ") + HotKeys(r.text) + "\n"; break;
      case DialogButton: screen += "<" + HotKeys(r.text) + ">\n"; break;
      default:
        if (!r.text.empty()) screen += HotKeys(r.text) + "\n";
    }
  }
  if (!screen.empty()) screen.pop_back();  // no line end after the last control
  return screen;
}

}  // namespace hostsim

using hostsim::dialogs;

extern "C" {

// Shows the dialog: fills the controls from data, plays the next script entry (none
// left: asks askDialog, if set), and on a button writes the controls back into data.
// A description that fails the structure check is refused as if the dialog had been left.
// A call that the failure plan fails answers UnknownDialogCommand, the data untouched.
int16_t runDialog(const void* dialogTemplate, int one, void* data, int zero) {
  ++dialogs.dialogCalls;
  dialogs.lastDialogOne = one;
  dialogs.lastDialogZero = zero;
  if (hostsim::CallFails(hostsim::FailingService::Dialog)) {
    hostsim::Show("runDialog", "", "(the host gives a command that no button has)", hostsim::UnknownDialogCommand);
    return hostsim::UnknownDialogCommand;
  }
  hostsim::DialogDescription d;
  std::string error;
  if (!hostsim::ReadDialogDescription(dialogTemplate, d, error)) {
    ++dialogs.rejected;
    dialogs.lastRejection = error;
    return hostsim::DialogLeft;
  }
  auto* record = static_cast<unsigned char*>(data);
  hostsim::DialogShowing showing;
  showing.title = d.window.text;
  showing.opened = hostsim::ReadValues(d, record);
  showing.closed = showing.opened;
  std::string script;
  bool scripted = !dialogs.script.empty();
  if (scripted) {
    script = dialogs.script.front();
    dialogs.script.pop_front();
  }
  if (dialogs.writeRecord) {
    showing.command = dialogs.writeRecord(d, record);
    showing.closed = hostsim::ReadValues(d, record);
    showing.writtenBack = true;
  } else {
    if (scripted || !dialogs.askDialog) showing.command = hostsim::PlayShowing(d, script, showing.closed, showing.writtenBack);
    else showing.command = dialogs.askDialog(d, showing.closed, showing.writtenBack);
    if (showing.writtenBack) hostsim::WriteValues(d, showing.closed, record);
  }
  dialogs.showings.push_back(showing);
  // The transcript shows the dialog as the user left it, after the scripted actions;
  // its mode is the command answered.
  hostsim::Show("runDialog", showing.title.c_str(), hostsim::DialogScreen(d, showing.closed).c_str(), showing.command);
  return showing.command;
}

// The next scripted path (none left: askFile's, if set) into path (at most 128
// characters), or -1; -1 too, with no answer used, when the failure plan fails the call.
int chooseFile(int kind, char* path, const char* mask, int zero) {
  ++dialogs.chooserCalls;
  dialogs.lastChooserKind = kind;
  dialogs.lastChooserZero = zero;
  dialogs.lastChooserMask = mask ? mask : "";
  std::string chosen = "-1";
  if (hostsim::CallFails(hostsim::FailingService::Chooser)) {
    chosen = "-1";
  } else if (!dialogs.chooserScript.empty()) {
    chosen = dialogs.chooserScript.front();
    dialogs.chooserScript.pop_front();
  } else if (dialogs.askFile && dialogs.askFile(dialogs.lastChooserMask, chosen) != 0) {
    chosen = "-1";
  }
  hostsim::Show("chooseFile", mask, chosen.c_str(), kind);
  if (chosen == "-1") return -1;
  std::size_t n = chosen.size() < 128 ? chosen.size() : 128;
  std::memcpy(path, chosen.data(), n);
  path[n] = 0;
  return 0;
}

// The next scripted warehouse; none left: askWarehouse's, if set, or the one it is given.
// -1, with no answer used, when the failure plan fails the call.
int selectWarehouse(int warehouse, int kind, int zero) {
  ++dialogs.warehouseCalls;
  dialogs.lastWarehouseGiven = warehouse;
  dialogs.lastWarehouseKind = kind;
  dialogs.lastWarehouseZero = zero;
  int32_t chosen = warehouse;
  if (hostsim::CallFails(hostsim::FailingService::Warehouse)) {
    chosen = -1;
  } else if (!dialogs.warehouseScript.empty()) {
    chosen = dialogs.warehouseScript.front();
    dialogs.warehouseScript.pop_front();
  } else if (dialogs.askWarehouse) {
    chosen = dialogs.askWarehouse(warehouse);
  }
  std::string text = "Magazyn " + std::to_string(warehouse) + " -> " + std::to_string(chosen);
  hostsim::Show("selectWarehouse", "", text.c_str(), kind);
  return chosen;
}
}
