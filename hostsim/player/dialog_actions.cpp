#include "hostsim/player/dialog_actions.h"

#include <cstdlib>

#include "hostsim/base/charset.h"
#include "hostsim/base/text.h"

namespace hostsim {
namespace {

// Number of characters of a UTF-8 text (bytes that begin a character).
std::size_t Utf8Length(const std::string& s) {
  std::size_t n = 0;
  for (unsigned char c : s) n += (c & 0xC0) != 0x80;
  return n;
}

// rest as a whole is a decimal integer, a minus sign allowed; the command is its low 16
// bits, as the host's 16-bit result carries it.
bool DecimalCommand(const std::string& rest, int16_t& command) {
  if (rest.find_first_of("0123456789") == std::string::npos ||
      rest.find_first_not_of("-0123456789") != std::string::npos)
    return false;
  char* end = nullptr;
  long n = std::strtol(rest.c_str(), &end, 10);
  if (*end) return false;
  command = static_cast<int16_t>(n);
  return true;
}

DialogAction ParseAction(const std::string& action) {
  DialogAction a{DialogActionKind::Invalid, action, "", 0, ""};
  std::string word = action.substr(0, action.find(' '));
  std::string rest = action.size() > word.size() ? action.substr(word.size() + 1) : std::string();
  struct Bare {
    const char* word;
    DialogActionKind kind;
  };
  static constexpr Bare Bares[] = {{"tick", DialogActionKind::Tick},       {"clear", DialogActionKind::Clear},
                                   {"F12", DialogActionKind::PressF12},    {"F3", DialogActionKind::PressF3},
                                   {"leave", DialogActionKind::Leave}};
  if (word == "type") {
    a.kind = DialogActionKind::Type;
    a.text = Utf8ToMazovia(rest);
  } else if (word == "choose" && Utf8Length(rest) == 1) {
    a.kind = DialogActionKind::Choose;
    a.text = Utf8ToMazovia(rest);
  } else if (word == "choose") {
    a.error = "\"" + action + "\": choose takes one letter, the radio button's hot key";
  } else if (word == "answer" && DecimalCommand(rest, a.command)) {
    a.kind = DialogActionKind::Answer;
  } else {
    for (const Bare& b : Bares)
      if (word == b.word && rest.empty()) a.kind = b.kind;
  }
  if (a.kind == DialogActionKind::Invalid && a.error.empty())
    a.error = "\"" + action + "\" is no dialog action; expected type TEXT, choose LETTER, tick, clear, F12, F3, "
              "leave or answer N";
  return a;
}

}  // namespace

std::vector<DialogAction> ParseDialogActions(const std::string& utf8) {
  std::vector<DialogAction> actions;
  for (const std::string& part : SplitText(utf8, ';')) {
    std::string action = Trimmed(part, " ");
    if (!action.empty()) actions.push_back(ParseAction(action));
  }
  return actions;
}

}  // namespace hostsim
