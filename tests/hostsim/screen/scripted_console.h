// A console for the screen tests: plays scripted keys, keeps every screen shown, and
// answers Esc once the keys run out.
#pragma once
#include <cstddef>
#include <vector>

#include "hostsim/screen/keys.h"
#include "hostsim/screen/screen.h"
#include "hostsim/services/console_questions.h"

namespace hostsim {

struct ScriptedConsole {
  std::vector<Key> keys;
  std::size_t next = 0;
  std::vector<Screen> screens;
  Console console{[this](const Screen& s) { screens.push_back(s); },
                  [this] { return next < keys.size() ? keys[next++] : Key{KeyEscape, 0x1B, false, false}; }};
  ScriptedConsole() = default;
  ScriptedConsole(const ScriptedConsole&) = delete;  // show and read point at this one
  // Plays these keys from the start, with no screen kept yet.
  void Restart(const std::vector<Key>& playing) {
    keys = playing;
    next = 0;
    screens.clear();
  }
};

}  // namespace hostsim
