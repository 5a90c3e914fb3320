// The plug-in's entries from the host. Each one puts a structured-exception frame
// (an EXCEPTION_REGISTRATION record on the stack, linked in at FS:[0]) around the
// C++ function that does the work, so that whatever structured exception happens
// during the host's call leaves the plug-in as an SE_Exception (se_exception.cpp).
// The frame is removed again on the normal return; after an exception the host's
// handler unwinds it away with RtlUnwind.

// GUARDED_ENTRY symbol, target, words: symbol is a __cdecl function of `words`
// 32-bit arguments that calls target with the same arguments inside the frame.
.macro GUARDED_ENTRY symbol, target, words
        .text
        .p2align 4
        .globl  \symbol
\symbol:
        pushl   %ebp                    // 55: frame pointer, to reach the arguments
        movl    %esp, %ebp              // 89 E5
        pushl   $_TranslateStructuredException  // 68 imm32: record.handler
        pushl   %fs:0                   // 64 FF 35 00000000: record.next = current head
        movl    %esp, %fs:0             // 64 89 25 00000000: our record becomes the head
        .set    guard_offset, 4+4*\words
        .rept   \words                  // copy the arguments, last one first
        pushl   guard_offset(%ebp)      // FF 75 disp8
        .set    guard_offset, guard_offset-4
        .endr
        call    \target                 // E8 rel32: result in EAX (and EDX)
        addl    $4*\words, %esp         // 83 C4 imm8: drop the copies
        popl    %fs:0                   // 64 8F 05 00000000: head = record.next
        addl    $4, %esp                // 83 C4 04: drop record.handler
        popl    %ebp                    // 5D
        ret                             // C3: the caller removes its arguments
.endm

// The one export: load call and unload call.
GUARDED_ENTRY _PluginEntry, _HandlePluginEntry, 2
// The menu command's handler as the host calls it.
GUARDED_ENTRY _RepricingCommandHandler, _RunRepricing, 0
