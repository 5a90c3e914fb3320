// The plug-in's entry points into the host: one per row of host/service_list.h.
// Each entry point is a single indirect jump through its slot. A slot starts out
// holding its entry's binder, so the first call binds the service and every later
// call goes straight to the host's function.

#define HOST_SERVICE(ordinal, name, result, parameters) SERVICE ordinal, _##name
#define HOST_SERVICE_STDCALL(ordinal, name, result, parameters) SERVICE ordinal, _##name@40

// SERVICE ordinal, symbol: the entry point, its binder and its slot.
.macro SERVICE ordinal, symbol
        .text
        .globl \symbol
\symbol:
        jmp     *service_slot_\@        // FF 25 m32: jump to the address in the slot
service_binder_\@:
        pushl   $service_slot_\@        // 68 imm32: which slot to fill
        pushl   $\ordinal               // 68 imm32: which service to ask for
        jmp     ServiceBinderCommon     // E9 rel32
        .data
        .p2align 2
service_slot_\@:
        .long   service_binder_\@
        .text
.endm

// Binds one slot and enters the service as if the caller had called it directly.
// In:  [esp] ordinal, [esp+4] slot address, [esp+8] the caller's return address.
// Saves and restores EAX, ECX, EDX, EBX, ESI, EDI, EBP and the flags around the call
// of ResolveHostService, then "returns" into the bound service with the caller's
// stack exactly as it was at the caller's call.
        .text
        .p2align 4
ServiceBinderCommon:
        pushfl                          // flags       at esp+32 after pushal
        pushal                          // 8 registers at esp+0..31
        pushl   40(%esp)                // slot
        pushl   40(%esp)                // ordinal (esp moved by 4)
        call    _ResolveHostService
        addl    $8, %esp
        movl    40(%esp), %eax          // slot address
        movl    (%eax), %eax            // what the slot now holds
        movl    %eax, 40(%esp)          // becomes the address that ret jumps to
        popal
        popfl
        leal    4(%esp), %esp           // drop the ordinal; lea keeps the flags
        ret                             // into the service; caller's return on top

#include "host/service_list.h"
