// SystemEntryTable as the library is loaded: the address of the slot of every
// SYSTEM_WRAPPED row of frame/bridging/system_imports.h, in the rows' order, then a zero entry.
// InstallSystemWrappers swaps each slot's content into its entry. A slot is the
// import cell `__imp__<name>@<bytes>`: the loader's import table for KERNEL32, the lazy
// import table (delay_imports.S) for EMU32. Referencing the cell makes the linker
// import the function.

#define SYSTEM_WRAPPED(name, module, arguments) SLOT_ADDRESS name, arguments

// lazily_bound_<module> is defined for each module of lazy_modules.h.
#define LAZY_MODULE(module, file) .set lazily_bound_##module, 1;
#include "frame/bridging/lazy_modules.h"
#undef LAZY_MODULE

// SLOT_ADDRESS name, arguments: .long __imp__<name>@<4*arguments>. The decorated
// name needs the byte count as text: altmacro's %(expr) turns it into digits.
.macro SLOT_ADDRESS_BYTES name, bytes
        .long   __imp__\name\()@\bytes
.endm
.macro SLOT_ADDRESS name, arguments
        .altmacro
        SLOT_ADDRESS_BYTES \name, %(4*(\arguments))
        .noaltmacro
.endm

// BOUND_IMPORT module, name, arguments: SLOT_ADDRESS for a function that the system
// loader binds, nothing for one of a lazily bound module.
.macro BOUND_IMPORT module, name, arguments
  .ifndef lazily_bound_\module
        SLOT_ADDRESS \name, \arguments
  .endif
.endm

        .data
        .p2align 2
        .globl  _SystemEntryTable
_SystemEntryTable:
#undef SYSTEM_IMPORT
#define SYSTEM_IMPORT(name, module, arguments)
#include "frame/bridging/system_imports.h"
        .long   0

// The loader-bound imports without a wrapper: the runtime and the lazy import
// mechanism call them through their cells directly; listing the cells here makes
// the linker import each of them whether or not some code calls it.
        .section .rdata, "dr"
        .p2align 2
system_bound_imports:
#undef SYSTEM_WRAPPED
#undef SYSTEM_IMPORT
#define SYSTEM_WRAPPED(name, module, arguments)
#define SYSTEM_IMPORT(name, module, arguments) BOUND_IMPORT module, name, arguments;
#include "frame/bridging/system_imports.h"
