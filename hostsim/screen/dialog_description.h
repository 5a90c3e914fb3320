// A dialog description as the host's dialog service reads it: the window record, the
// controls in order, where each control's value lies in the data record, and the values
// themselves. The service (52026) reads it, the console draws and works it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "host/dialog.h"  // the description's layout, kinds, keys and commands

namespace hostsim {

inline constexpr int16_t DialogLeft = CmdCancel;  // the dialog was left without a button

struct DialogRecord {
  uint16_t kind, command, flags, key, x, y, width, height;
  std::string text;   // host bytes, without the terminator
  std::string after;  // the bytes after the text's terminator
  int dataOffset;     // where its value lies in the data record; -1: none
};

struct DialogDescription {
  uint32_t bytesAfterCount;  // header: bytes after its first field
  uint16_t windowBytes;      // header: bytes from the window record on
  uint16_t controlCount;     // header: control records after the window record
  DialogRecord window;
  std::vector<DialogRecord> controls;
  int dataSize;              // bytes of the data record the controls fill
};

// Reads a dialog description the way 52026 does and checks its structure: the header
// counts agree with the records, the window record comes first, every kind is known,
// commands and flags fit the kinds. Static texts with a hot key carry 4 bytes after
// their text, input lines 18 (their maximum length at offsets 7 and 13). False with a
// reason in error when the description is not sound.
bool ReadDialogDescription(const void* description, DialogDescription& out, std::string& error);

// An input line's maximum length, from the bytes after its text.
int InputLength(const DialogRecord& r);

// Whether control i is a radio button that begins a run of them; a run shares one value.
bool StartsRadioRun(const DialogDescription& d, std::size_t i);

// The values of a dialog's controls in data record order.
struct DialogValues {
  std::vector<std::string> inputs;  // each input line's text (host bytes)
  std::vector<int16_t> groups;      // each run of radio buttons: the chosen position
  std::vector<int16_t> boxes;       // each check box: 1 ticked, 0 clear
};

}  // namespace hostsim
