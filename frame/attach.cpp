// The library's attach and detach routine: the DLL's entry point. It runs before the
// C runtime is started, so it calls nothing of the runtime (only KERNEL32) and needs
// no constructor.
#include <windows.h>

#include "frame/lifecycle.h"

// mingw's own DLL start-up routine: starts the runtime, then calls DllMain; with
// DLL_PROCESS_DETACH it shuts the runtime down.
extern "C" BOOL WINAPI DllMainCRTStartup(HINSTANCE, DWORD, LPVOID);

HostCallback hostCallback;
AttachArguments attachArguments;
int32_t environment;
int32_t underWindows;
static bool runtimeStarted;

// Starting mingw's runtime a second time would count a second attach that no detach
// balances, so later load calls find it running and leave it alone.
void StartRuntime() {
  if (runtimeStarted) return;
  runtimeStarted = true;
  DllMainCRTStartup(static_cast<HINSTANCE>(attachArguments.module), DLL_PROCESS_ATTACH,
                    attachArguments.reserved);
}

// Attach (reason 1): bridging, environment, no thread notifications, arguments kept.
// Detach and thread notifications go to the runtime, and only once it was started.
extern "C" BOOL WINAPI PluginAttach(HINSTANCE module, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    // Install the system-call bridging here, before anything else (nothing to install yet).

    HMODULE system = GetModuleHandleA("kernel32.dll");
    bool extender = system && GetProcAddress(system, "Borland32");
    environment = extender ? 2 : ((GetVersion() & 0x80000000u) ? 1 : 0);
    underWindows = environment != 2;
    using Disable = BOOL(WINAPI*)(HMODULE);
    HMODULE kernel = GetModuleHandleA("Kernel32");
    if (auto disable = kernel ? reinterpret_cast<Disable>(reinterpret_cast<void*>(
                                    GetProcAddress(kernel, "DisableThreadLibraryCalls")))
                              : nullptr)
      disable(module);
    attachArguments = {module, reason, reserved};
    return TRUE;
  }
  if (!runtimeStarted) return TRUE;
  BOOL result = DllMainCRTStartup(module, reason, reserved);
  if (reason == DLL_PROCESS_DETACH) runtimeStarted = false;
  return result;
}
