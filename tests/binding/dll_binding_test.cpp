// Binding as the host sees it, through the real PRZECENA.DLL: services are asked for on
// their first use only and once, a missing one is reported in the system's message box
// (answered here through the DLL's import slot), Ignore carries on with a stub that
// suits the service, Abort ends the host's call in an SE_Exception.
#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "host/mazovia.h"
#include "hostsim/services/reset.h"
#include "hostsim/services/service_table.h"
#include "hostsim/services/svc_settings.h"
#include "hostsim/win32/host.h"
#include "hostsim/win32/import_patch.h"
#include "tests/support/windows1250.h"

namespace {

std::vector<std::string> boxTexts, boxCaptions;
std::deque<int> answers;

int WINAPI ScriptedMessageBox(HWND, LPCSTR text, LPCSTR caption, UINT flags) {
  boxTexts.emplace_back(text);
  boxCaptions.emplace_back(caption);
  EXPECT_EQ(flags, 0x2012u);
  if (answers.empty()) {
    ADD_FAILURE() << "unexpected message box: " << text;
    return IDABORT;
  }
  int answer = answers.front();
  answers.pop_front();
  return answer;
}

// How often each ordinal was asked for through HostCallback kind 2 since `from`.
std::map<uint32_t, int> OrdinalsAsked(size_t from = 0) {
  std::map<uint32_t, int> asked;
  const auto& calls = hostsim::callbackCalls;
  for (size_t i = from; i < calls.size(); ++i)
    if (calls[i].first == 2 && calls[i].second < 65536) ++asked[calls[i].second];
  return asked;
}

using testing_support::Cp1250;

class DllBindingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hostsim::ResetHostSim();
    hostsim::EraseSettings();
    boxTexts.clear();
    boxCaptions.clear();
    answers.clear();
    ASSERT_TRUE(hostsim::LoadPluginLibrary(PRZECENA_DLL));
    ASSERT_NE(hostsim::PatchImport(static_cast<HMODULE>(hostsim::PluginModule()), "user32.dll", "MessageBoxA",
                                   reinterpret_cast<void*>(&ScriptedMessageBox)),
              nullptr);
  }
  void TearDown() override {
    hostsim::FreePluginLibrary();
    hostsim::EraseSettings();
    EXPECT_TRUE(answers.empty()) << answers.size() << " scripted answers left over";
  }
  static hostsim::CallOutcome Load() {
    char name[64];
    return hostsim::LoadCall(name);
  }
};

TEST_F(DllBindingTest, ServicesAreAskedForAtTheirFirstUseOnly) {
  std::set<uint32_t> known;
  for (const hostsim::ServiceRow& row : hostsim::ServiceRows()) known.insert(row.ordinal);

  ASSERT_TRUE(Load().completed);
  std::map<uint32_t, int> asked = OrdinalsAsked();
  EXPECT_FALSE(asked.empty());
  EXPECT_LT(asked.size(), known.size());  // only what the load call used, not the table
  for (const auto& [ordinal, times] : asked) {
    SCOPED_TRACE(ordinal);
    EXPECT_EQ(times, 1);
    EXPECT_TRUE(known.count(ordinal));
  }

  size_t mark = hostsim::callbackCalls.size();
  ASSERT_TRUE(Load().completed);
  EXPECT_TRUE(OrdinalsAsked(mark).empty()) << "a second load call asked the host again";

  mark = hostsim::callbackCalls.size();
  ASSERT_TRUE(hostsim::UnloadCall().completed);
  EXPECT_EQ(OrdinalsAsked(mark), (std::map<uint32_t, int>{{52082, 1}}));
  mark = hostsim::callbackCalls.size();
  ASSERT_TRUE(hostsim::UnloadCall().completed);
  EXPECT_TRUE(OrdinalsAsked(mark).empty());
  EXPECT_TRUE(boxTexts.empty());
}

// Under Wine the plug-in runs as under Windows: the report's highlight bytes are spaces
// and its text is converted by the stand-in's 52158 for the message box.
TEST_F(DllBindingTest, MissingServiceOfTheLoadCallIsReportedAndIgnored) {
  hostsim::missingServices = {52081};
  answers = {IDRETRY, IDIGNORE};
  hostsim::CallOutcome outcome = Load();
  ASSERT_TRUE(outcome.completed) << std::hex << outcome.exceptionCode;
  ASSERT_EQ(boxTexts.size(), 2u);
  char program[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
  const std::string expected =
      Cp1250("W module  " + std::string(program, length) + " \nbrak wpisu  52081 \n" +
             "Wywołano z wtyczki  Przecena w kilku magazynach z pliku .\n\n"
             "Błąd ten można zignorować lecz dalsza praca\n"
             "programu w tych warunkach może być niebezpieczna.\n\n"
             "Konieczna jest aktualizacja programu!");
  EXPECT_EQ(boxTexts[0], expected);
  EXPECT_EQ(boxTexts[1], expected);
  EXPECT_EQ(boxCaptions[0], Cp1250("POWAŻNY BŁĄD WTYCZKI"));
  EXPECT_EQ(OrdinalsAsked()[52081], 1);
  EXPECT_EQ(OrdinalsAsked()[52158], 1);

  ASSERT_TRUE(Load().completed);  // the stub stays: no second report, no second question
  EXPECT_EQ(boxTexts.size(), 2u);
  EXPECT_EQ(OrdinalsAsked()[52081], 1);
}

TEST_F(DllBindingTest, AbortEndsTheHostsCallInAnSeExceptionEveryTime) {
  hostsim::missingServices = {52081};
  answers = {IDABORT};
  for (int call = 0; call < 2; ++call) {
    SCOPED_TRACE(call);
    hostsim::CallOutcome outcome = Load();
    EXPECT_FALSE(outcome.completed);
    EXPECT_EQ(outcome.exceptionCode, 0xE0534500u);
    EXPECT_EQ(outcome.innerCode, 0xE0534501u);
  }
  EXPECT_EQ(boxTexts.size(), 1u);
  EXPECT_EQ(OrdinalsAsked()[52081], 1);
}

// 52082 is __cdecl: Ignore gives it the stub that removes nothing, so the unload call
// returns normally (its low digits, 82, would give no stub at all).
TEST_F(DllBindingTest, IgnoredServiceKeepsItsCallingConvention) {
  ASSERT_TRUE(Load().completed);
  hostsim::missingServices = {52082};
  answers = {IDIGNORE};
  hostsim::CallOutcome outcome = hostsim::UnloadCall();
  EXPECT_TRUE(outcome.completed) << std::hex << outcome.exceptionCode;
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(boxTexts.size(), 1u);
}

}  // namespace
