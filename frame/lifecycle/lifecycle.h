// Module-wide state of the plug-in frame (one instance per process).
#pragma once
#include <cstdint>

#include "host/services.h"

struct AttachArguments {
  void* module;
  uint32_t reason;
  void* reserved;
};

extern HostCallback hostCallback;       // stored by every load call; null before
extern AttachArguments attachArguments; // kept for the runtime start in the load call
extern int32_t environment;             // 2 DOS extender, 1 Windows with high version bit, 0 other
extern int32_t underWindows;            // 1 unless environment is 2

// Starts the C runtime (heap, stdio, static constructors) with the attach arguments;
// the first call only, later calls do nothing. The load call does this, the attach
// routine never does.
void StartRuntime();
