// Which system the host runs on, decided once at attach.
#pragma once
#include <cstdint>

#include <windows.h>

// The environment for a system module and the system's version word: 2 when the
// module exports "Borland32" (the DOS extender's marker), else 1 when the version
// word has its highest bit set, else 0. A null module (none found) has no marker:
// it is not handed to GetProcAddress, which would search the program instead.
// Calls only GetProcAddress, so it may run at attach, before the C runtime starts.
int32_t DetectEnvironment(HMODULE systemModule, uint32_t versionWord);
