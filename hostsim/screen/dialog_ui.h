// The options dialog at the console: drawn from its description on the stand-in's
// screen and worked with the keys a text-mode host knows (Tab, arrows, hot keys,
// Space, typing in the input line, F12, F3, Esc).
#pragma once
#include <cstdint>

#include "hostsim/screen/dialog_description.h"
#include "hostsim/screen/keys.h"
#include "hostsim/screen/screen.h"

namespace hostsim {

// Where the dialog's window stands: centred on the screen.
struct DialogPlace {
  int x, y;
};
DialogPlace PlaceDialog(const DialogDescription& d);

struct DialogUi {
  const DialogDescription* dialog;
  DialogValues values;  // what the controls show now
  int focus;            // the control that has the focus (index into controls)
  int cursor;           // the input line's cursor: characters before it
  int scroll;           // the input line's first character shown
};

// Index of control i's value among the values of its kind (inputs, groups, boxes); for
// a radio button the index of its run, and its position in the run into position.
int DialogValueIndex(const DialogDescription& d, int i, int16_t& position);

// A dialog ready to be worked: values as given, the focus on the first control that
// takes it (the cursor at the end of an input line).
DialogUi StartDialogUi(const DialogDescription& d, const DialogValues& values);

// Draws the whole screen: the window with its title, every control at its place,
// hot keys highlighted, the focused control marked, the cursor in a focused input line.
void DrawDialog(const DialogUi& ui, Screen& s);

struct DialogStep {
  bool done;        // the dialog ends with this key
  int16_t command;  // when done: a button's command, or DialogLeft (Esc)
  bool writeBack;   // when done: a button was pressed, the values go back
};

// What one key does to the dialog.
DialogStep DialogKey(DialogUi& ui, const Key& key);

// Shows the dialog on console until a button or Esc ends it; values hold what the
// user left. Returns the command; writeBack as DialogStep's.
int16_t WorkDialog(const DialogDescription& d, DialogValues& values, Console& console, bool& writeBack);

}  // namespace hostsim
