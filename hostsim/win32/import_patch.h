// Replacing a loaded module's imported function from the outside, as a debugger or a
// host would: the module's own code is not changed, only the import slot it calls
// through. Tests use it to answer the system's message box for the plug-in.
#pragma once
#include <windows.h>

namespace hostsim {

// Finds the slot through which `module` calls `function` of `dll` (names compared
// without regard to case), in the import directory or else the delay-import directory,
// and stores `replacement` there. Returns the slot's previous content, or null when
// the module imports no such function by name (nothing is changed then).
void* PatchImport(HMODULE module, const char* dll, const char* function, void* replacement);

}  // namespace hostsim
