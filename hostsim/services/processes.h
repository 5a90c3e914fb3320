// The stand-in's process creation (host service 52005): records what it was asked.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

namespace hostsim {

// The ten arguments of one createProcess call, as raw values in call order
// (application, command line, process and thread attributes, inherit flag, creation
// flags, environment, current directory, startup info, process information).
using ProcessRequest = std::array<uintptr_t, 10>;

extern std::vector<ProcessRequest> processRequests;  // every call, in order
extern int32_t processResult;                        // what each call returns; 0 after reset

void ResetProcesses();

}  // namespace hostsim
