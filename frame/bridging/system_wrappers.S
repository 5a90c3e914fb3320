// SystemCallWrappers: one register-preserving wrapper per SYSTEM_WRAPPED row of
// frame/bridging/system_imports.h, in the rows' order, and the table of their addresses that
// InstallSystemWrappers puts into the slots. Wrapper i calls the function that entry i
// of SystemEntryTable holds once the wrappers are installed.

#define SYSTEM_WRAPPED(name, module, arguments) WRAPPER name, arguments
#define SYSTEM_IMPORT(name, module, arguments)

        .set    wrapper_index, 0

// WRAPPER name, arguments: SystemCallWrapper_<name>, called exactly like the system
// function (stdcall, `arguments` 32-bit words). Keeps every general register and the
// flags of the caller; only EAX changes, to the function's result.
// Frame after the two pushes: [esp] EDI ESI EBP ESP EBX EDX ECX EAX (pushal, EAX at
// esp+28), [esp+32] flags, [esp+36] return address, [esp+40] the caller's arguments.
// The last argument sits at esp+36+4n; pushing it moves the next one down to the same
// displacement, so n pushes of one operand copy all n arguments in order.
.macro WRAPPER name, arguments
        .text
        .p2align 4
SystemCallWrapper_\name:
        pushfl                                  // 9C: the caller's flags
        pushal                                  // 60: all eight general registers
        .rept \arguments
        pushl   36+4*\arguments(%esp)           // FF 74 24 d8: copy one argument
        .endr
        call    *_SystemEntryTable+4*wrapper_index  // FF 15 m32: the function; it removes the copies
        movl    %eax, 28(%esp)                  // 89 44 24 1C: result into the saved EAX
        popal                                   // 61: registers back, EAX = result
        popfl                                   // 9D
  .if \arguments
        ret     $4*\arguments                   // C2 imm16: remove the caller's arguments
  .else
        ret                                     // C3
  .endif
        .section .rdata, "dr"
        .long   SystemCallWrapper_\name
        .set    wrapper_index, wrapper_index + 1
.endm

        .section .rdata, "dr"
        .p2align 2
        .globl  _SystemCallWrappers
_SystemCallWrappers:
#include "frame/bridging/system_imports.h"

        .globl  _SystemWrapperCount
_SystemWrapperCount:
        .long   wrapper_index
