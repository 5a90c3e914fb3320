// DelayLoadHook: where the lazy import mechanism asks before it loads a module or
// looks a function up. Returning 0 lets the mechanism carry on in its own way.
#include <cstdio>
#include <cstring>

#include "frame/bridging/delay_load.h"
#include "frame/lifecycle/lifecycle.h"
#include "frame/runtime/runtime.h"

static const char EmulationModule[] = "EMU32.dll";

// Notification 1: the emulation module is looked for in the system module. Only the
// exact name counts; any other spelling is loaded under its own name.
static FARPROC PreLoadLibrary(const DelayLoadInfo* info) {
  if (std::strcmp(info->szDll, EmulationModule) != 0) return nullptr;
  return reinterpret_cast<FARPROC>(LoadLibraryA("KERNEL32.dll"));
}

// A function of the emulation module: from the system module, then from the host
// program's own exports, then from the host. Found nowhere: says so in a box and
// returns 0, so the mechanism raises its procedure-not-found exception.
static FARPROC FindEmulatedFunction(const DelayLoadInfo* info) {
  const char* name = info->dlp.szProcName;
  if (FARPROC function = GetProcAddress(info->hmodCur, name)) return function;
  if (FARPROC function = GetProcAddress(GetModuleHandleA(nullptr), name)) return function;
  if (hostCallback) {
    if (uint32_t address = hostCallback(2, reinterpret_cast<uint32_t>(name)))
      return reinterpret_cast<FARPROC>(address);
  }
  char text[256];
  std::snprintf(text, sizeof text, "Nie znaleziono\n%s\nfrom %s", name, info->szDll);
  MessageBoxA(nullptr, text, "Blad wtyczki", MB_ICONINFORMATION);
  return nullptr;
}

// Notification 2: wsprintfA is the runtime's formatted print, MessageBoxA comes from
// the window system as it is, the emulation module's functions are searched for.
static FARPROC PreGetProcAddress(const DelayLoadInfo* info) {
  if (!info->dlp.fImportByName) return nullptr;
  if (std::strcmp(info->dlp.szProcName, "wsprintfA") == 0) return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&FormattedPrint));
  if (std::strcmp(info->dlp.szProcName, "MessageBoxA") == 0) return nullptr;
  if (std::strcmp(info->szDll, EmulationModule) != 0) return nullptr;
  return FindEmulatedFunction(info);
}

FARPROC WINAPI DelayLoadHook(unsigned notification, DelayLoadInfo* info) {
  if (notification == dliNotePreLoadLibrary) return PreLoadLibrary(info);
  if (notification == dliNotePreGetProcAddress) return PreGetProcAddress(info);
  return nullptr;
}
