// A key as the stand-in's questions read it, and where they read it from: the console
// in hostsim.exe, a list of keys in tests. Key codes are the console's virtual key
// codes, so the console backend passes them on unchanged.
#pragma once
#include <cstdint>
#include <functional>

#include "hostsim/screen/screen.h"

namespace hostsim {

enum KeyCode : uint16_t {
  KeyBackspace = 0x08,
  KeyTab = 0x09,
  KeyEnter = 0x0D,
  KeyEscape = 0x1B,
  KeySpace = 0x20,
  KeyPageUp = 0x21,
  KeyPageDown = 0x22,
  KeyEnd = 0x23,
  KeyHome = 0x24,
  KeyLeft = 0x25,
  KeyUp = 0x26,
  KeyRight = 0x27,
  KeyDown = 0x28,
  KeyDelete = 0x2E,
  KeyF3 = 0x72,
  KeyF12 = 0x7B,
  // Letters and digits: their upper-case ASCII code ('A' = 0x41, '0' = 0x30).
};

struct Key {
  uint16_t code;  // KeyCode, or a letter's or digit's code
  char16_t ch;    // the character it types; 0 for none
  bool shift, alt;
};

// What a question talks to: show puts a screen on the console, read waits for the next
// key. A question shows its screen before each read and once more at its end.
struct Console {
  std::function<void(const Screen&)> show;
  std::function<Key()> read;
};

}  // namespace hostsim
