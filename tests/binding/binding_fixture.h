// What the host service table's tests share: a host that counts HostCallback calls
// and answers them from a table, a message box answered from a script through the
// program's import slot, the assembly probe, and a runner for calls that must raise.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "frame/binding/host_table.h"
#include "frame/lifecycle/lifecycle.h"

// probe.S
struct ProbeRegisters {
  uint32_t eax, ebx, ecx, edx, esi, edi, ebp, flags;
};
struct ProbeSeen {
  ProbeRegisters registers;
  uint32_t esp, returnAddress, arguments[4];
};
struct ProbeAfter {
  ProbeRegisters registers;
  uint32_t espBeforeCall, espAfterCall;
};
extern "C" {
extern ProbeRegisters probeLoad;
extern ProbeSeen probeSeen;
extern ProbeAfter probeAfter;
void ProbeCall(const void* entry);
void ProbeService();
extern const char ProbeReturn[];
}
// The flags a call can carry through: CF PF AF ZF SF DF OF.
inline constexpr uint32_t kCarriedFlags = 0x0CD5;

namespace binding_test {

// The host: kind 2 answers from `services` (0 when absent) and is counted per value.
extern std::map<uint32_t, void*> services;
extern std::map<uint32_t, int> kindTwoCalls;
uint32_t __cdecl FakeHostCallback(uint32_t kind, uint32_t value);

// One box the plug-in showed, as MessageBoxA received it.
struct Box {
  HWND owner;
  std::string text, caption;
  UINT flags;
};
extern std::vector<Box> boxes;
extern std::deque<int> answers;  // the next answers; an unexpected box fails the test

// How a call that must not return ended.
struct Raised {
  bool raised;
  uint32_t code, flags, parameterCount, parameter;
};
// Calls `entry` through ProbeCall on a thread of its own and catches the structured
// exception it raises there (the thread ends with it).
Raised CallExpectingException(const void* entry);

// Puts an entry back into its state at load: unbound, not dead.
void Unbind(HostServiceEntry* entry);
HostServiceEntry& Entry(uint32_t ordinal);  // fails the test when absent

// Base fixture: the fake host installed, the message box patched, counters cleared.
class BindingTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

}  // namespace binding_test
