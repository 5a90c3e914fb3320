// Calling a function with every general register and the flags set to known marks,
// and reading them back after it returned (register_call.S).
#pragma once
#include <cstdint>

extern "C" {
struct RegisterState {
  uint32_t eax, ebx, ecx, edx, esi, edi, ebp, esp, flags;
};

// The marks loaded before the call; eax is the mark a function that sets no result
// would leave. flags: CF PF AF ZF SF OF set, DF clear.
extern const RegisterState registerMarks;
// ESP at the call (the arguments pushed) and every register right after the return.
extern RegisterState registersBefore;
extern RegisterState registersAfter;

// Pushes `count` arguments (arguments[0] last, so it ends up first), loads the marks,
// calls `target` and records the registers. The target is expected to remove its
// arguments (stdcall); the caller's own registers are restored either way.
void CallWithMarks(const void* target, const uint32_t* arguments, uint32_t count);

// Fakes of a stdcall system function of n = 0..10 arguments (FakeSystemFunctions[n]):
// each copies its arguments into fakeArguments, counts the call, changes EBX ECX EDX
// ESI EDI EBP and the flags, returns FakeResult + n in EAX and removes 4n bytes.
extern const void* const FakeSystemFunctions[11];
extern uint32_t fakeArguments[10];
extern uint32_t fakeCalls;
}

inline constexpr uint32_t FakeResult = 0x600D0000;
inline constexpr uint32_t FlagsChecked = 0x8D5 | 0x400;  // CF PF AF ZF SF OF, and DF
