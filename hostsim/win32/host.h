// The stand-in's loader (Win32 only): loads a plug-in DLL, finds its entry by
// ordinal, and makes every call into it inside a structured-exception frame, so a
// fault is described instead of ending the program.
#pragma once
#include <cstdint>

#include "host/services.h"
#include "hostsim/services/host_state.h"

namespace hostsim {

// What one guarded call into the plug-in came to. completed: it returned, with
// result. Otherwise exceptionCode/exceptionAddress describe the structured exception
// that left it (0 and 0: there was nothing to call), and for an SE_Exception
// (0xE0534500) innerCode/innerAddress the original exception it carries and innerInfo
// its second parameter (the plug-in's EXCEPTION_POINTERS to its copies).
struct CallOutcome {
  bool completed;
  int32_t result;
  uint32_t exceptionCode;
  uint32_t innerCode;
  uint32_t innerAddress;
  uint32_t exceptionAddress;
  uint32_t innerInfo;
};

inline constexpr uint32_t SeExceptionCode = 0xE0534500;
inline constexpr uint16_t PluginEntryOrdinal = 30001;

// The callback the stand-in hands to the plug-in: kind 1 capabilityBits, kind 2 the
// service of an ordinal (below 65536; ServiceAddress) or the function of a name
// (namedFunctions); 0 for anything else. Every call lands in callbackCalls.
uint32_t HOST_CDECL Callback(uint32_t kind, uint32_t value);

// LoadLibrary (path in UTF-8) and the export of ordinal 30001; false (nothing loaded)
// when either fails. The plug-in then has the platform's file functions that read
// names in Mazovia (HandMazoviaFileFunctions).
bool LoadPluginLibrary(const char* path);
// PluginEntry(Callback, nameBuffer).
CallOutcome LoadCall(char* nameBuffer);
// PluginEntry(null, null).
CallOutcome UnloadCall();
// Calls the handler of the command registered in the menu "Inne"; not completed with
// exceptionCode 0 when there is no such command.
CallOutcome ChooseMenuCommand(uint16_t command);
// Any function of the plug-in without arguments and result, guarded.
CallOutcome CallPluginFunction(void (*function)(void));
// FreeLibrary; the detach routine runs.
void FreePluginLibrary();

// The loaded plug-in's module handle, null when none; whether an address lies inside
// its image.
void* PluginModule();
bool InPluginImage(uint32_t address);

}  // namespace hostsim
