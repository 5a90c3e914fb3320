// How often a console run asks the console while the plug-in works. Each question to
// a console (was a key pressed?) is a round trip to it, under Wine one to its server;
// the interruption check comes before every line of the price file. So the check reads
// a clock, and the console itself is asked at most once in ConsoleAskInterval.
#pragma once
#include <cstdint>

namespace hostsim {

// The shortest time between two questions to the console, in milliseconds.
inline constexpr int64_t ConsoleAskInterval = 50;

// Asks the console whether a key was pressed since the last question (taking the keys
// pressed); null: no console, no key stops.
extern bool (*consoleKeyPoll)();
// Milliseconds of a steady clock; tests set a fake one.
extern int64_t (*consoleClock)();

// The interruption check's keyboard (memory.h's keyPressed): true when the console,
// asked now, says a key was pressed. It is asked when ConsoleAskInterval has passed
// since the last question (the first check ever asks); other checks read the clock only
// and answer false.
bool PacedKeyPressed();

// No question asked yet, no console, the steady clock.
void ResetConsolePace();

}  // namespace hostsim
