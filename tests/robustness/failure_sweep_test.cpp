// The failure sweep: a reference run of a small shop counts the calls of every host
// service that can fail; then the run is repeated with each call of each service
// failing, once and from then on, and every run must leave a sound goods file, give
// back the host's memory and cursors and claim no change the goods file does not hold.
// Natively (host files in memory, sanitizers) every call; through the DLL under Wine
// the first and the last call of each service.
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "tests/robustness/failure_sweep.h"

using namespace testing_sweep;
using hostsim::FailingService;

namespace {

#ifdef PRZECENA_DLL
constexpr bool Sample = true;
#else
constexpr bool Sample = false;
#endif

class FailureSweep : public testing_hostile::HostileRun {
 protected:
  // One run of the shop with the plan for that service (none: the reference run);
  // the failure plan counts from the run's first call. Returns what is wrong with it.
  std::vector<std::string> RunWith(const FailingService* service, const hostsim::ServicePlan& plan) {
    TearDown();
#ifndef PRZECENA_DLL
    hostsim::KeepFilesInMemory(true);
#endif
    SetUp();
    loaded = loadedOnce = false;
    testing_run::WriteFile("towary.txt", PriceFile());
    EXPECT_TRUE(hostsim::WriteHostFile(hostsim::GoodsFileName(1), GoodsFile(OldRecords())));
    PlayTheUser();
    Load();
    loadedOnce = true;
    hostsim::ResetFailurePlan();
    if (service) hostsim::PlanFailure(*service, plan.call, plan.fromThenOn, plan.variant);
    std::vector<std::string> problems;
#ifdef PRZECENA_DLL
    hostsim::CallOutcome o = hostsim::ChooseMenuCommand(testing_run::RepricingCommand);
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
    for (std::string& p : RunProblems(testing_run::FileBytes(hostsim::GoodsFileName(1)),
                                      summary ? summary->text : "", appendsLost))
      problems.push_back(p);
    if (std::string p = testing_hostile::ReportProblem(); !p.empty()) problems.push_back(p);
    if (!hostsim::memory.blocks.empty()) problems.push_back("host memory left");
    if (hostsim::memory.unknownBlocks) problems.push_back("a block the host never gave was handed back");
    if (hostsim::goodsCounters.openCursors) problems.push_back("a cursor left open");
    return problems;
  }

  // The calls of each service in the reference run.
  std::map<FailingService, int> ReferenceCalls() {
    EXPECT_EQ(RunWith(nullptr, {}), std::vector<std::string>{});
    std::map<FailingService, int> calls;
    for (FailingService s : hostsim::FailingServices) calls[s] = hostsim::CountOf(s).calls;
    return calls;
  }
};

TEST_F(FailureSweep, TheReferenceRunRepricesTheShop) {
  EXPECT_EQ(RunWith(nullptr, {}), std::vector<std::string>{});
  EXPECT_TRUE(testing_run::FileBytes(hostsim::GoodsFileName(1)) == GoodsFile(NewRecords()));
  const hostsim::Shown* summary = Find("messageBoxFormat");
  ASSERT_NE(summary, nullptr);
  EXPECT_EQ(summary->text,
            "Ilość towarów odczytana z pliku:    5\n"
            "Ilość niezidentyfikowanych towarów: 1\n"
            "Ilość za długich symboli:           0\n"
            "Błąd zmiany ceny:                   1\n"
            "Towary z takimi samymi cenami:      2");
  // What the sweep goes through: each service's calls in this run.
  struct Row {
    FailingService service;
    int calls;
  } rows[] = {
      {FailingService::Dialog, 2},   {FailingService::Chooser, 1},  {FailingService::Warehouse, 1},
      {FailingService::Settings, 10}, {FailingService::TableOpen, 2}, {FailingService::Fetch, 14},
      {FailingService::Store, 4},    {FailingService::Conversion, 8}, {FailingService::Stop, 6},
  };
  for (const Row& row : rows)
    EXPECT_EQ(hostsim::CountOf(row.service).calls, row.calls) << hostsim::NameOf(row.service);
  for (FailingService s : hostsim::FailingServices) EXPECT_EQ(hostsim::CountOf(s).failed, 0);
}

TEST_F(FailureSweep, EveryCallOfEveryServiceFailing) {
  std::map<FailingService, int> calls = ReferenceCalls();
  int runs = 0;
  for (FailingService s : hostsim::FailingServices) {
    EXPECT_GT(calls[s], 0) << hostsim::NameOf(s) << " is never called: the sweep would not reach it";
    for (const hostsim::ServicePlan& plan : PlansFor(s, calls[s], Sample)) {
      std::string label = PlanLabel(s, plan);
      SCOPED_TRACE(label);
      std::vector<std::string> problems = RunWith(&s, plan);
      EXPECT_EQ(problems, std::vector<std::string>{});
      EXPECT_GE(hostsim::CountOf(s).failed, 1) << "the planned call was never made";
      ++runs;
    }
  }
  RecordProperty("runs", runs);
  std::printf("failure sweep: %d runs\n", runs);
}

}  // namespace
