// The test's assembly caller and fakes (register_call.h).

        .data
        .p2align 2
        .globl  _registersBefore
_registersBefore:
        .fill   9, 4, 0
        .globl  _registersAfter
_registersAfter:
        .fill   9, 4, 0
        .globl  _fakeArguments
_fakeArguments:
        .fill   10, 4, 0
        .globl  _fakeCalls
_fakeCalls:
        .long   0
call_target:
        .long   0
saved_ebp:
        .long   0

// RegisterState: eax 0, ebx 4, ecx 8, edx 12, esi 16, edi 20, ebp 24, esp 28, flags 32
        .section .rdata, "dr"
        .p2align 2
        .globl  _registerMarks
_registerMarks:
        .long   0xA0A0A0A0, 0xB1B1B1B1, 0xC2C2C2C2, 0xD3D3D3D3
        .long   0xE4E4E4E4, 0xF5F5F5F5, 0x06060606, 0, 0x8D5

        .text
        .p2align 4
        .globl  _CallWithMarks
_CallWithMarks:
        pushl   %ebp
        movl    %esp, %ebp
        pushl   %ebx
        pushl   %esi
        pushl   %edi
        movl    8(%ebp), %eax
        movl    %eax, call_target
        movl    12(%ebp), %edx          // arguments
        movl    16(%ebp), %ecx          // count
1:      testl   %ecx, %ecx
        jz      2f
        pushl   -4(%edx,%ecx,4)         // the last argument first
        decl    %ecx
        jmp     1b
2:      movl    %ebp, saved_ebp
        pushl   _registerMarks+32
        popfl                           // the flag marks
        movl    _registerMarks+0, %eax  // mov changes no flag
        movl    _registerMarks+4, %ebx
        movl    _registerMarks+8, %ecx
        movl    _registerMarks+12, %edx
        movl    _registerMarks+16, %esi
        movl    _registerMarks+20, %edi
        movl    _registerMarks+24, %ebp
        movl    %esp, _registersBefore+28
        call    *call_target
        movl    %esp, _registersAfter+28
        movl    %eax, _registersAfter+0
        movl    %ebx, _registersAfter+4
        movl    %ecx, _registersAfter+8
        movl    %edx, _registersAfter+12
        movl    %esi, _registersAfter+16
        movl    %edi, _registersAfter+20
        movl    %ebp, _registersAfter+24
        pushfl
        popl    _registersAfter+32
        cld
        movl    saved_ebp, %ebp
        leal    -12(%ebp), %esp         // whatever the target left on the stack
        popl    %edi
        popl    %esi
        popl    %ebx
        popl    %ebp
        ret

.macro FAKE n
        .text
        .p2align 4
fake_\n:
        incl    _fakeCalls
        .set    k, 0
        .rept   \n
        movl    4+4*k(%esp), %eax
        movl    %eax, _fakeArguments+4*k
        .set    k, k+1
        .endr
        movl    $0x11111111, %ebx
        movl    $0x22222222, %ecx
        movl    $0x33333333, %edx
        movl    $0x44444444, %esi
        movl    $0x55555555, %edi
        movl    $0x66666666, %ebp
        xorl    %eax, %eax              // ZF PF set, CF SF OF AF clear: the marks changed
        movl    $0x600D0000+\n, %eax
  .if \n
        ret     $4*\n
  .else
        ret
  .endif
        .section .rdata, "dr"
        .long   fake_\n
.endm

        .section .rdata, "dr"
        .p2align 2
        .globl  _FakeSystemFunctions
_FakeSystemFunctions:
        .irp    n, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10
        FAKE    \n
        .endr
