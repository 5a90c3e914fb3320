#include <windows.h>

#include <functional>

#include "plugin_fixture.h"

namespace {

DWORD WINAPI Nothing(void*) { return 7; }

// A thread started and ended while the plug-in is loaded.
void RunAThread() {
  HANDLE thread = CreateThread(nullptr, 0, Nothing, nullptr, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  EXPECT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
  DWORD code = 0;
  GetExitCodeThread(thread, &code);
  EXPECT_EQ(code, 7u);
  CloseHandle(thread);
}

using Detach = PluginTest;

// The library is freed (and the runtime shut down only if a load call started it) in
// every state the host may leave it in; afterwards it loads and works again.
TEST_F(Detach, TheLibraryCanBeFreedInEveryState) {
  struct Row { const char* label; std::function<void(Detach&)> before; } rows[] = {
      {"never called", [](Detach&) {}},
      {"a thread while never called", [](Detach&) { RunAThread(); }},
      {"loaded", [](Detach& t) { EXPECT_EQ(t.Load(), 0); }},
      {"loaded twice", [](Detach& t) { EXPECT_EQ(t.Load(), 0); EXPECT_EQ(t.Load(), 0); }},
      {"loaded and unloaded", [](Detach& t) { EXPECT_EQ(t.Load(), 0); EXPECT_EQ(t.Unload(), 0); }},
      {"a thread while loaded", [](Detach& t) { EXPECT_EQ(t.Load(), 0); RunAThread(); }},
      {"refused", [](Detach& t) { hostsim::capabilityBits = 0; EXPECT_EQ(t.Load(), -1); }},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.label);
    hostsim::ResetHostSim();
    ASSERT_TRUE(hostsim::LoadPluginLibrary(PRZECENA_DLL));
    r.before(*this);
    hostsim::FreePluginLibrary();
    EXPECT_EQ(GetModuleHandleA("PRZECENA.DLL"), nullptr);
  }
  hostsim::ResetHostSim();
  ASSERT_TRUE(hostsim::LoadPluginLibrary(PRZECENA_DLL));
  EXPECT_EQ(Load(), 0);
}

}  // namespace
