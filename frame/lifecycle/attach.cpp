// The library's attach and detach routine: the DLL's entry point. It runs before the
// C runtime is started, so it calls nothing of the runtime and needs no constructor.
#include <windows.h>

#include "frame/bridging/environment.h"
#include "frame/lifecycle/lifecycle.h"
#include "frame/runtime/runtime.h"
#include "frame/bridging/system_wrappers.h"

HostCallback hostCallback;
AttachArguments attachArguments;
int32_t environment;
int32_t underWindows;
static bool runtimeStarted;
static OSVERSIONINFOA systemVersion;

void StartRuntime() {
  if (runtimeStarted) return;
  // The system's version, through the emulation module: its first call binds it.
  systemVersion.dwOSVersionInfoSize = sizeof systemVersion;
  GetVersionExA(&systemVersion);
  StartRuntimeLibrary();
  runtimeStarted = true;
}

// The DLL's entry point. Attach: installs the system wrappers, decides the environment,
// switches off thread notifications and keeps the arguments for StartRuntime; TRUE.
// Detach shuts the runtime down when a load call started it; thread notifications
// find nothing to do. Always TRUE.
extern "C" BOOL WINAPI PluginAttach(HINSTANCE module, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    InstallSystemWrappers();
    environment = DetectEnvironment(GetModuleHandleA("kernel32.dll"), GetVersion());
    underWindows = environment != 2;
    using Disable = BOOL(WINAPI*)(HMODULE);
    if (auto disable = reinterpret_cast<Disable>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("Kernel32"), "DisableThreadLibraryCalls"))))
      disable(module);
    attachArguments = {module, reason, reserved};
    return TRUE;
  }
  if (reason == DLL_PROCESS_DETACH && runtimeStarted) ShutDownRuntimeLibrary();
  return TRUE;
}
