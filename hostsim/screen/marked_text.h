// Host texts with marked spans on the stand-in's screen: a hot key between tildes
// ("~P~lik"), a highlighted span 0x02 ... 0x01 and a button's key name 0x05 ... 0x01.
#pragma once
#include <cstdint>
#include <string_view>

#include "hostsim/screen/screen.h"

namespace hostsim {

// Writes the Mazovia text from (x, y), at most width cells of it: the marks take no
// cell, the marked characters get hotAttr, the others attr. A tilde without its
// partner is shown as it is. Returns the cells written.
int PutMarkedText(Screen& s, int x, int y, int width, std::string_view mazovia, uint16_t attr, uint16_t hotAttr);

}  // namespace hostsim
