// Bringing the whole stand-in back to its starting state, and configuring it from
// the answers file.
#pragma once

namespace hostsim {

// Every area's state as at program start: transcript, answers, settings calls,
// messages, menu, configured services, data folder "." (the settings file stays).
// Tests call this first; the program calls it before loading its answers file.
void ResetHostSim();

// Lets every area read its keys from the answers loaded (after LoadAnswers).
void ApplyAnswers();

}  // namespace hostsim
