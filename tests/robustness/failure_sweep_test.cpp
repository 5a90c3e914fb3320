// The failure sweep: a reference run of a small shop counts the calls of every host
// service that can fail; then the run is repeated with each call of each service
// failing, once and from then on, and every run must leave a sound goods file, give
// back the host's memory and cursors and claim no change the goods file does not hold.
// Natively (host files in memory, sanitizers) every call; through the DLL under Wine
// the first and the last call of each service (every call with PRZECENA_FULL_SWEEP set).
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "tests/robustness/failure_sweep.h"
#include "tests/support/run_checks.h"

using namespace testing_sweep;
using hostsim::FailingService;

namespace {

// Through the DLL the test command takes the first and the last call of each service;
// scripts/failure-sweep.sh sets PRZECENA_FULL_SWEEP for every call there too.
bool Sample() {
#ifdef PRZECENA_DLL
  return std::getenv("PRZECENA_FULL_SWEEP") == nullptr;
#else
  return false;
#endif
}

class FailureSweep : public testing_hostile::HostileRun {
 protected:
  // One run of the shop with the plan for that service (none: the reference run);
  // the failure plan counts from the run's first call. Returns what is wrong with it.
  std::vector<std::string> RunWith(const Scenario& scenario, const FailingService* service,
                                   const hostsim::ServicePlan& plan) {
    TearDown();
#ifndef PRZECENA_DLL
    hostsim::KeepFilesInMemory(true);
#endif
    SetUp();
    loaded = loadedOnce = false;
    testing_run::WriteFile("towary.txt", scenario.priceFile);
    EXPECT_TRUE(hostsim::WriteHostFile(hostsim::GoodsFileName(1), GoodsFile(OldRecords())));
    PlayTheUser(scenario);
    Load();
    loadedOnce = true;
    hostsim::ResetFailurePlan();
    if (service) hostsim::PlanFailure(*service, plan.call, plan.fromThenOn, plan.variant);
    std::vector<std::string> problems;
#ifdef PRZECENA_DLL
    hostsim::CallOutcome o = hostsim::ChooseMenuCommand(RepricingCommand);
    if (!o.completed) problems.push_back("the run ended in an exception, code " + std::to_string(o.exceptionCode));
#else
    hostsim::EnterPluginCall();
    try {
      RunRepricing();
    } catch (...) {
      problems.push_back("the run ended in a C++ exception");
    }
    hostsim::LeavePluginCall();
#endif
    const hostsim::Shown* summary = Find("messageBoxFormat");
    bool appendsLost = hostsim::fileCounters.appendsFailed > 0;
    for (std::string& p : RunProblems(scenario, testing_run::FileBytes(hostsim::GoodsFileName(1)),
                                      summary ? summary->text : "", appendsLost))
      problems.push_back(p);
    if (std::string p = run_checks::ReportProblem(); !p.empty()) problems.push_back(p);
    if (std::string p = run_checks::GivenBackProblem(); !p.empty()) problems.push_back(p);
    return problems;
  }

  // The calls of each service in the reference run.
  std::map<FailingService, int> ReferenceCalls(const Scenario& scenario) {
    EXPECT_EQ(RunWith(scenario, nullptr, {}), std::vector<std::string>{});
    std::map<FailingService, int> calls;
    for (FailingService s : hostsim::FailingServices) calls[s] = hostsim::CountOf(s).calls;
    return calls;
  }
};

TEST_F(FailureSweep, TheReferenceRunsRepriceTheShop) {
  struct Row {
    const char* summary;
    int settings, fetches, stores, conversions, stops;  // calls of the services
  } rows[] = {
      {"Ilość towarów odczytana z pliku:    5\n"
       "Ilość niezidentyfikowanych towarów: 1\n"
       "Ilość za długich symboli:           0\n"
       "Błąd zmiany ceny:                   1\n"
       "Towary z takimi samymi cenami:      2",
       10, 14, 4, 8, 6},
      {"Ilość towarów odczytana z pliku:    6\n"
       "Ilość niezidentyfikowanych towarów: 1\n"
       "Ilość za długich symboli:           0\n"
       "Błąd zmiany ceny:                   1\n"
       "Towary z takimi samymi cenami:      2",
       10, 14, 2, 8, 7},
  };
  std::vector<Scenario> scenarios = Scenarios();
  for (std::size_t i = 0; i < scenarios.size(); ++i) {
    const Scenario& scenario = scenarios[i];
    const Row& row = rows[i];
    SCOPED_TRACE(scenario.label);
    EXPECT_EQ(RunWith(scenario, nullptr, {}), std::vector<std::string>{});
    EXPECT_TRUE(testing_run::FileBytes(hostsim::GoodsFileName(1)) == GoodsFile(scenario.newRecords));
    const hostsim::Shown* summary = Find("messageBoxFormat");
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(summary->text, row.summary);
    // What the sweep goes through: each service's calls in this run.
    EXPECT_EQ(hostsim::CountOf(FailingService::Dialog).calls, 2);
    EXPECT_EQ(hostsim::CountOf(FailingService::Chooser).calls, 1);
    EXPECT_EQ(hostsim::CountOf(FailingService::Warehouse).calls, 1);
    EXPECT_EQ(hostsim::CountOf(FailingService::TableOpen).calls, 2);
    EXPECT_EQ(hostsim::CountOf(FailingService::Settings).calls, row.settings);
    EXPECT_EQ(hostsim::CountOf(FailingService::Fetch).calls, row.fetches);
    EXPECT_EQ(hostsim::CountOf(FailingService::Store).calls, row.stores);
    EXPECT_EQ(hostsim::CountOf(FailingService::Conversion).calls, row.conversions);
    EXPECT_EQ(hostsim::CountOf(FailingService::Stop).calls, row.stops);
    for (FailingService s : hostsim::FailingServices) EXPECT_EQ(hostsim::CountOf(s).failed, 0);
  }
}

TEST_F(FailureSweep, EveryCallOfEveryServiceFailing) {
  int runs = 0;
  for (const Scenario& scenario : Scenarios()) {
    SCOPED_TRACE(scenario.label);
    std::map<FailingService, int> calls = ReferenceCalls(scenario);
    for (FailingService s : hostsim::FailingServices) {
      EXPECT_GT(calls[s], 0) << hostsim::NameOf(s) << " is never called: the sweep would not reach it";
      for (const hostsim::ServicePlan& plan : PlansFor(s, calls[s], Sample())) {
        SCOPED_TRACE(PlanLabel(s, plan));
        EXPECT_EQ(RunWith(scenario, &s, plan), std::vector<std::string>{});
        EXPECT_GE(hostsim::CountOf(s).failed, 1) << "the planned call was never made";
        ++runs;
      }
    }
  }
  RecordProperty("runs", runs);
  std::printf("failure sweep: %d runs\n", runs);
}

}  // namespace

#ifdef PRZECENA_DLL
#include <windows.h>

#include <set>

#include "hostsim/services/plugin_call.h"
#include "hostsim/services/service_table.h"
#include "hostsim/win32/import_patch.h"

namespace {

// Every host service the run calls (load and run of the shop together), by ordinal.
const std::set<uint32_t> RunServices = {21286, 21287, 52026, 52028, 52029, 52064, 52161,
                                        52169, 52179, 52225, 52278, 52279, 52280, 52281,
                                        52289, 52311, 52337, 52405, 52407, 52411, 52460};

// The plug-in's system message boxes: each is counted and answered with boxAnswer.
int boxAnswer = IDIGNORE;
std::vector<std::string> boxTexts;
int WINAPI AnsweringMessageBox(HWND, LPCSTR text, LPCSTR, UINT) {
  boxTexts.emplace_back(text);
  return boxAnswer;
}

class MissingServices : public testing_run::RunFixture {
 protected:
  const Scenario shop = Scenarios()[0];  // gross prices by symbol, names copied

  // A fresh shop and a fresh load of the plug-in by a host that lacks `missing` (0:
  // none); the plug-in's message boxes are answered with `answer`. The load's outcome.
  hostsim::CallOutcome FreshLoad(uint32_t missing, int answer) {
    StartAfresh();
    testing_run::WriteFile("towary.txt", shop.priceFile);
    EXPECT_TRUE(hostsim::WriteHostFile(hostsim::GoodsFileName(1), GoodsFile(OldRecords())));
    PlayTheUser(shop);
    if (missing) hostsim::missingServices = {missing};
    boxAnswer = answer;
    boxTexts.clear();
    EXPECT_TRUE(hostsim::LoadPluginLibrary(PRZECENA_DLL));
    loaded = loadedOnce = true;
    EXPECT_NE(hostsim::PatchImport(static_cast<HMODULE>(hostsim::PluginModule()), "user32.dll", "MessageBoxA",
                                   reinterpret_cast<void*>(&AnsweringMessageBox)),
              nullptr);
    char name[64];
    return hostsim::LoadCall(name);
  }

  // Whether the outcome is the plug-in's SE_Exception carrying the given-up service's
  // exception with its ordinal.
  static std::string AbortProblem(const hostsim::CallOutcome& o, uint32_t ordinal) {
    if (o.completed) return "completed";
    if (o.exceptionCode != hostsim::SeExceptionCode) return "exception " + std::to_string(o.exceptionCode);
    if (o.innerCode != 0xE0534501u) return "carries " + std::to_string(o.innerCode);
    auto* info = reinterpret_cast<const EXCEPTION_POINTERS*>(o.innerInfo);
    if (!hostsim::InPluginImage(o.innerInfo) || info->ExceptionRecord->NumberParameters != 1)
      return "no copy of the record with one parameter";
    if (info->ExceptionRecord->ExceptionInformation[0] != ordinal)
      return "carries the ordinal " + std::to_string(info->ExceptionRecord->ExceptionInformation[0]);
    return "";
  }
};

// The reference run through the DLL asks the host for exactly the services listed.
TEST_F(MissingServices, TheRunCallsTheListedServices) {
  ASSERT_TRUE(FreshLoad(0, IDIGNORE).completed);
  hostsim::CallOutcome o = hostsim::ChooseMenuCommand(RepricingCommand);
  ASSERT_TRUE(o.completed);
  std::set<uint32_t> asked;
  for (const auto& [kind, value] : hostsim::callbackCalls)
    if (kind == 2 && value < 65536) asked.insert(value);
  asked.erase(52006);  // the build date: the load's alone
  asked.erase(52256);  // the goods table descriptor: the load's alone
  asked.erase(52081);  // the menu command: the load's alone
  asked.erase(52158);  // the character set of the missing service's report
  EXPECT_EQ(asked, RunServices);
  EXPECT_TRUE(testing_run::FileBytes(hostsim::GoodsFileName(1)) == GoodsFile(shop.newRecords));
}

// Ignore: the stub answers in its place; the load and the run return, the goods stay
// sound and the reports claim nothing the goods do not hold.
TEST_F(MissingServices, IgnoredEachRunsSafely) {
  for (uint32_t ordinal : RunServices) {
    SCOPED_TRACE(ordinal);
    hostsim::CallOutcome load = FreshLoad(ordinal, IDIGNORE);
    EXPECT_TRUE(load.completed) << std::hex << load.exceptionCode;
    hostsim::CallOutcome run = hostsim::ChooseMenuCommand(RepricingCommand);
    EXPECT_TRUE(run.completed) << std::hex << run.exceptionCode << " " << run.innerCode;
    EXPECT_EQ(boxTexts.size(), 1u);
    std::vector<bool> isNew;
    EXPECT_EQ(GoodsProblems(shop, testing_run::FileBytes(hostsim::GoodsFileName(1)), isNew), std::vector<std::string>{});
    int notHeld = 0;
    EXPECT_EQ(ClaimProblems(shop, isNew, false, notHeld), std::vector<std::string>{});
  }
}

// Abort: the call that first needs the service (the load, or the run) leaves the
// plug-in as SE_Exception carrying 0xE0534501 and the ordinal; the goods stay sound;
// the next load of a host that has the service works and reprices the shop; and the
// price file can be deleted (the aborted plug-in's unload closed it).
TEST_F(MissingServices, AbortedEachEndsInTheExceptionAndTheNextLoadWorks) {
  for (uint32_t ordinal : RunServices) {
    SCOPED_TRACE(ordinal);
    hostsim::CallOutcome load = FreshLoad(ordinal, IDABORT);
    hostsim::CallOutcome ended = load;
    if (load.completed) ended = hostsim::ChooseMenuCommand(RepricingCommand);
    EXPECT_EQ(AbortProblem(ended, ordinal), "");
    EXPECT_EQ(boxTexts.size(), 1u);
    std::vector<bool> isNew;
    EXPECT_EQ(GoodsProblems(shop, testing_run::FileBytes(hostsim::GoodsFileName(1)), isNew), std::vector<std::string>{});

    ASSERT_TRUE(FreshLoad(0, IDIGNORE).completed);
    ASSERT_TRUE(hostsim::ChooseMenuCommand(RepricingCommand).completed);
    EXPECT_TRUE(testing_run::FileBytes(hostsim::GoodsFileName(1)) == GoodsFile(shop.newRecords));
    EXPECT_TRUE(boxTexts.empty());
    // The aborted plug-in, unloaded since, holds no handle of the price file.
    EXPECT_EQ(std::remove("towary.txt"), 0);
  }
}

}  // namespace
#endif
