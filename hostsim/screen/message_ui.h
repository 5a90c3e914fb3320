// Messages and message boxes at the console: a framed box with a title and the
// message's lines, and for a system message box its buttons.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "hostsim/screen/keys.h"

namespace hostsim {

// One button of a system message box: its label, the letter that presses it (0: none)
// and the answer it gives (the system's IDOK = 1, IDCANCEL = 2, IDABORT = 3, ...).
struct BoxButton {
  std::u16string_view label;
  char hotKey;
  int answer;
};

// The buttons a system message box shows for its flags (the low four bits choose the
// set, as the system does; an unknown set shows OK alone).
std::vector<BoxButton> BoxButtons(unsigned flags);

// Draws the message (Mazovia; line feeds end lines, highlight spans 0x02 ... 0x01 in
// yellow) in a box centred on a cleared screen, the title (Mazovia) in its top line;
// with buttons, a row of them below the text, the one at focus highlighted; keys, when
// given, centred in its bottom line.
void DrawMessage(Screen& s, std::string_view title, std::string_view text, const std::vector<BoxButton>& buttons,
                 int focus, std::u16string_view keys = {});

// Shows the message; with waitForKey, reads one key (any key goes on; the frame says
// "Enter dalej").
void WorkMessage(std::string_view title, std::string_view text, bool waitForKey, Console& console);

// Shows a system message box (caption and text Mazovia) and answers it: Left, Right,
// Tab and Shift-Tab move between the buttons, Enter presses the one at focus, a
// button's letter presses it, Esc presses Cancel (OK when it stands alone; nothing
// otherwise). The focus starts at the default button of the flags (bits 8 to 11).
// The frame names the keys: "←→ przycisk" (with more than one button), "Enter wybiera"
// and what Esc does, "Esc anuluje" or "Esc zamyka". Returns the answer of the button
// pressed.
int WorkBox(std::string_view caption, std::string_view text, unsigned flags, Console& console);

}  // namespace hostsim
