// The lazy import mechanism: binds a slot of delay_imports.S at its first call.
#pragma once
#include <windows.h>

#include <delayimp.h>

extern "C" {
// Binds the slot `slot` of the module that `descriptor` describes: loads the module
// on its first use (notification 1, else LoadLibraryA under its own name; the handle
// is published with InterlockedExchange), looks the function up (notification 2,
// else GetProcAddress), stores it in the slot and returns it. Raises 0xC06D007E when
// the module cannot be loaded and 0xC06D007F when the function is found nowhere,
// with the DelayLoadInfo record as the exception's one parameter; the slot then keeps
// its loader. Called only by the loaders, with every register of the caller saved.
FARPROC ResolveDelayImport(const ImgDelayDescr* descriptor, FARPROC* slot);

// The mechanism's notification routine (delay_load_hook.cpp). Returns a module
// handle (notification 1), a function (notification 2), or 0: carry on as usual.
FARPROC WINAPI DelayLoadHook(unsigned notification, DelayLoadInfo* info);
}
