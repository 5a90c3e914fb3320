#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "host/services.h"
#include "hostsim/base/data_folder.h"
#include "hostsim/base/host_files.h"
#include "hostsim/base/settings_file.h"
#include "hostsim/player/failure_plan.h"
#include "hostsim/services/reset.h"
#include "hostsim/services/svc_settings.h"

namespace {

class SettingsStore : public ::testing::Test {
 protected:
  void SetUp() override {
    hostsim::ResetHostSim();
    hostsim::EraseSettings();
  }
  void TearDown() override { hostsim::EraseSettings(); }
};

TEST_F(SettingsStore, IntegersWrittenAndReadBackIntoExactly16Bits) {
  struct Row { int stored; int16_t expected; } rows[] = {
      {0, 0}, {1, 1}, {-1, -1}, {32767, 32767}, {70000, 4464}, {65535, -1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.stored);
    ASSERT_EQ(settingValue(2, "Przecena", "Mag", "%d", r.stored), 0);
    int16_t target[3] = {0x5555, 0x5555, 0x5555};
    ASSERT_EQ(settingValue(1, "Przecena", "Mag", "%d", &target[1]), 0);
    EXPECT_EQ(target[1], r.expected);
    EXPECT_EQ(target[0], 0x5555);
    EXPECT_EQ(target[2], 0x5555);
  }
}

TEST_F(SettingsStore, MissingKeyOrSectionLeavesTheTargetAndFails) {
  settingValue(2, "Przecena", "Index", "%d", 2);
  int16_t value = 77;
  EXPECT_NE(settingValue(1, "Przecena", "Brutto", "%d", &value), 0);
  EXPECT_NE(settingValue(1, "Przecenamag", "Index", "%d", &value), 0);
  EXPECT_EQ(value, 77);
  char text[16] = "keep";
  EXPECT_NE(settingValue(8, "Przecena", "Path", "%15s", text), 0);
  EXPECT_STREQ(text, "keep");
}

TEST_F(SettingsStore, TextsKeepTheirBytesAndScanStopsAtABlank) {
  ASSERT_EQ(settingValue(9, "Przecena", "Path", "%s", "C:\\dane\\to\x86" "ary plik.txt"), 0);
  char path[129];
  std::memset(path, 'x', sizeof path);
  ASSERT_EQ(settingValue(8, "Przecena", "Path", "%128s", path), 0);
  EXPECT_STREQ(path, "C:\\dane\\to\x86" "ary");
  EXPECT_EQ(*hostsim::StoredSetting("przecena", "PATH"), "C:\\dane\\to\x86" "ary plik.txt");
}

TEST_F(SettingsStore, KeysOfOtherSectionsSurviveARewrite) {
  settingValue(2, "Przecenamag", "Pytaj", "%d", 1);
  settingValue(9, "Przecena", "Path", "%s", "a.txt");
  settingValue(2, "Przecenamag", "Pytaj", "%d", 0);
  EXPECT_EQ(*hostsim::StoredSetting("Przecena", "Path"), "a.txt");
  EXPECT_EQ(*hostsim::StoredSetting("Przecenamag", "Pytaj"), "0");
}

// A settings file written by hand: sections in brackets (blanks around allowed), keys
// trimmed, values as they follow "=", a CR LF line end dropped; a key before any
// section, a line without "=" and a bracket left open are skipped.
TEST_F(SettingsStore, AHandWrittenFileReadsAsIni) {
  ASSERT_TRUE(hostsim::WriteHostFile(hostsim::DataPath(hostsim::SettingsFileName),
                                     "Mag=1\n[\n[Przecena\n  [Przecena]  \nno equals\n \t \n Path = a b\nMag=3\r\n"));
  EXPECT_EQ(*hostsim::StoredSetting("Przecena", "Path"), " a b");
  EXPECT_EQ(*hostsim::StoredSetting("Przecena", "Mag"), "3");
  EXPECT_FALSE(hostsim::StoredSetting("[Przecena", "Mag"));
  EXPECT_FALSE(hostsim::StoredSetting("Przecena", "no equals"));
}

TEST_F(SettingsStore, UnknownModeAndLineBreaksAreRefused) {
  EXPECT_NE(settingValue(2, nullptr, "Mag", "%d", 1), 0);
  EXPECT_NE(settingValue(2, "Przecena", nullptr, "%d", 1), 0);
  EXPECT_NE(settingValue(2, "Przecena", "Mag", nullptr, 1), 0);
  EXPECT_NE(settingValue(3, "Przecena", "Mag", "%d", 1), 0);
  EXPECT_NE(settingValue(9, "Przecena", "Path", "%s", "a\nb"), 0);
  EXPECT_FALSE(hostsim::StoredSetting("Przecena", "Mag"));
  EXPECT_FALSE(hostsim::StoredSetting("Przecena", "Path"));
}

TEST_F(SettingsStore, CallsAreRecordedAndTheNthCallFails) {
  hostsim::PlanFailure(hostsim::FailingService::Settings, 2);
  EXPECT_EQ(settingValue(2, "S", "a", "%d", 1), 0);
  EXPECT_NE(settingValue(2, "S", "b", "%d", 2), 0);
  EXPECT_EQ(settingValue(2, "S", "c", "%d", 3), 0);
  ASSERT_EQ(hostsim::settingCalls.size(), 3u);
  EXPECT_EQ(hostsim::settingCalls[0].value, "1");
  EXPECT_EQ(hostsim::settingCalls[1].result, 1);
  EXPECT_FALSE(hostsim::StoredSetting("S", "b"));
  EXPECT_EQ(*hostsim::StoredSetting("S", "c"), "3");
}

}  // namespace
