// A text file shown at the console in a full-screen window that scrolls.
#pragma once
#include <string_view>

#include "hostsim/screen/keys.h"

namespace hostsim {

// Draws the text (Mazovia, lines ending in line feeds, tabs every 8 columns) in a
// window over the whole screen, the title (Mazovia) in its top line, from line top and
// column left; its bottom line tells "wiersz N z M" (the first line shown, the lines).
void DrawTextFile(Screen& s, std::string_view title, std::string_view text, int top, int left);

// Shows the text until Esc: Up and Down move a line, PgUp and PgDn a window's lines,
// Home and End go to the first and the last window, Left and Right move a column.
void WorkTextFile(std::string_view title, std::string_view text, Console& console);

}  // namespace hostsim
