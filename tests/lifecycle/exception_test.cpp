#include <windows.h>

#include "hostsim/services/service_table.h"
#include "plugin_fixture.h"

namespace {

constexpr uint32_t kAccessViolation = 0xC0000005;
constexpr uint32_t kIllegalInstruction = 0xC000001D;

// The code a read from a bad address arrives with. A platform difference: under QEMU's
// user-mode emulator (scripts/i386-emulation.sh, which wine-run.sh names in
// PRZECENA_I386_EMULATOR) Wine's fault handler gets no page-fault trap number and
// reports the fault as an illegal instruction; Windows and Wine on a 32-bit-capable
// kernel report an access violation.
uint32_t BadReadCode() {
  char emulator[64];
  if (GetEnvironmentVariableA("PRZECENA_I386_EMULATOR", emulator, sizeof emulator) > 0)
    return kIllegalInstruction;
  return kAccessViolation;
}

// Stand-ins for the refusal message (52030) that raise structured exceptions, as a
// faulty host service would, on the plug-in's stack.
void HOST_CDECL RaisesPlain(const char*) { RaiseException(0xE0001234, 0, 0, nullptr); }
void HOST_CDECL RaisesTranslated(const char*) {
  const ULONG_PTR parameters[2] = {0x1234, 0};
  RaiseException(0xE0534500, EXCEPTION_NONCONTINUABLE, 2, parameters);
}

// The settings service, armed to raise a structured exception once the load call is done.
bool settingsArmed;
int16_t HOST_CDECL SettingsThatRaise(int, const char*, const char*, const char*, ...) {
  if (settingsArmed) RaiseException(0xE0005678, 0, 0, nullptr);
  return 1;
}

using StructuredExceptions = PluginTest;

TEST_F(StructuredExceptions, AnExceptionDuringTheMenuCommandArrivesAsSE_Exception) {
  settingsArmed = false;
  hostsim::extraServices[52225] = reinterpret_cast<void*>(&SettingsThatRaise);
  ASSERT_EQ(Load(), 0);
  settingsArmed = true;
  hostsim::CallOutcome o = hostsim::ChooseMenuCommand(29999);
  settingsArmed = false;
  EXPECT_FALSE(o.completed);
  EXPECT_EQ(o.exceptionCode, 0xE0534500);
  EXPECT_EQ(o.innerCode, 0xE0005678);
  EXPECT_EQ(Unload(), 0);
}

TEST_F(StructuredExceptions, AFaultInThePluginArrivesAsSE_ExceptionWithTheFaultInside) {
  void* freed = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  ASSERT_NE(freed, nullptr);
  ASSERT_TRUE(VirtualFree(freed, 0, MEM_RELEASE));
  struct Row { const char* label; char* buffer; } rows[] = {
      {"address 0x10", reinterpret_cast<char*>(0x10)},
      {"a freed page", static_cast<char*>(freed)},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.label);
    hostsim::CallOutcome o = hostsim::LoadCall(r.buffer);
    EXPECT_FALSE(o.completed);
    EXPECT_EQ(o.exceptionCode, 0xE0534500);
    EXPECT_EQ(o.innerCode, BadReadCode());
    EXPECT_TRUE(hostsim::InPluginImage(o.innerAddress)) << std::hex << o.innerAddress;
    // The copy of record and context lies in the plug-in's static storage and still
    // describes the fault after the host has dealt with it.
    ASSERT_TRUE(hostsim::InPluginImage(o.innerInfo)) << std::hex << o.innerInfo;
    auto* info = reinterpret_cast<const EXCEPTION_POINTERS*>(o.innerInfo);
    EXPECT_EQ(info->ExceptionRecord->ExceptionCode, BadReadCode());
    EXPECT_EQ(reinterpret_cast<uint32_t>(info->ExceptionRecord->ExceptionAddress), o.innerAddress);
    EXPECT_EQ(info->ContextRecord->Eip, o.innerAddress);
    // The plug-in is still usable: the host carries on with it.
    char name[64];
    hostsim::CallOutcome again = hostsim::LoadCall(name);
    EXPECT_TRUE(again.completed);
    EXPECT_EQ(again.result, 0);
    EXPECT_TRUE(hostsim::UnloadCall().completed);
  }
}

TEST_F(StructuredExceptions, AnExceptionFromAHostServiceIsTranslatedOnce) {
  hostsim::capabilityBits = 0;  // the load call refuses, through 52030
  struct Row { const char* label; void* service; uint32_t inner; } rows[] = {
      {"a plain structured exception", reinterpret_cast<void*>(&RaisesPlain), 0xE0001234},
      {"one already translated", reinterpret_cast<void*>(&RaisesTranslated), 0x1234},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.label);
    ASSERT_TRUE(hostsim::LoadPluginLibrary(PRZECENA_DLL));  // fresh: 52030 not yet bound
    hostsim::extraServices[52030] = r.service;
    hostsim::CallOutcome o = hostsim::LoadCall(nullptr);
    EXPECT_FALSE(o.completed);
    EXPECT_EQ(o.exceptionCode, 0xE0534500);
    EXPECT_EQ(o.innerCode, r.inner);
  }
}

// A fault leaves the exception frames of the plug-in and of the host as they were: the
// same fault again arrives the same way, and an ordinary call afterwards is answered.
TEST_F(StructuredExceptions, AfterAFaultTheNextCallsAreGuardedAndAnsweredAsBefore) {
  for (int round = 1; round <= 2; ++round) {
    SCOPED_TRACE(round);
    hostsim::CallOutcome o = hostsim::LoadCall(reinterpret_cast<char*>(0x10));
    ASSERT_FALSE(o.completed);
    EXPECT_EQ(o.exceptionCode, 0xE0534500);
    EXPECT_EQ(o.innerCode, BadReadCode());
  }
  char name[64] = {};
  hostsim::CallOutcome ok = hostsim::LoadCall(name);
  EXPECT_TRUE(ok.completed);
  EXPECT_EQ(ok.result, 0);
  EXPECT_STRNE(name, "");
  EXPECT_EQ(Unload(), 0);
}

}  // namespace
