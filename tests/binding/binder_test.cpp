// Binding on the first call: the host's function is entered with the caller's
// registers, flags, stack, return address and arguments, bound or not; the host is
// asked once per entry.
#include "tests/binding/binding_fixture.h"

namespace binding_test {
namespace {

class BinderTest : public BindingTest {};

// Calls the entry through the probe with `load` and checks what the host's function saw
// and what came back.
void ExpectTransparentCall(const HostServiceEntry& entry, const ProbeRegisters& load) {
  probeLoad = load;
  probeSeen = {};
  ProbeCall(entry.entryPoint);
  const ProbeRegisters& seen = probeSeen.registers;
  EXPECT_EQ(seen.eax, load.eax);
  EXPECT_EQ(seen.ebx, load.ebx);
  EXPECT_EQ(seen.ecx, load.ecx);
  EXPECT_EQ(seen.edx, load.edx);
  EXPECT_EQ(seen.esi, load.esi);
  EXPECT_EQ(seen.edi, load.edi);
  EXPECT_EQ(seen.ebp, load.ebp);
  EXPECT_EQ(seen.flags & kCarriedFlags, load.flags & kCarriedFlags);
  EXPECT_EQ(probeSeen.esp, probeAfter.espBeforeCall - 4);  // only the return address pushed
  EXPECT_EQ(probeSeen.returnAddress, reinterpret_cast<uint32_t>(ProbeReturn));
  EXPECT_EQ(probeSeen.arguments[0], 0xA1A1A1A1u);
  EXPECT_EQ(probeSeen.arguments[1], 0xB2B2B2B2u);
  EXPECT_EQ(probeSeen.arguments[2], 0xC3C3C3C3u);
  EXPECT_EQ(probeSeen.arguments[3], 0xD4D4D4D4u);
  EXPECT_EQ(probeAfter.registers.eax, 0x600DF00Du);  // the host function's result
  EXPECT_EQ(probeAfter.registers.ebx, load.ebx);
  EXPECT_EQ(probeAfter.registers.esi, load.esi);
  EXPECT_EQ(probeAfter.registers.edi, load.edi);
  EXPECT_EQ(probeAfter.registers.ebp, load.ebp);
  EXPECT_EQ(probeAfter.espAfterCall, probeAfter.espBeforeCall);
}

// Two sets of register values: flags with all carried bits set (DF included), then
// with all of them clear.
const ProbeRegisters kFirst = {0x11111111, 0x22222222, 0x33333333, 0x44444444,
                               0x55555555, 0x66666666, 0x77777777, 0x0CD5 | 0x2};
const ProbeRegisters kSecond = {0xEAEAEAEA, 0xEBEBEBEB, 0xECECECEC, 0xEDEDEDED,
                                0xE5E5E5E5, 0xEDEDED00, 0xEBEBEB00, 0x2};

TEST_F(BinderTest, FirstAndLaterCallsReachTheHostFunctionUnchanged) {
  const struct {
    uint32_t ordinal;
    const ProbeRegisters& first;
    const ProbeRegisters& second;
  } rows[] = {
      {52301, kFirst, kSecond},
      {52302, kSecond, kFirst},
      {20010, kFirst, kFirst},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.ordinal);
    services[row.ordinal] = reinterpret_cast<void*>(&ProbeService);
    HostServiceEntry& entry = Entry(row.ordinal);
    {
      SCOPED_TRACE("first call, unbound");
      ExpectTransparentCall(entry, row.first);
    }
    EXPECT_EQ(entry.slot, reinterpret_cast<void*>(&ProbeService));
    {
      SCOPED_TRACE("second call, bound");
      ExpectTransparentCall(entry, row.second);
    }
    EXPECT_EQ(kindTwoCalls[row.ordinal], 1);
  }
  EXPECT_TRUE(boxes.empty());
}

// Each of the two entries of 21283 and 21294 is bound on its own; binding one leaves
// the other as it was.
TEST_F(BinderTest, DoubleEntriesAreBoundEachOnItsOwn) {
  for (uint32_t ordinal : {21283u, 21294u}) {
    SCOPED_TRACE(ordinal);
    services[ordinal] = reinterpret_cast<void*>(&ProbeService);
    std::vector<HostServiceEntry*> entries;
    for (HostServiceEntry* e = HostServiceTable; e != HostServiceTableEnd; ++e)
      if (e->ordinal == ordinal) entries.push_back(e);
    ASSERT_EQ(entries.size(), 2u);
    ExpectTransparentCall(*entries[0], kFirst);
    EXPECT_EQ(entries[1]->slot, entries[1]->binder);
    EXPECT_EQ(kindTwoCalls[ordinal], 1);
    ExpectTransparentCall(*entries[1], kSecond);
    ExpectTransparentCall(*entries[0], kSecond);
    EXPECT_EQ(kindTwoCalls[ordinal], 2);
  }
}

// Without a stored callback (no load call yet) nothing can be asked: the service is
// reported missing like any other.
TEST_F(BinderTest, WithoutHostCallbackTheServiceIsReported) {
  hostCallback = nullptr;
  answers = {IDIGNORE};
  probeLoad = kFirst;
  ProbeCall(Entry(52299).entryPoint);
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_EQ(probeAfter.registers.eax, 0u);
  EXPECT_TRUE(kindTwoCalls.empty());
}

// The resolver's C++ code, here the host's callback it asks, runs with the direction
// flag clear and its stack aligned to 16 bytes (its frame at 8 past a multiple of 16:
// the return address and the saved EBP below an aligned call), whatever the caller had.
uint32_t callbackFlags, callbackFrame;
uint32_t __cdecl WatchingHostCallback(uint32_t kind, uint32_t value) {
  callbackFlags = __builtin_ia32_readeflags_u32();
  callbackFrame = reinterpret_cast<uint32_t>(__builtin_frame_address(0));
  return FakeHostCallback(kind, value);
}

TEST_F(BinderTest, ResolverRunsWithDirectionFlagClearOnAnAlignedStack) {
  hostCallback = WatchingHostCallback;
  const struct {
    uint32_t ordinal;
    const ProbeRegisters& load;
  } rows[] = {{52303, kFirst}, {52304, kSecond}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.ordinal);
    services[row.ordinal] = reinterpret_cast<void*>(&ProbeService);
    callbackFlags = 0xFFFFFFFF;
    ExpectTransparentCall(Entry(row.ordinal), row.load);
    EXPECT_EQ(callbackFlags & 0x400, 0u) << "direction flag";
    EXPECT_EQ(callbackFrame % 16, 8u);
    EXPECT_EQ(probeSeen.registers.flags & 0x400, row.load.flags & 0x400) << "the caller's direction flag";
  }
}

}  // namespace
}  // namespace binding_test
