// The library's attach and detach routine: the DLL's entry point. It runs before the
// C runtime is started, so it calls nothing of the runtime and needs no constructor.
#include <windows.h>

#include "frame/lifecycle.h"

// mingw's own DLL start-up routine: starts the runtime, then calls DllMain.
extern "C" BOOL WINAPI DllMainCRTStartup(HINSTANCE, DWORD, LPVOID);

HostCallback hostCallback;
AttachArguments attachArguments;
int32_t environment;
int32_t underWindows;
static bool runtimeStarted;

void StartRuntime() {
  DllMainCRTStartup(static_cast<HINSTANCE>(attachArguments.module), DLL_PROCESS_ATTACH,
                    attachArguments.reserved);
  runtimeStarted = true;
}

extern "C" BOOL WINAPI PluginAttach(HINSTANCE module, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    HMODULE system = GetModuleHandleA("kernel32.dll");
    environment = GetProcAddress(system, "Borland32") ? 2 : ((GetVersion() & 0x80000000u) ? 1 : 0);
    underWindows = environment != 2;
    using Disable = BOOL(WINAPI*)(HMODULE);
    if (auto disable = reinterpret_cast<Disable>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("Kernel32"), "DisableThreadLibraryCalls"))))
      disable(module);
    attachArguments = {module, reason, reserved};
    return TRUE;
  }
  if (!runtimeStarted) return TRUE;
  return DllMainCRTStartup(module, reason, reserved);
}
