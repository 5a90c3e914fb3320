// The stand-in's screen and keys on the Windows console (hostsim.exe only).
#pragma once
#include "hostsim/screen/keys.h"

namespace hostsim {

// Whether standard input is a console that a person can answer at.
bool InputIsConsole();

// The console that questions are asked at: each screen copied over the console
// window's top-left 80 x 25 cells, the rest of a larger window blanked, keys read from
// the console input. What the window
// showed before is saved at the first screen and put back by RestoreConsole.
Console& WindowsConsole();

// Who answers what the answers file leaves open: with batch, or when standard input
// is no console, nobody (the question's message goes to standard error and the
// program ends with exitCode); otherwise the person at the console, who then sees the
// messages, the text file shown and the system message boxes there as well.
void AnswerAtConsoleOrFail(bool batch, int exitCode);

// Puts back what the console window showed before the first screen since the last
// restore, and the cursor; nothing when no screen was shown.
void RestoreConsole();

}  // namespace hostsim
