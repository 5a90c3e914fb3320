// The plug-in's entry points into the host: one per row of host_ordinals.h, each with
// its binder and its record (host_table.h). Each entry point is a single indirect jump
// through its slot. A slot starts out holding its entry's binder, so the first call
// binds the service and every later call goes straight to the host's function.
// The names of host/service_list.h are given to the entries of their ordinals.
#include "frame/host_table.h"

// SERVICE ordinal, named: one entry. named=1 also labels the entry point
// host_entry_<ordinal>, which the service names below refer to; a second entry of
// the same ordinal (HOST_SERVICE_AGAIN) gets no label.
.macro SERVICE ordinal, named
        .text
.if \named
host_entry_\ordinal:
.endif
service_entry_\@:
        jmp     *service_record_\@      // FF 25 m32: jump to the address in the slot
service_binder_\@:
        pushl   $service_record_\@      // 68 imm32: whose slot to fill
        pushl   $\ordinal               // 68 imm32: which service to ask for
        jmp     ServiceBinderCommon     // E9 rel32
        .data
service_record_\@:                      // a HostServiceEntry
        .long   service_binder_\@       // slot
        .long   \ordinal                // ordinal
        .long   service_entry_\@        // entryPoint
        .long   service_binder_\@       // binder
        .long   0                       // dead
        .text
.endm

// SERVICE_RUN first, last: one entry per ordinal. altmacro's %expr hands SERVICE the
// counter's current value as digits, so each entry gets its own number and label.
.macro SERVICE_RUN first, last
        .altmacro
        .set    service_run_ordinal, \first
        .rept   \last - \first + 1
        SERVICE %service_run_ordinal, 1
        .set    service_run_ordinal, service_run_ordinal + 1
        .endr
        .noaltmacro
.endm

// SERVICE_NAME symbol, ordinal: the C name of a service is its entry's entry point.
// An ordinal that host_ordinals.h lacks leaves host_entry_<ordinal> undefined and the
// build fails.
.macro SERVICE_NAME symbol, ordinal
        .globl  \symbol
        .set    \symbol, host_entry_\ordinal
.endm

        .data
        .p2align 2
        .globl  _HostServiceTable
_HostServiceTable:

// ';' ends a statement, so several rows of the list may share a line.
#define HOST_SERVICE_RUN(first, last) SERVICE_RUN first, last;
#define HOST_SERVICE_ONE(ordinal) SERVICE ordinal, 1;
#define HOST_SERVICE_AGAIN(ordinal) SERVICE ordinal, 0;
#include "frame/host_ordinals.h"

        .data
        .globl  _HostServiceTableEnd
_HostServiceTableEnd:

#define HOST_SERVICE(ordinal, name, result, parameters) SERVICE_NAME _##name, ordinal
#define HOST_SERVICE_STDCALL(ordinal, name, result, parameters) SERVICE_NAME _##name@40, ordinal
#include "host/service_list.h"

// Binds one slot and enters the service as if the caller had called it directly.
// In:  [esp] ordinal, [esp+4] record (its first field is the slot), [esp+8] the
// caller's return address, above it the caller's arguments.
// Saves and restores EAX, ECX, EDX, EBX, ESI, EDI, EBP and the flags around the call
// of ResolveHostService (which gets a 16-byte aligned stack and a clear direction
// flag), then "returns" into the bound service with the caller's stack exactly as it
// was at the caller's call. The CFI lets an unwinder walk through it.
        .text
        .p2align 4
ServiceBinderCommon:
        .cfi_startproc
        .cfi_def_cfa_offset 12          // ordinal, record, then the return address
        pushfl                          // flags at esp+32 after pushal
        .cfi_adjust_cfa_offset 4
        pushal                          // edi esi ebp esp ebx edx ecx eax at esp+0..31
        .cfi_adjust_cfa_offset 32
        .cfi_offset %edi, -48
        .cfi_offset %esi, -44
        .cfi_offset %ebp, -40
        .cfi_offset %ebx, -32
        cld                             // C code expects the direction flag clear
        movl    %esp, %ebx              // ebx survives the call: the saved frame
        .cfi_def_cfa_register %ebx
        andl    $-16, %esp              // align for the C++ code
        subl    $8, %esp
        pushl   40(%ebx)                // record, i.e. the slot's address
        pushl   36(%ebx)                // ordinal
        call    _ResolveHostService     // may not return (a dead service raises)
        movl    %ebx, %esp
        .cfi_def_cfa_register %esp
        movl    40(%esp), %eax          // slot address
        movl    (%eax), %eax            // what the slot now holds
        movl    %eax, 40(%esp)          // becomes the address that ret jumps to
        popal
        .cfi_adjust_cfa_offset -32
        .cfi_restore %edi
        .cfi_restore %esi
        .cfi_restore %ebp
        .cfi_restore %ebx
        popfl
        .cfi_adjust_cfa_offset -4
        leal    4(%esp), %esp           // drop the ordinal; lea keeps the flags
        .cfi_adjust_cfa_offset -4
        ret                             // into the service; caller's return on top
        .cfi_endproc
