// A caller and a host function for watching what a call through a service entry does
// to the machine state.
//
// ProbeCall(entry): loads probeLoad's registers and flags, pushes four arguments
// (0xA1A1A1A1 first, 0xD4D4D4D4 last), calls entry, and keeps what came back in
// probeAfter. It restores its own caller's registers and stack whatever the callee
// removed, and clears the direction flag before returning.
//
// ProbeService: the host's function. Keeps the registers and flags it is entered
// with, its ESP, return address and first four arguments in probeSeen, and returns
// 0x600DF00D (__cdecl, removes nothing).
//
// Register records (ProbeRegisters): eax ebx ecx edx esi edi ebp flags at 0..28;
// probeSeen adds esp, return address and arguments at 32..52; probeAfter adds the ESP
// just before the call at 32 and after it at 36.

        .data
        .p2align 2
        .globl  _probeLoad, _probeSeen, _probeAfter
_probeLoad:     .fill 8, 4, 0
_probeSeen:     .fill 14, 4, 0
_probeAfter:    .fill 10, 4, 0
probe_target:   .long 0
probe_saved_esp: .long 0

        .text
        .globl  _ProbeCall, _ProbeReturn, _ProbeService
_ProbeCall:
        pushl   %ebp
        pushl   %ebx
        pushl   %esi
        pushl   %edi
        movl    20(%esp), %eax
        movl    %eax, probe_target
        movl    %esp, probe_saved_esp
        pushl   $0xD4D4D4D4
        pushl   $0xC3C3C3C3
        pushl   $0xB2B2B2B2
        pushl   $0xA1A1A1A1
        movl    %esp, _probeAfter+32
        pushl   _probeLoad+28           // the flags to enter with
        popfl
        movl    _probeLoad+4, %ebx      // mov keeps the flags
        movl    _probeLoad+8, %ecx
        movl    _probeLoad+12, %edx
        movl    _probeLoad+16, %esi
        movl    _probeLoad+20, %edi
        movl    _probeLoad+24, %ebp
        movl    _probeLoad+0, %eax
        call    *probe_target
_ProbeReturn:
        movl    %esp, _probeAfter+36
        movl    %eax, _probeAfter+0
        movl    %ebx, _probeAfter+4
        movl    %ecx, _probeAfter+8
        movl    %edx, _probeAfter+12
        movl    %esi, _probeAfter+16
        movl    %edi, _probeAfter+20
        movl    %ebp, _probeAfter+24
        pushfl
        popl    _probeAfter+28
        cld
        movl    probe_saved_esp, %esp
        popl    %edi
        popl    %esi
        popl    %ebx
        popl    %ebp
        ret

_ProbeService:
        movl    %eax, _probeSeen+0
        movl    %ebx, _probeSeen+4
        movl    %ecx, _probeSeen+8
        movl    %edx, _probeSeen+12
        movl    %esi, _probeSeen+16
        movl    %edi, _probeSeen+20
        movl    %ebp, _probeSeen+24
        movl    %esp, _probeSeen+32
        pushfl
        popl    _probeSeen+28
        movl    0(%esp), %eax
        movl    %eax, _probeSeen+36
        movl    4(%esp), %eax
        movl    %eax, _probeSeen+40
        movl    8(%esp), %eax
        movl    %eax, _probeSeen+44
        movl    12(%esp), %eax
        movl    %eax, _probeSeen+48
        movl    16(%esp), %eax
        movl    %eax, _probeSeen+52
        movl    $0x600DF00D, %eax
        ret
