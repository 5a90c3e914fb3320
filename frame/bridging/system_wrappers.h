// The register-preserving wrappers in front of the plug-in's system imports, and
// the table that says where each wrapped function's slot is (system_imports.h).
#pragma once
#include <cstdint>

// Index of every wrapped function in SystemEntryTable and SystemCallWrappers.
enum SystemWrapperIndex : int {
#define SYSTEM_WRAPPED(name, module, arguments) SystemWrapper##name,
#define SYSTEM_IMPORT(name, module, arguments)
#include "frame/bridging/system_imports.h"
#undef SYSTEM_WRAPPED
#undef SYSTEM_IMPORT
  SystemWrappedCount
};

extern "C" {
// As loaded: entry i holds the address of wrapped function i's slot, the entry after
// the last one is zero. Once installed: entry i holds what the slot held before.
extern void* SystemEntryTable[SystemWrappedCount + 1];
// Wrapper i: calls through entry i, keeps every register but EAX (system_wrappers.S).
extern void* const SystemCallWrappers[SystemWrappedCount];
extern const uint32_t SystemWrapperCount;
// 0 as loaded, 1 once InstallSystemWrappers has run.
extern uint8_t systemWrappersInstalled;

// Puts wrapper i into the slot of entry i, keeping the slot's function in the entry,
// then gives the slot of CreateProcessA to the host's process creation (52005).
// Runs once per process (the flag makes later calls do nothing); uses nothing of the
// C runtime, so the attach routine calls it before anything else.
void InstallSystemWrappers();
}
