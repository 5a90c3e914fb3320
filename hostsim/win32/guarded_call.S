// int32_t GuardedCall(int32_t (*body)(void*), void* context, GuardFault* fault)
//
// Calls body(context) inside a structured-exception frame. If a structured exception
// leaves body, the frame's handler notes it in *fault (GuardNoteFault), unwinds every
// frame below this one (RtlUnwind; the plug-in's handlers see the unwind), and
// resumes here as if body had returned 0. EBX, ESI, EDI and EBP are restored from
// this frame, so the caller's registers are intact either way.
//
// The registration record, at the lowest address of the frame:
//   +0 next record, +4 handler, +8 this frame's EBP, +12 fault
// With EBP known, the record lies at EBP-28 (3 saved registers and 4 fields).

        .text
        .p2align 4
        .globl  _GuardedCall
_GuardedCall:
        pushl   %ebp
        movl    %esp, %ebp
        pushl   %ebx
        pushl   %esi
        pushl   %edi
        pushl   16(%ebp)                // record.fault
        pushl   %ebp                    // record.ebp
        pushl   $GuardHandler           // record.handler
        pushl   %fs:0                   // record.next
        movl    %esp, %fs:0             // linked in as the innermost frame
        pushl   12(%ebp)
        call    *8(%ebp)                // body(context)
        addl    $4, %esp
guard_resume:
        popl    %fs:0                   // unlinked: head = record.next
        addl    $12, %esp
        popl    %edi
        popl    %esi
        popl    %ebx
        popl    %ebp
        ret

// EXCEPTION_DISPOSITION __cdecl GuardHandler(record, frame, context, dispatcher)
GuardHandler:
        movl    4(%esp), %eax           // the exception record
        testl   $6, 4(%eax)             // ExceptionFlags: unwinding or exit unwinding
        jnz     1f                      // then there is nothing to do here
        movl    8(%esp), %edx           // our registration record
        pushl   12(%edx)
        pushl   %eax
        call    _GuardNoteFault         // (record, fault), cdecl
        addl    $8, %esp
        movl    4(%esp), %eax
        movl    8(%esp), %edx
        pushl   $0                      // ReturnValue
        pushl   %eax                    // ExceptionRecord
        pushl   $0                      // TargetIp (unused on x86)
        pushl   %edx                    // TargetFrame: unwind everything below it
        call    _RtlUnwind@16           // returns here with our record the head
        movl    8(%esp), %edx
        movl    8(%edx), %ebp           // GuardedCall's frame
        leal    -28(%ebp), %esp         // its stack at the registration record
        xorl    %eax, %eax
        jmp     guard_resume
1:      movl    $1, %eax                // ExceptionContinueSearch
        ret
