// A freshly loaded PRZECENA.DLL for every test (its slots as the loader left them and
// the attach routine changed them), with the stand-in reset.
#pragma once
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>

#include "hostsim/services/host_state.h"
#include "hostsim/services/reset.h"
#include "hostsim/services/svc_settings.h"
#include "hostsim/win32/host.h"
#include "tests/bridging/loaded_image.h"

class BridgedPluginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hostsim::ResetHostSim();
    hostsim::EraseSettings();
    ASSERT_TRUE(hostsim::LoadPluginLibrary(PRZECENA_DLL));
    plugin = static_cast<HMODULE>(hostsim::PluginModule());
  }
  void TearDown() override {
    hostsim::FreePluginLibrary();
    hostsim::EraseSettings();
  }

  // A load call that is expected to return (the callback is stored from then on).
  void Load() {
    char name[64];
    hostsim::CallOutcome o = hostsim::LoadCall(name);
    ASSERT_TRUE(o.completed) << std::hex << o.exceptionCode << " " << o.innerCode;
  }

  void** Slot(const char* function) { return ImportSlot(plugin, "KERNEL32.dll", function); }
  void** Emu32Slot(const char* function) { return DelayImportSlot(plugin, "EMU32.dll", function); }
  void** User32Slot(const char* function) { return DelayImportSlot(plugin, "USER32.dll", function); }

  static void* SystemFunction(const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("KERNEL32.dll"), name));
  }
  // How often the plug-in asked the host for a function by this name.
  static int HostAskedFor(const std::string& name) {
    return static_cast<int>(std::count(hostsim::callbackNames.begin(), hostsim::callbackNames.end(), name));
  }

  HMODULE plugin = nullptr;
};
