// What the stand-in answers through HostCallback, and what it was asked (portable
// part; the callback itself and the loader are in host.h, Win32 only).
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace hostsim {

// HostCallback kind 1 answers these bits (bit 0: the plug-in interface is
// supported). Default 1. Answers: "capability = N".
extern uint32_t capabilityBits;

// Every HostCallback call in order: kind, value (for a function name, the pointer).
extern std::vector<std::pair<uint32_t, uint32_t>> callbackCalls;
// Every function name asked for through kind 2, in order.
extern std::vector<std::string> callbackNames;

// Functions HostCallback kind 2 gives by name; a name not here gives 0.
extern std::map<std::string, void*> namedFunctions;

void ResetHostState();
void ApplyAnswersHostState();

}  // namespace hostsim
