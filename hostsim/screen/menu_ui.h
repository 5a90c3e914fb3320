// The menu "Inne" at the console: the host's menu bar with "Inne" open, its commands
// listed below it, as a text-mode host shows its menus.
#pragma once
#include <string>
#include <vector>

#include "hostsim/screen/keys.h"

namespace hostsim {

// Shows the commands' titles (Mazovia, a hot key between tildes) under "Inne" and lets
// the person choose: Up, Down, Home and End move, Enter chooses the one at focus, a
// hot key letter (either case) chooses its command, Esc leaves the menu. Returns the
// index of the command chosen, or -1 after Esc (an empty menu gives only -1).
int WorkMenu(const std::vector<std::string>& titles, Console& console);

}  // namespace hostsim
