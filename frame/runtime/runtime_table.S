// RuntimeEntries: the address of every entry point of runtime_entries.h, in its
// order, then a zero. Nothing reads it; referencing each name makes the link fail
// when a listed entry is missing, and keeps the list and the folder in step.
#define RUNTIME_ENTRY(name, group) .long _##name

        .section .rdata, "dr"
        .p2align 2
        .globl  _RuntimeEntries
_RuntimeEntries:
#include "frame/runtime/runtime_entries.h"
        .long   0
