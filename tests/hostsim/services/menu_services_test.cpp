#include <gtest/gtest.h>

#include <cstring>

#include "host/records.h"
#include "host/services.h"
#include "hostsim/services/reset.h"
#include "hostsim/services/service_table.h"
#include "hostsim/services/svc_messages.h"
#include "hostsim/services/svc_menu.h"

namespace {

TEST(BuildDate, TextsBecomeNumbersInDateOrder) {
  struct Row { const char* text; uint32_t value; } rows[] = {
      {"Jan 03 2005", 20050103}, {"Jan  3 2005", 20050103}, {"Dec 31 2004", 20041231},
      {"Feb 01 2005", 20050201}, {"Mar 14 2011", 20110314},
      {"", 0}, {"Foo 01 2005", 0}, {"Jan 00 2005", 0}, {"Jan 32 2005", 0}, {"Jan 03 2005x", 0},
      {"jan 03 2005", 0}, {"Jan 03 10000", 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.text);
    EXPECT_EQ(hostsim::DateValue(r.text), r.value);
  }
  EXPECT_LT(hostsim::DateValue("Dec 31 2004"), hostsim::DateValue("Jan 01 2005"));
  EXPECT_LT(hostsim::DateValue("Jan 31 2005"), hostsim::DateValue("Feb 01 2005"));
}

TEST(BuildDate, NullAsksForTheConfiguredBuildDate) {
  hostsim::ResetHostSim();
  hostsim::buildDate = "Jan 02 2005";
  EXPECT_EQ(dateNumber(nullptr), 20050102u);
  EXPECT_EQ(dateNumber("Jan 03 2005"), 20050103u);
  ASSERT_EQ(hostsim::dateCalls.size(), 2u);
  EXPECT_FALSE(hostsim::dateCalls[0]);
  EXPECT_EQ(*hostsim::dateCalls[1], "Jan 03 2005");
}

TEST(GoodsTableDescriptor, Table49OnlyWithTheConfiguredFields) {
  hostsim::ResetHostSim();
  EXPECT_EQ(tableDescriptor(48), nullptr);
  auto* d = static_cast<unsigned char*>(tableDescriptor(49));
  ASSERT_NE(d, nullptr);
  int16_t length;
  std::memcpy(&length, d + GoodsTableRecordLengthOffset, 2);
  EXPECT_EQ(length, 769);
  void* record;
  std::memcpy(&record, d + GoodsTableRecordBufferOffset, sizeof record);
  EXPECT_EQ(record, hostsim::goodsRecordBuffer);
  if (sizeof(void*) == 4) {
    int16_t variant;
    std::memcpy(&variant, d + GoodsTableVariantOffset, 2);
    EXPECT_EQ(variant, 720);
  }
  hostsim::descriptorConfig.present = false;
  EXPECT_EQ(tableDescriptor(49), nullptr);
  EXPECT_EQ(hostsim::descriptorCalls, (std::vector<int>{48, 49, 49}));
}

TEST(MenuInne, RegisteringAgainReplacesRemovingTakesItOut) {
  hostsim::ResetHostSim();
  static void (*const handler)() = [] {};
  MenuEntry a = {MenuCodeInne, "one", 7, 0, handler, 0};
  MenuEntry b = {MenuCodeInne, "two", 7, 0, handler, 0};
  MenuEntry c = {MenuCodeInne, "three", 8, 0, handler, 0};
  addMenuCommand(&a);
  addMenuCommand(&b);
  addMenuCommand(&c);
  ASSERT_EQ(hostsim::menuInne.size(), 2u);
  EXPECT_EQ(hostsim::FindMenuCommand(7)->title, "two");
  EXPECT_EQ(std::memcmp(hostsim::FindMenuCommand(8)->bytes.data(), &c, sizeof c), 0);
  removeMenuCommand(7);
  EXPECT_EQ(hostsim::FindMenuCommand(7), nullptr);
  EXPECT_NE(hostsim::FindMenuCommand(8), nullptr);
  EXPECT_EQ(hostsim::addMenuCalls, 3);
  EXPECT_EQ(hostsim::removeMenuCalls, std::vector<int>{7});
}

// What the host hands out for an ordinal: its service, nothing for one configured as
// missing or unknown, and a replacement configured for it.
TEST(ServiceTable, AnOrdinalGivesItsServiceUnlessMissingOrReplaced) {
  hostsim::ResetHostSim();
  static int replacement;
  hostsim::missingServices = {52030};
  hostsim::extraServices = {{52023, &replacement}};
  const struct {
    uint32_t ordinal;
    void* address;
  } rows[] = {{52028, reinterpret_cast<void*>(&messageBox)}, {52030, nullptr}, {52023, &replacement}, {1, nullptr}};
  for (const auto& row : rows) EXPECT_EQ(hostsim::ServiceAddress(row.ordinal), row.address) << row.ordinal;
  hostsim::ResetHostSim();
}

// The first-run notice: recorded with the flag as it came; the flag set to the answer
// configured, if any; no flag or text is no fault.
TEST(NoticeDialog, RecordsTheCallAndSetsTheFlagToTheAnswer) {
  hostsim::ResetHostSim();
  int16_t flag = 3;
  EXPECT_EQ(noticeDialog(1, &flag, 0, "a"), 0);
  EXPECT_EQ(flag, 3);
  hostsim::noticeFlagAnswer = 7;
  EXPECT_EQ(noticeDialog(2, &flag, 0, nullptr), 0);
  EXPECT_EQ(flag, 7);
  EXPECT_EQ(noticeDialog(2, nullptr, 5, "b"), 0);
  ASSERT_EQ(hostsim::noticeCalls.size(), 3u);
  EXPECT_EQ(hostsim::noticeCalls[0].flagBefore, 3);
  EXPECT_EQ(hostsim::noticeCalls[1].text, "");
  EXPECT_EQ(hostsim::noticeCalls[2].flagBefore, 0);
  EXPECT_EQ(hostsim::noticeCalls[2].zero, 5);
  hostsim::ResetHostSim();
}

}  // namespace
