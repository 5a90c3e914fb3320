// The host's services as the plug-in calls them: one C++ declaration per row of
// service_list.h. Inside the DLL each name is an entry point that binds the host's
// function on its first call; natively (tests) the names are the stand-in's own
// implementations, linked directly.
#pragma once
#include <cstdint>

#if defined(_WIN32) && defined(__i386__)
#define HOST_CDECL __cdecl
#define HOST_STDCALL __stdcall
#else
#define HOST_CDECL
#define HOST_STDCALL
#endif

struct MenuEntry;

// The host's entry into the plug-in's world: kind 1 gives capability bits, kind 2 the
// address of a service by ordinal (value below 65536) or of a function by name.
using HostCallback = uint32_t(HOST_CDECL*)(uint32_t kind, uint32_t value);

extern "C" {
#define HOST_SERVICE(ordinal, name, result, parameters) result HOST_CDECL name parameters;
#define HOST_SERVICE_STDCALL(ordinal, name, result, parameters) result HOST_STDCALL name parameters;
#include "service_list.h"
#undef HOST_SERVICE
#undef HOST_SERVICE_STDCALL
}
