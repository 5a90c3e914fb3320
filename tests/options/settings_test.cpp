// The options and the warehouse kept in the settings section "Przecena": what is read,
// what is written, in which order, and what a cancelled dialog leaves alone.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/mazovia.h"
#include "hostsim/services/dialogs.h"
#include "hostsim/services/reset.h"
#include "hostsim/services/svc_settings.h"
#include "reprice/options.h"

namespace {

using hostsim::StoredSetting;
using hostsim::StoreSetting;

class Settings : public ::testing::Test {
 protected:
  void SetUp() override {
    hostsim::ResetHostSim();
    hostsim::EraseSettings();
    std::memset(&repricingOptions, 0x77, sizeof repricingOptions);  // Load must zero it
  }
  void TearDown() override { hostsim::EraseSettings(); }
};

// The start of a run as far as options go: load, ask, choose, save.
bool StartRun(int32_t& warehouse) {
  LoadRepricingSettings(&warehouse);
  if (!AskRepricingOptions()) return false;
  warehouse = ChooseWarehouse(warehouse);
  SaveRepricingSettings(warehouse);
  return true;
}

std::vector<std::string> Writes() {
  std::vector<std::string> w;
  for (const hostsim::SettingCall& c : hostsim::settingCalls)
    if (c.mode == SettingWriteInt || c.mode == SettingWriteText) w.push_back(c.key + "=" + c.value);
  return w;
}

TEST_F(Settings, AbsentKeysLeaveZeros) {
  int32_t warehouse = 99;
  LoadRepricingSettings(&warehouse);
  EXPECT_EQ(warehouse, 0);
  EXPECT_STREQ(repricingOptions.path, "");
  for (std::size_t i = 0; i < sizeof repricingOptions; ++i)
    ASSERT_EQ(reinterpret_cast<unsigned char*>(&repricingOptions)[i], 0) << i;
}

TEST_F(Settings, ReadsTheFiveKeysInOrderWithTheirModesAndFormats) {
  int32_t warehouse;
  LoadRepricingSettings(&warehouse);
  struct Read {
    int mode;
    const char* key;
    const char* format;
  };
  const Read expected[] = {{8, "Path", "%128[^\n]"}, {1, "Index", "%d"}, {1, "Brutto", "%d"},
                           {1, "Opis", "%d"},        {1, "Mag", "%d"}};
  ASSERT_EQ(hostsim::settingCalls.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(expected[i].key);
    EXPECT_EQ(hostsim::settingCalls[i].mode, expected[i].mode);
    EXPECT_EQ(hostsim::settingCalls[i].section, "Przecena");
    EXPECT_EQ(hostsim::settingCalls[i].key, expected[i].key);
    EXPECT_EQ(hostsim::settingCalls[i].format, expected[i].format);
  }
}

TEST_F(Settings, PresentKeysAreLoaded) {
  StoreSetting("Przecena", "Path", "C:\\ceny.txt");
  StoreSetting("Przecena", "Index", "2");
  StoreSetting("Przecena", "Brutto", "1");
  StoreSetting("Przecena", "Opis", "1");
  StoreSetting("Przecena", "Mag", "5");
  int32_t warehouse;
  LoadRepricingSettings(&warehouse);
  EXPECT_STREQ(repricingOptions.path, "C:\\ceny.txt");
  EXPECT_EQ(+repricingOptions.identifyBy, 2);
  EXPECT_EQ(+repricingOptions.gross, 1);
  EXPECT_EQ(+repricingOptions.copyName, 1);
  EXPECT_EQ(warehouse, 5);
}

TEST_F(Settings, APathWithBlanksIsReadWhole) {
  const std::string paths[] = {"C:\\moje ceny\\towary z Velmory.txt", std::string(" ") + Mz("Ceny źródłowe.txt"),
                               "C:\\a b", std::string(128, 'x')};
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    StoreSetting("Przecena", "Path", path);
    int32_t warehouse;
    LoadRepricingSettings(&warehouse);
    EXPECT_EQ(std::string(repricingOptions.path), path);
  }
}

TEST_F(Settings, AStoredPathLongerThan128IsCutNotOverflowed) {
  StoreSetting("Przecena", "Path", std::string(300, 'y'));
  StoreSetting("Przecena", "Brutto", "1");
  int32_t warehouse;
  LoadRepricingSettings(&warehouse);
  EXPECT_EQ(std::string(repricingOptions.path), std::string(128, 'y'));
  EXPECT_EQ(+repricingOptions.gross, 1);
}

// A stored path with carriage returns inside is read as it stands (up to 128 bytes);
// the store cannot keep a line end in a value, so saving it is refused and the stored
// value stays whole rather than cut.
TEST_F(Settings, AStoredPathWithCarriageReturnsIsReadAndItsSaveRefused) {
  const std::string stored = "tow\r\rar" + std::string(200, '\r') + "y.txt";
  StoreSetting("Przecena", "Path", stored);
  hostsim::dialogs.script = {"F12"};
  int32_t warehouse;
  ASSERT_TRUE(StartRun(warehouse));
  EXPECT_EQ(std::string(repricingOptions.path), "tow\r\rar" + std::string(121, '\r'));
  ASSERT_EQ(hostsim::settingCalls.size(), 10u);  // five reads, five writes
  EXPECT_EQ(hostsim::settingCalls[7].key, "Path");
  EXPECT_EQ(hostsim::settingCalls[7].result, 1);
  EXPECT_EQ(StoredSetting("Przecena", "Path").value_or(""), stored);
  EXPECT_EQ(StoredSetting("Przecena", "Mag").value_or(""), "0");
}

TEST_F(Settings, TheWarehouseArrivesAsItsLow16Bits) {
  struct Case {
    const char* stored;
    int32_t warehouse;
  };
  const Case cases[] = {{"3", 3}, {"70000", 4464}, {"40000", 40000}, {"65536", 0}, {"-1", 65535}, {"x", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    StoreSetting("Przecena", "Mag", c.stored);
    int32_t warehouse = 123;
    LoadRepricingSettings(&warehouse);
    EXPECT_EQ(warehouse, c.warehouse);
  }
}

TEST_F(Settings, SavesTheKeysInOrder) {
  std::strcpy(repricingOptions.path, "C:\\moje ceny\\t.txt");
  repricingOptions.gross = 1;
  repricingOptions.identifyBy = 2;
  repricingOptions.copyName = 1;
  SaveRepricingSettings(70000);
  EXPECT_EQ(Writes(), (std::vector<std::string>{"Mag=70000", "Brutto=1", "Path=C:\\moje ceny\\t.txt", "Index=2",
                                                "Opis=1"}));
  const int modes[] = {2, 2, 9, 2, 2};
  const char* formats[] = {"%d", "%d", "%s", "%d", "%d"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(hostsim::settingCalls[i].mode, modes[i]);
    EXPECT_EQ(hostsim::settingCalls[i].format, formats[i]);
    EXPECT_EQ(hostsim::settingCalls[i].section, "Przecena");
  }
}

TEST_F(Settings, ANegativeWarehouseIsNotSaved) {
  StoreSetting("Przecena", "Mag", "4");
  std::memset(&repricingOptions, 0, sizeof repricingOptions);
  SaveRepricingSettings(-2);
  EXPECT_EQ(Writes(), (std::vector<std::string>{"Brutto=0", "Path=", "Index=0", "Opis=0"}));
  EXPECT_EQ(StoredSetting("Przecena", "Mag"), "4");
}

TEST_F(Settings, WhatARunSavesTheNextRunOpensWith) {
  hostsim::dialogs.script = {"type C:\\moje ceny.txt; choose B; choose U; tick; F12", "F12"};
  hostsim::dialogs.warehouseScript = {9};
  int32_t warehouse;
  ASSERT_TRUE(StartRun(warehouse));
  EXPECT_EQ(warehouse, 9);
  std::memset(&repricingOptions, 0x77, sizeof repricingOptions);
  ASSERT_TRUE(StartRun(warehouse));
  const hostsim::DialogShowing& second = hostsim::dialogs.showings[1];
  EXPECT_EQ(second.opened.inputs[0], "C:\\moje ceny.txt");
  EXPECT_EQ(second.opened.groups, (std::vector<int16_t>{1, 2}));
  EXPECT_EQ(second.opened.boxes, (std::vector<int16_t>{1}));
  EXPECT_EQ(hostsim::dialogs.lastWarehouseGiven, 9);
}

TEST_F(Settings, AnIndexOf3IsSavedAgainAsItWas) {
  StoreSetting("Przecena", "Index", "3");
  hostsim::dialogs.script = {"F12"};
  int32_t warehouse;
  ASSERT_TRUE(StartRun(warehouse));
  EXPECT_EQ(+repricingOptions.identifyBy, 3);
  EXPECT_EQ(StoredSetting("Przecena", "Index"), "3");
}

TEST_F(Settings, ANegativeChoiceKeepsTheStoredWarehouse) {
  StoreSetting("Przecena", "Mag", "4");
  hostsim::dialogs.script = {"F12"};
  hostsim::dialogs.warehouseScript = {-1};
  int32_t warehouse;
  ASSERT_TRUE(StartRun(warehouse));
  EXPECT_EQ(warehouse, -1);
  EXPECT_EQ(StoredSetting("Przecena", "Mag"), "4");
}

TEST_F(Settings, ACancelledDialogSavesNothing) {
  struct Case {
    const char* name;
    std::deque<std::string> dialog;
    std::deque<std::string> chooser;
  };
  const Case cases[] = {
      {"left at once", {"leave"}, {}},
      {"changed, then left", {"type inny.txt; choose B; tick; leave"}, {}},
      {"F3, then -1", {"type inny.txt; F3"}, {"-1"}},
      {"F3, a file, then left", {"F3", "leave"}, {"C:\\inny.txt"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    hostsim::ResetHostSim();
    StoreSetting("Przecena", "Path", "stary.txt");
    hostsim::dialogs.script = c.dialog;
    hostsim::dialogs.chooserScript = c.chooser;
    int32_t warehouse;
    EXPECT_FALSE(StartRun(warehouse));
    EXPECT_TRUE(Writes().empty());
    EXPECT_EQ(hostsim::dialogs.warehouseCalls, 0);
    EXPECT_EQ(StoredSetting("Przecena", "Path"), "stary.txt");
  }
}

}  // namespace
