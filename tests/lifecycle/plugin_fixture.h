// A freshly loaded PRZECENA.DLL for every test, with the stand-in reset and no
// settings stored.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "hostsim/base/transcript.h"
#include "hostsim/services/reset.h"
#include "hostsim/services/svc_settings.h"
#include "hostsim/win32/host.h"

class PluginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hostsim::ResetHostSim();
    hostsim::EraseSettings();
    ASSERT_TRUE(hostsim::LoadPluginLibrary(PRZECENA_DLL));
  }
  void TearDown() override {
    hostsim::FreePluginLibrary();
    hostsim::EraseSettings();
  }


 public:
  // A load call with a 64-byte name buffer; expects it to return.
  int32_t Load() {
    char name[64];
    hostsim::CallOutcome o = hostsim::LoadCall(name);
    EXPECT_TRUE(o.completed) << std::hex << o.exceptionCode;
    return o.result;
  }
  int32_t Unload() {
    hostsim::CallOutcome o = hostsim::UnloadCall();
    EXPECT_TRUE(o.completed) << std::hex << o.exceptionCode;
    return o.result;
  }

  // How often the transcript holds something of that service.
  static int Count(const std::string& service) {
    int n = 0;
    for (const hostsim::Shown& s : hostsim::Transcript()) n += s.service == service;
    return n;
  }
};
