// The replacement functions a missing host service can be bound to on Ignore. Each
// returns 0 (EAX, and EDX for a 64-bit result) and removes a fixed number of argument
// bytes: FallbackStub0 ... FallbackStub56, the one for a service whose caller removes
// the arguments being FallbackStub0. FallbackStubs[i] is the one removing 4*i bytes.
// The services of fallback_results.h get stubs that answer their own result instead.

#include "host/dialog.h"  // the commands some stubs answer

.macro FALLBACK_STUB bytes
        .text
        .globl  _FallbackStub\bytes
_FallbackStub\bytes:
        xorl    %eax, %eax              // 31 C0: result 0
        xorl    %edx, %edx              // 31 D2: high half of a 64-bit result
        ret     $\bytes                 // C2 imm16: return, removing the arguments
        .section .rdata
        .long   _FallbackStub\bytes
.endm

        .section .rdata
        .p2align 2
        .globl  _FallbackStubs
_FallbackStubs:
        .irp    bytes, 0, 4, 8, 12, 16, 20, 24, 28, 32, 36, 40, 44, 48, 52, 56
        FALLBACK_STUB \bytes
        .endr

// The same for a __cdecl service with a floating-point result, which the caller takes
// from the FPU stack: returns a quiet NaN there (and 0 in EAX), removes nothing. No
// number, rather than 0.0: a price rounded or converted to 0.0 by a missing service
// would be stored as a real price, one that is no number never is.
        .text
        .globl  _FallbackStubReal
_FallbackStubReal:
        pushl   $0x7FC00000             // 68 imm32: a quiet NaN as a float, on the stack
        flds    (%esp)                  // D9 04 24: push it onto the FPU stack, the result
        addl    $4, %esp                // 83 C4 04: drop the float
        xorl    %eax, %eax
        xorl    %edx, %edx
        ret

// FALLBACK_ANSWER ordinal, result: the stub of a service whose caller removes the
// arguments and for which 0 is no sound answer (fallback_results.h).
.macro FALLBACK_ANSWER ordinal, result
        .text
        .globl  _FallbackAnswerStub\ordinal
_FallbackAnswerStub\ordinal:
        movl    $\result, %eax          // B8 imm32: the result (AX for a 16-bit one)
        xorl    %edx, %edx              // 31 D2: high half of a 64-bit result
        ret                             // C3: the caller removes the arguments
.endm

// ';' ends a statement, so the rows expand to one macro call each.
#define FALLBACK_RESULT(ordinal, result) FALLBACK_ANSWER ordinal, result;
#include "frame/binding/fallback_results.h"
