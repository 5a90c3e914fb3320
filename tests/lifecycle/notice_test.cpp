#include "hostsim/player/failure_plan.h"
#include "hostsim/services/svc_messages.h"
#include "plugin_fixture.h"

namespace {

const char* const kNotice =
    "Dodano opcje przeceny w menu: Inne/Przecena w magazynach\nFormat pliku towary.txt wg Velmora";

using FirstRunNotice = PluginTest;

int Writes() {
  int n = 0;
  for (const hostsim::SettingCall& c : hostsim::settingCalls) n += c.mode == 2;
  return n;
}

TEST_F(FirstRunNotice, AnsweredEarlierMeansNoDialogNoWriteNoNotice) {
  for (const char* stored : {"1", "-1", "7", "32767"}) {
    SCOPED_TRACE(stored);
    hostsim::ResetHostSim();
    hostsim::StoreSetting("Przecenamag", "Pytaj", stored);
    EXPECT_EQ(Load(), 0);
    EXPECT_EQ(hostsim::noticeCalls.size(), 0u);
    EXPECT_EQ(Writes(), 0);
    EXPECT_EQ(hostsim::Transcript().size(), 0u);
    EXPECT_EQ(*hostsim::StoredSetting("Przecenamag", "Pytaj"), stored);
  }
}

TEST_F(FirstRunNotice, MissingOrZeroAndLeftZeroShowsTheNoticeAtEveryLoad) {
  for (const char* stored : {"", "0", "x"}) {
    SCOPED_TRACE(stored);
    hostsim::ResetHostSim();
    hostsim::EraseSettings();
    if (*stored) hostsim::StoreSetting("Przecenamag", "Pytaj", stored);
    for (int load = 1; load <= 3; ++load) {
      SCOPED_TRACE(load);
      EXPECT_EQ(Load(), 0);
      EXPECT_EQ(Unload(), 0);
      ASSERT_EQ(hostsim::noticeCalls.size(), static_cast<std::size_t>(load));
      EXPECT_EQ(Count("messageBox"), load);
      EXPECT_EQ(*hostsim::StoredSetting("Przecenamag", "Pytaj"), "0");
    }
    const hostsim::NoticeCall& n = hostsim::noticeCalls[0];
    EXPECT_EQ(n.kind, 1194);
    EXPECT_EQ(n.zero, 0);
    EXPECT_EQ(n.flagBefore, 0);
    EXPECT_EQ(n.text, "Przecena w kilku magazynach z pliku");
    const hostsim::Shown& shown = hostsim::Transcript().back();
    EXPECT_EQ(shown.service, "messageBox");
    EXPECT_EQ(shown.title, "uwaga");
    EXPECT_EQ(shown.text, kNotice);
    EXPECT_EQ(shown.mode, 1);
  }
}

TEST_F(FirstRunNotice, ReadFirstThenDialogThenWriteThenMessage) {
  EXPECT_EQ(Load(), 0);
  ASSERT_EQ(hostsim::settingCalls.size(), 2u);
  const hostsim::SettingCall& read = hostsim::settingCalls[0];
  EXPECT_EQ(read.mode, 1);
  EXPECT_EQ(read.section, "Przecenamag");
  EXPECT_EQ(read.key, "Pytaj");
  EXPECT_EQ(read.format, "%d");
  const hostsim::SettingCall& write = hostsim::settingCalls[1];
  EXPECT_EQ(write.mode, 2);
  EXPECT_EQ(write.section, "Przecenamag");
  EXPECT_EQ(write.key, "Pytaj");
  EXPECT_EQ(write.format, "%d");
  ASSERT_EQ(hostsim::Transcript().size(), 2u);
  EXPECT_EQ(hostsim::Transcript()[0].service, "noticeDialog");
  EXPECT_EQ(hostsim::Transcript()[1].service, "messageBox");
}

TEST_F(FirstRunNotice, WhatTheHostSetIsWrittenBackAndEndsTheNotices) {
  struct Row { int16_t answer; const char* stored; } rows[] = {{1, "1"}, {-2, "-2"}, {300, "300"}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.stored);
    hostsim::ResetHostSim();
    hostsim::EraseSettings();
    hostsim::noticeFlagAnswer = r.answer;
    EXPECT_EQ(Load(), 0);
    EXPECT_EQ(*hostsim::StoredSetting("Przecenamag", "Pytaj"), r.stored);
    EXPECT_EQ(Count("messageBox"), 1);
    EXPECT_EQ(Load(), 0);
    EXPECT_EQ(hostsim::noticeCalls.size(), 1u);
    EXPECT_EQ(Count("messageBox"), 1);
  }
}

TEST_F(FirstRunNotice, AFailedReadCountsAsZero) {
  hostsim::StoreSetting("Przecenamag", "Pytaj", "1");
  hostsim::PlanFailure(hostsim::FailingService::Settings, 1);
  EXPECT_EQ(Load(), 0);
  EXPECT_EQ(hostsim::noticeCalls.size(), 1u);
  EXPECT_EQ(Count("messageBox"), 1);
}

}  // namespace
