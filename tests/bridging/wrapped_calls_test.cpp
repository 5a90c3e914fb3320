// The loaded DLL's own slots after attach: wrappers in front of the system functions,
// the host's process creation in the slot of CreateProcessA.
#include <cstring>
#include <vector>

#include "hostsim/services/processes.h"
#include "tests/bridging/plugin_fixture.h"
#include "tests/bridging/register_call.h"

namespace {

struct Row {
  const char* name;
  const char* module;
  int arguments;
};
std::vector<Row> WrappedRows() {
  return {
#define SYSTEM_WRAPPED(name, module, arguments) {#name, #module, arguments},
#define SYSTEM_IMPORT(name, module, arguments)
#include "frame/bridging/system_imports.h"
#undef SYSTEM_WRAPPED
#undef SYSTEM_IMPORT
  };
}

constexpr unsigned char Pushf = 0x9C, PushImmediate = 0x68, JumpIndirect = 0xFF;

}  // namespace

using WrappedSlots = BridgedPluginTest;

TEST_F(WrappedSlots, LeadIntoTheWrappersOnceAttached) {
  std::vector<void*> seen;
  for (const Row& row : WrappedRows()) {
    SCOPED_TRACE(row.name);
    bool system = std::strcmp(row.module, "KERNEL32") == 0;
    void** slot = system ? Slot(row.name) : Emu32Slot(row.name);
    ASSERT_NE(slot, nullptr);
    ASSERT_TRUE(hostsim::InPluginImage(reinterpret_cast<uint32_t>(*slot)));
    EXPECT_EQ(FirstCodeByte(*slot), std::strcmp(row.name, "CreateProcessA") == 0 ? JumpIndirect : Pushf);
    EXPECT_EQ(std::find(seen.begin(), seen.end(), *slot), seen.end()) << "two slots share a wrapper";
    seen.push_back(*slot);
  }
}

TEST_F(WrappedSlots, UnwrappedLazyImportsStartAtTheirLoaders) {
  for (const char* name : {"GetTickCount", "LCMapStringA", "NlsGetCacheUpdateCount"}) {
    SCOPED_TRACE(name);
    void** slot = Emu32Slot(name);
    ASSERT_NE(slot, nullptr);
    EXPECT_TRUE(hostsim::InPluginImage(reinterpret_cast<uint32_t>(*slot)));
    EXPECT_EQ(FirstCodeByte(*slot), PushImmediate);
  }
  for (const char* name : {"MessageBoxA", "wsprintfA"}) {
    SCOPED_TRACE(name);
    ASSERT_NE(User32Slot(name), nullptr);
    EXPECT_EQ(FirstCodeByte(*User32Slot(name)), PushImmediate);
  }
  // Bound by the loader and not wrapped: the system's own function.
  EXPECT_EQ(*Slot("lstrcmpA"), SystemFunction("lstrcmpA"));
}

// A real system function behind its real wrapper: whatever the function does to the
// registers, the caller gets them all back and the result in EAX.
TEST_F(WrappedSlots, RealSystemFunctionKeepsTheCallersRegisters) {
  const char text[] = "Przecena";
  wchar_t wide[16] = {};
  uint32_t arguments[6] = {CP_ACP, 0, reinterpret_cast<uint32_t>(text), 8, reinterpret_cast<uint32_t>(wide), 16};
  CallWithMarks(*Slot("MultiByteToWideChar"), arguments, 6);
  EXPECT_EQ(registersAfter.eax, 8u);
  EXPECT_STREQ(wide, L"Przecena");
  EXPECT_EQ(registersAfter.ebx, registerMarks.ebx);
  EXPECT_EQ(registersAfter.ecx, registerMarks.ecx);
  EXPECT_EQ(registersAfter.edx, registerMarks.edx);
  EXPECT_EQ(registersAfter.esi, registerMarks.esi);
  EXPECT_EQ(registersAfter.edi, registerMarks.edi);
  EXPECT_EQ(registersAfter.ebp, registerMarks.ebp);
  EXPECT_EQ(registersAfter.flags & FlagsChecked, registerMarks.flags & FlagsChecked);
  EXPECT_EQ(registersAfter.esp - registersBefore.esp, 24u);
}

// CreateProcessA from the plug-in reaches host service 52005 with its ten arguments
// unchanged, and the host's result comes back.
TEST_F(WrappedSlots, ProcessCreationGoesToTheHost) {
  Load();
  hostsim::processResult = 0x0BADCAFE;
  uint32_t arguments[10];
  for (int k = 0; k < 10; ++k) arguments[k] = 0xC0DE0000u + 0x111u * k;
  CallWithMarks(*Slot("CreateProcessA"), arguments, 10);
  EXPECT_EQ(registersAfter.eax, 0x0BADCAFEu);
  EXPECT_EQ(registersAfter.esp - registersBefore.esp, 40u);
  ASSERT_EQ(hostsim::processRequests.size(), 1u);
  for (int k = 0; k < 10; ++k) EXPECT_EQ(hostsim::processRequests[0][k], arguments[k]) << "argument " << k;
}
