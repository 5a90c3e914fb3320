// Replacing a loaded module's imported function from the outside, as a debugger or a
// host would: the module's own code is not changed, only the import slot it calls
// through, or every cell that holds the function the loader bound. The stand-in
// answers the plug-in's message box and hands it its file functions this way.
#pragma once
#include <windows.h>

namespace hostsim {

// Finds the slot through which `module` calls `function` of `dll` (names compared
// without regard to case), in the import directory or else the delay-import directory,
// and stores `replacement` there. Returns the slot's previous content, or null when
// the module imports no such function by name (nothing is changed then).
void* PatchImport(HMODULE module, const char* dll, const char* function, void* replacement);

// Stores `replacement` in every pointer-sized cell of the module's writable sections
// that holds `bound`: its import slot of that function, and any cell of its own into
// which it copied the slot (as the plug-in's register-preserving wrappers do at
// attach), so the module reaches the replacement whichever way it calls. Returns the
// number of cells changed (0: the module holds no such address).
int RebindFunction(HMODULE module, const void* bound, void* replacement);

}  // namespace hostsim
