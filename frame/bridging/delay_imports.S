// The lazy imports: for each module of frame/bridging/lazy_modules.h the standard delay-import
// descriptor, module-handle cell, slot table (IAT) and name table (INT), and one
// loader per function, all expanded from frame/bridging/lazy_modules.h and
// frame/bridging/system_imports.h.
//
// Everything lives in the section .didat, which starts with the descriptors; the
// post-link step (patch_delay_directory) points data directory 13 of the built
// library at them. A slot is the cell `__imp__<name>@<bytes>` that the compiler calls
// a dllimport function through; it first holds the function's loader, and the common
// stub (bind_and_enter.inc) has ResolveDelayImport (delay_load.cpp) replace that with
// the function's address.
#include "frame/binding/bind_and_enter.inc"

// DESCRIPTOR module: one ImgDelayDescr, its addresses as RVAs.
.macro DESCRIPTOR module
delay_descriptor_\module:
        .long   1                       // grAttrs: dlattrRva, the fields are RVAs
        .rva    delay_dll_\module       // rvaDLLName
        .rva    delay_module_\module    // rvaHmod: the module handle, 0 until loaded
        .rva    delay_iat_\module       // rvaIAT: the slots
        .rva    delay_int_\module       // rvaINT: the names, slot by slot
        .long   0                       // rvaBoundIAT
        .long   0                       // rvaUnloadIAT
        .long   0                       // dwTimeStamp
.endm

// SLOT name, arguments, module: the slot, the function's loader and a plain entry
// `_<name>@<bytes>` for callers that do not use dllimport.
.macro SLOT_SYMBOL name, symbol, module
        .section .didat, "dw"
        .globl  __imp__\symbol
__imp__\symbol:
        .long   delay_loader_\name
        .text
        .globl  _\symbol
        LAZY_ENTRY _\symbol, delay_loader_\name, __imp__\symbol, delay_descriptor_\module, DelayLoadCommon
.endm
.macro SLOT_BYTES name, bytes, module
        SLOT_SYMBOL \name, \name\()@\bytes, \module
.endm
.macro SLOT name, arguments, module
  .if \arguments < 0
        SLOT_SYMBOL \name, \name, \module  // variadic: cdecl, undecorated
  .else
        .altmacro                       // %(expr): the byte count as digits
        SLOT_BYTES \name, %(4*(\arguments)), \module
        .noaltmacro
  .endif
.endm

// NAME name: the function's entry in the name table, and its hint/name record.
.macro NAME name
        .section .didat, "dw"
        .rva    delay_hint_\name
        .section .rdata, "dr"
        .p2align 1
delay_hint_\name:
        .short  0                       // hint: none
        .asciz  "\name"
.endm

// IMPORT_ROW part, module, row_module, name, arguments: one row of system_imports.h
// as part SLOTS (its slot and loader) or NAMES (its name) of module's tables; a row of
// another module gives nothing.
.macro IMPORT_ROW part, module, row_module, name, arguments
  .ifc \module, \row_module
    .ifc \part, SLOTS
        SLOT \name, \arguments, \module
    .else
        NAME \name
    .endif
  .endif
.endm

// ROWS part, tag: every row of system_imports.h through IMPORT_ROW for the module
// `tag` (not called `module`, the name the rows' macros give their own column). The
// preprocessor pastes the list into the macro's body, so each expansion walks all of it.
#define SYSTEM_WRAPPED(name, module, arguments) IMPORT_ROW \part, \tag, module, name, arguments;
#define SYSTEM_IMPORT(name, module, arguments) IMPORT_ROW \part, \tag, module, name, arguments;
.macro ROWS part, tag
#include "frame/bridging/system_imports.h"
.endm
#undef SYSTEM_WRAPPED
#undef SYSTEM_IMPORT

// MODULE_TABLES module, file: the module's handle cell, slot table and name table (each
// table ends in a zero entry), and its file name.
.macro MODULE_TABLES module, file
        .section .didat, "dw"
        .p2align 2
delay_module_\module:
        .long   0
delay_iat_\module:
        ROWS    SLOTS, \module
        .section .didat, "dw"
        .long   0
delay_int_\module:
        ROWS    NAMES, \module
        .section .didat, "dw"
        .long   0
        .section .rdata, "dr"
delay_dll_\module:
        .asciz  "\file"
.endm

// ';' ends a statement, so the rows expand to one macro call each.
        .section .didat, "dw"
        .p2align 2
delay_descriptors:
#define LAZY_MODULE(module, file) DESCRIPTOR module;
#include "frame/bridging/lazy_modules.h"
#undef LAZY_MODULE
        .fill   8, 4, 0                 // the terminating descriptor

#define LAZY_MODULE(module, file) MODULE_TABLES module, file;
#include "frame/bridging/lazy_modules.h"
#undef LAZY_MODULE

// Binds one slot with ResolveDelayImport, the word being the module's descriptor, and
// enters the function as if the caller had called it directly.
        BIND_AND_ENTER DelayLoadCommon, _ResolveDelayImport
