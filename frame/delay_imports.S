// The lazy imports: for "EMU32.dll" and "USER32.dll" the standard delay-import
// descriptors, module-handle cells, slot tables (IAT) and name tables (INT), and
// one loader per function, all expanded from frame/system_imports.h.
//
// Everything lives in the section .didat, which starts with the descriptors; the
// post-link step (patch_delay_directory) points data directory 13 of the built
// library at them. A slot is the cell `__imp__<name>@<bytes>` that the compiler calls
// a dllimport function through; it first holds the function's loader, and
// ResolveDelayImport (delay_load.cpp) replaces that with the function's address.

        .section .didat, "dw"
        .p2align 2
// DESCRIPTOR tag: one ImgDelayDescr, its addresses as RVAs.
.macro DESCRIPTOR tag
delay_descriptor_\tag:
        .long   1                       // grAttrs: dlattrRva, the fields are RVAs
        .rva    delay_dll_\tag          // rvaDLLName
        .rva    delay_module_\tag       // rvaHmod: the module handle, 0 until loaded
        .rva    delay_iat_\tag          // rvaIAT: the slots
        .rva    delay_int_\tag          // rvaINT: the names, slot by slot
        .long   0                       // rvaBoundIAT
        .long   0                       // rvaUnloadIAT
        .long   0                       // dwTimeStamp
.endm
delay_descriptors:
        DESCRIPTOR emu32
        DESCRIPTOR user32
        .fill   8, 4, 0                 // the terminating descriptor

// SLOT name, arguments, tag: the slot, the function's loader and a plain entry
// `_<name>@<bytes>` for callers that do not use dllimport.
.macro SLOT_SYMBOL name, symbol, tag
        .section .didat, "dw"
        .globl  __imp__\symbol
__imp__\symbol:
        .long   delay_loader_\name
        .text
        .globl  _\symbol
_\symbol:
        jmp     *__imp__\symbol         // FF 25 m32: through the slot
delay_loader_\name:
        pushl   $__imp__\symbol         // 68 imm32: the slot to fill
        pushl   $delay_descriptor_\tag  // 68 imm32: the module it belongs to
        jmp     DelayLoadCommon         // E9 rel32
.endm
.macro SLOT_BYTES name, bytes, tag
        SLOT_SYMBOL \name, \name\()@\bytes, \tag
.endm
.macro SLOT name, arguments, tag
  .if \arguments < 0
        SLOT_SYMBOL \name, \name, \tag  // variadic: cdecl, undecorated
  .else
        .altmacro                       // %(expr): the byte count as digits
        SLOT_BYTES \name, %(4*(\arguments)), \tag
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

#define SYSTEM_WRAPPED(name, module, arguments) IN_##module(name, arguments)
#define SYSTEM_IMPORT(name, module, arguments) IN_##module(name, arguments)
#define IN_KERNEL32(name, arguments)
#define IN_ILOCK(name, arguments)

// "EMU32.dll"
#define IN_USER32(name, arguments)
#define IN_EMU32(name, arguments) SLOT name, arguments, emu32
        .section .didat, "dw"
        .p2align 2
delay_module_emu32:
        .long   0
delay_iat_emu32:
#include "frame/system_imports.h"
        .section .didat, "dw"
        .long   0
delay_int_emu32:
#undef IN_EMU32
#define IN_EMU32(name, arguments) NAME name
#include "frame/system_imports.h"
        .section .didat, "dw"
        .long   0
#undef IN_EMU32
#define IN_EMU32(name, arguments)

// "USER32.dll"
#undef IN_USER32
#define IN_USER32(name, arguments) SLOT name, arguments, user32
delay_module_user32:
        .long   0
delay_iat_user32:
#include "frame/system_imports.h"
        .section .didat, "dw"
        .long   0
delay_int_user32:
#undef IN_USER32
#define IN_USER32(name, arguments) NAME name
#include "frame/system_imports.h"
        .section .didat, "dw"
        .long   0

        .section .rdata, "dr"
delay_dll_emu32:
        .asciz  "EMU32.dll"
delay_dll_user32:
        .asciz  "USER32.dll"

// Binds one slot and enters its function as if the caller had called it directly.
// In:  [esp] descriptor, [esp+4] slot, [esp+8] the caller's return address.
// Saves and restores every general register and the flags around the call of
// ResolveDelayImport (which may raise the delay-load exceptions instead of
// returning), then "returns" into the function with the caller's stack as it was.
        .text
        .p2align 4
DelayLoadCommon:
        pushfl                          // flags       at esp+32 after pushal
        pushal                          // 8 registers at esp+0..31
        pushl   40(%esp)                // slot
        pushl   40(%esp)                // descriptor (esp moved by 4)
        call    _ResolveDelayImport     // cdecl; EAX = the function's address
        addl    $8, %esp
        movl    %eax, 40(%esp)          // the slot argument becomes the address ret jumps to
        popal
        popfl
        leal    4(%esp), %esp           // drop the descriptor; lea keeps the flags
        ret                             // into the function; caller's return on top
