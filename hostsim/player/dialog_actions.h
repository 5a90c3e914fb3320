// The actions that play one showing of the options dialog, as the answers file's key
// "dialog" and the dialog service's script give them (UTF-8), separated by ';':
//   type TEXT     the input line's new contents
//   choose LETTER the radio button with that hot key (one character, any letter case)
//   tick, clear   the check box
//   F12, F3       press the button with that key (the controls are written back)
//   leave         leave without a button (nothing written back)
//   answer N      answer the command N (decimal), whatever the buttons (nothing written back)
// The answers file's check and the dialog service both read them with ParseDialogActions.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace hostsim {

enum class DialogActionKind { Type, Choose, Tick, Clear, PressF12, PressF3, Leave, Answer, Invalid };

struct DialogAction {
  DialogActionKind kind;
  std::string written;  // the action as written, blanks around it taken off (UTF-8)
  std::string text;     // Type: the new contents; Choose: the letter (host bytes, Mazovia)
  int16_t command;      // Answer: the command
  std::string error;    // Invalid: what was expected instead
};

// Every action of the text in order; empty ones (";;", blanks) are skipped, and one
// that is none of the above comes as Invalid with error set.
std::vector<DialogAction> ParseDialogActions(const std::string& utf8);

}  // namespace hostsim
