// Reading a loaded module's import and delay-import tables in memory, as the system
// loader and the lazy import mechanism left them.
#pragma once
#include <windows.h>

#include <delayimp.h>

// The slot through which `module` calls `function` of `dll` (module names compared
// without regard to case, function names exactly), from its import directory or its
// delay-import directory; null when there is no such import.
void** ImportSlot(HMODULE module, const char* dll, const char* function);
void** DelayImportSlot(HMODULE module, const char* dll, const char* function);

// The delay-import descriptor of `dll` in `module`, null when none.
ImgDelayDescr* DelayDescriptor(HMODULE module, const char* dll);

// The first byte of the code at `address`, to tell what a slot leads to: 0x9C (pushf)
// starts a wrapper, 0x68 (push imm32) a lazy import's loader, 0xFF (jmp m32) an entry
// point into the host.
unsigned char FirstCodeByte(const void* address);

// The cell through which a register-preserving wrapper calls its system function, read
// from the wrapper's code; null when `wrapper` is no such wrapper.
void** WrapperCell(void* wrapper);
