// DelayLoadHook on its own (a copy of its object linked into this program): what it
// answers for each notification, module and name, and whom it asks.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "frame/bridging/delay_load.h"
#include "frame/lifecycle/lifecycle.h"
#include "frame/runtime/runtime.h"
#include "tests/bridging/program_exports.h"

HostCallback hostCallback;  // the DLL's, as the hook reads it

namespace {

std::vector<std::pair<uint32_t, uint32_t>> askedHost;
const void* const HostsFunction = reinterpret_cast<void*>(0x40570000);

// The host: knows one function by name, "GetConsoleHistoryInfo".
uint32_t HOST_CDECL FakeHost(uint32_t kind, uint32_t value) {
  askedHost.emplace_back(kind, value);
  if (kind == 2 && value >= 65536 && std::string(reinterpret_cast<const char*>(value)) == "GetConsoleHistoryInfo")
    return reinterpret_cast<uint32_t>(HostsFunction);
  return 0;
}

HMODULE System() { return GetModuleHandleA("KERNEL32.dll"); }
// A system module that surely lacks the console functions that stand for missing ones,
// whatever this Wine's KERNEL32 has: the test's own stand-in of the extender's module.
HMODULE Lacking() {
  static HMODULE module = LoadLibraryA(BORLAND_MODULE);
  return module;
}
void* SystemFunction(const char* name) { return reinterpret_cast<void*>(GetProcAddress(System(), name)); }
void* RuntimeSprintf() { return reinterpret_cast<void*>(&FormattedPrint); }

void* Hook(unsigned notification, const char* dll, const char* name, HMODULE loaded) {
  DelayLoadInfo info{};
  info.cb = sizeof info;
  info.szDll = dll;
  info.dlp.fImportByName = TRUE;
  info.dlp.szProcName = name;
  info.hmodCur = loaded;
  return reinterpret_cast<void*>(DelayLoadHook(notification, &info));
}

}  // namespace

class DelayLoadHookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    askedHost.clear();
    hostCallback = FakeHost;
  }
};

TEST_F(DelayLoadHookTest, MapsOnlyTheExactEmulationModuleNameToTheSystemModule) {
  struct Case {
    const char* dll;
    bool mapped;
  } cases[] = {{"EMU32.dll", true},  {"emu32.dll", false},   {"EMU32.DLL", false}, {"Emu32.dll", false},
               {"EMU32", false},     {"USER32.dll", false},  {"KERNEL32.dll", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dll);
    EXPECT_EQ(Hook(dliNotePreLoadLibrary, c.dll, "GetVersionExA", nullptr), c.mapped ? System() : nullptr);
  }
  EXPECT_TRUE(askedHost.empty());
}

TEST_F(DelayLoadHookTest, AnswersFunctionsBySourceInTurn) {
  ASSERT_NE(Lacking(), nullptr);
  ASSERT_EQ(GetProcAddress(Lacking(), "GetConsoleSelectionInfo"), nullptr);
  ASSERT_EQ(GetProcAddress(Lacking(), "GetConsoleHistoryInfo"), nullptr);
  struct Case {
    const char* dll;
    const char* name;
    HMODULE loaded;
    void* expected;
    size_t hostAsked;
  } cases[] = {
      {"USER32.dll", "wsprintfA", nullptr, RuntimeSprintf(), 0},
      {"EMU32.dll", "wsprintfA", System(), RuntimeSprintf(), 0},
      {"USER32.dll", "MessageBoxA", nullptr, nullptr, 0},
      {"EMU32.dll", "GetVersionExA", System(), SystemFunction("GetVersionExA"), 0},
      {"EMU32.dll", "GetConsoleSelectionInfo", Lacking(), reinterpret_cast<void*>(&ProgramsGetConsoleSelectionInfo), 0},
      {"EMU32.dll", "GetConsoleHistoryInfo", Lacking(), const_cast<void*>(HostsFunction), 1},
      {"emu32.dll", "GetVersionExA", System(), nullptr, 0},
      {"USER32.dll", "GetVersionExA", System(), nullptr, 0},
      {"KERNEL32.dll", "GetConsoleHistoryInfo", System(), nullptr, 0},
  };
  ASSERT_NE(RuntimeSprintf(), nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.dll) + " " + c.name);
    askedHost.clear();
    EXPECT_EQ(Hook(dliNotePreGetProcAddress, c.dll, c.name, c.loaded), c.expected);
    ASSERT_EQ(askedHost.size(), c.hostAsked);
    if (c.hostAsked) {
      EXPECT_EQ(askedHost[0].first, 2u);
      EXPECT_EQ(askedHost[0].second, reinterpret_cast<uint32_t>(c.name));  // the name itself, not a copy
    }
  }
}

TEST_F(DelayLoadHookTest, LeavesEverythingElseToTheMechanism) {
  for (unsigned notification : {0u, 3u, 4u, 5u, 6u}) {
    SCOPED_TRACE(notification);
    EXPECT_EQ(Hook(notification, "EMU32.dll", "GetVersionExA", System()), nullptr);
  }
  DelayLoadInfo byOrdinal{};
  byOrdinal.cb = sizeof byOrdinal;
  byOrdinal.szDll = "EMU32.dll";
  byOrdinal.dlp.fImportByName = FALSE;
  byOrdinal.dlp.dwOrdinal = 17;
  byOrdinal.hmodCur = System();
  EXPECT_EQ(DelayLoadHook(dliNotePreGetProcAddress, &byOrdinal), nullptr);
  EXPECT_TRUE(askedHost.empty());
}

TEST_F(DelayLoadHookTest, DoesNotAskAHostThatIsNotThereYet) {
  hostCallback = nullptr;
  EXPECT_EQ(Hook(dliNotePreGetProcAddress, "EMU32.dll", "GetConsoleSelectionInfo", Lacking()),
            reinterpret_cast<void*>(&ProgramsGetConsoleSelectionInfo));
}
