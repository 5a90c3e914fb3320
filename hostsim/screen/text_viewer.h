// A text file shown at the console in a full-screen window that scrolls.
#pragma once
#include <string>
#include <string_view>

#include "hostsim/screen/keys.h"

namespace hostsim {

// Draws the text (Mazovia, lines ending in line feeds or CR LF, tabs every 8 columns) in a
// window over the whole screen, the title (Mazovia) in its top line, from line top and
// column left; its bottom line names the keys that move ("↑↓ PgUp PgDn Home End" at
// the left, "Esc wyjście" at the right) and tells "wiersz N z M" (the first line
// shown, the lines) between them.
void DrawTextFile(Screen& s, std::string_view title, std::string_view text, int top, int left);

// Shows the text until Esc: Up and Down move a line, PgUp and PgDn a window's lines,
// Home and End go to the first and the last window, Left and Right move a column.
void WorkTextFile(std::string_view title, std::string_view text, Console& console);

// Reads the file (Mazovia, CR LF or LF line ends) and shows it as WorkTextFile does,
// its name the title; a file that cannot be read shows "(brak pliku)".
void WorkTextFileNamed(const std::string& name, Console& console);

}  // namespace hostsim
