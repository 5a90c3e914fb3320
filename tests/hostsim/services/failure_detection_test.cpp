// The stand-in's own detection of what a plug-in must not do or could not have done:
// a memory block it never handed out given back, a settings call it refuses, an
// append that writes nothing. Each is shown to fire, so that the checks that count on
// it (no unknown block, a refused store reported) can fail.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "host/services.h"
#include "hostsim/base/host_files.h"
#include "hostsim/services/files.h"
#include "hostsim/services/memory.h"
#include "hostsim/services/reset.h"
#include "hostsim/services/svc_settings.h"
#include "reprice/options.h"

namespace {

using hostsim::memory;

class FailureDetection : public ::testing::Test {
 protected:
  void SetUp() override {
    hostsim::KeepFilesInMemory(false);
    hostsim::ResetHostSim();
    hostsim::EraseSettings();
    std::remove("R.TXT");
  }
  void TearDown() override {
    hostsim::EraseSettings();
    std::remove("R.TXT");
  }
};

TEST_F(FailureDetection, AMemoryBlockTheHostNeverHandedOutIsCountedAndLeftAlone) {
  char foreign[16] = "not the host's";
  freeMemory(foreign);
  EXPECT_EQ(memory.unknownBlocks, 1);
  EXPECT_EQ(memory.freeCalls, 1);
  EXPECT_STREQ(foreign, "not the host's");

  EXPECT_EQ(reallocMemory(foreign, 32), nullptr);
  EXPECT_EQ(memory.unknownBlocks, 2);
  EXPECT_EQ(memory.failedCalls, 1);
  EXPECT_STREQ(foreign, "not the host's");
  EXPECT_TRUE(memory.blocks.empty());
  EXPECT_EQ(memory.liveBytes, 0u);
}

TEST_F(FailureDetection, ABlockGivenBackTwiceIsUnknownTheSecondTime) {
  void* block = reallocMemory(nullptr, 8);
  ASSERT_NE(block, nullptr);
  freeMemory(block);
  EXPECT_EQ(memory.unknownBlocks, 0);
  freeMemory(block);
  EXPECT_EQ(memory.unknownBlocks, 1);
  EXPECT_EQ(memory.freeCalls, 2);
}

TEST_F(FailureDetection, SettingsCallsTheStoreRefusesAnswerOneAndStoreNothing) {
  int16_t target = 0x1234;
  char text[16] = "keep";
  struct Row {
    const char* label;
    int16_t (*call)(int16_t*, char*);
  } rows[] = {
      {"a text with a line feed", [](int16_t*, char*) { return settingValue(9, "Przecena", "Path", "%s", "a\nb"); }},
      {"a text with a carriage return", [](int16_t*, char*) { return settingValue(9, "Przecena", "Path", "%s", "a\rb"); }},
      {"no section", [](int16_t*, char*) { return settingValue(2, nullptr, "Mag", "%d", 1); }},
      {"an unknown mode", [](int16_t*, char*) { return settingValue(5, "Przecena", "Mag", "%d", 1); }},
      {"a missing key", [](int16_t* t, char*) { return settingValue(1, "Przecena", "Index", "%d", t); }},
      {"a missing text", [](int16_t*, char* s) { return settingValue(8, "Przecena", "Path", "%15s", s); }},
      {"an empty text", [](int16_t*, char* s) { return settingValue(8, "Przecena", "Empty", "%15s", s); }},
      {"an unknown mode on a stored key", [](int16_t*, char*) { return settingValue(5, "Przecena", "Empty", "%d", 1); }},
  };
  hostsim::StoreSetting("Przecena", "Empty", "");
  for (const Row& r : rows) {
    SCOPED_TRACE(r.label);
    hostsim::settingCalls.clear();
    EXPECT_EQ(r.call(&target, text), 1);
    ASSERT_EQ(hostsim::settingCalls.size(), 1u);
    EXPECT_EQ(hostsim::settingCalls[0].result, 1);
  }
  EXPECT_EQ(target, 0x1234);
  EXPECT_STREQ(text, "keep");
  EXPECT_FALSE(hostsim::StoredSetting("Przecena", "Path"));
  EXPECT_FALSE(hostsim::StoredSetting("Przecena", "Mag"));
}

TEST_F(FailureDetection, ANumberTheStoreCannotReadIsRefused) {
  hostsim::StoreSetting("Przecena", "Index", "abc");
  int16_t target = 7;
  EXPECT_EQ(settingValue(1, "Przecena", "Index", "%d", &target), 1);
  EXPECT_EQ(target, 7);
}

// The plug-in's own saving meets the refusal: a path with a line end (which only a host
// writing into the options record can give) is not stored, the other keys are.
TEST_F(FailureDetection, ThePluginsSaveOfAPathWithALineEndIsRefused) {
  std::memset(&repricingOptions, 0, sizeof repricingOptions);
  std::strcpy(repricingOptions.path, "towary\r\n.txt");
  repricingOptions.gross = 1;
  SaveRepricingSettings(3);
  ASSERT_EQ(hostsim::settingCalls.size(), 5u);
  EXPECT_EQ(hostsim::settingCalls[2].key, "Path");
  EXPECT_EQ(hostsim::settingCalls[2].result, 1);
  for (int i : {0, 1, 3, 4}) EXPECT_EQ(hostsim::settingCalls[i].result, 0) << hostsim::settingCalls[i].key;
  EXPECT_FALSE(hostsim::StoredSetting("Przecena", "Path"));
  EXPECT_EQ(hostsim::StoredSetting("Przecena", "Mag").value_or(""), "3");
  EXPECT_EQ(hostsim::StoredSetting("Przecena", "Brutto").value_or(""), "1");
}

TEST_F(FailureDetection, AnAppendThatWritesNothingIsCounted) {
  struct Row {
    const char* label;
    const char* file;
    const char* line;
  } rows[] = {
      {"no file name", nullptr, "line"},
      {"no line", "R.TXT", nullptr},
      {"a folder that does not exist", "no-such-folder/R.TXT", "line"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.label);
    hostsim::fileCounters = {};
    appendLine(r.file, r.line);
    EXPECT_EQ(hostsim::fileCounters.appends, 1);
    EXPECT_EQ(hostsim::fileCounters.appendsFailed, 1);
    std::string bytes;
    EXPECT_FALSE(hostsim::ReadHostFile("R.TXT", bytes));
  }
  hostsim::fileCounters = {};
  appendLine("R.TXT", "line");
  EXPECT_EQ(hostsim::fileCounters.appendsFailed, 0);
}

}  // namespace
