// The stand-in program's answers for the dialog, the chooser, the warehouse choice,
// the memory and the interruption check.
#include <string>

#include <gtest/gtest.h>

#include "host/mazovia.h"
#include "host/services.h"
#include "hostsim/player/answers.h"
#include "hostsim/player/failure_plan.h"
#include "hostsim/services/dialogs.h"
#include "hostsim/services/memory.h"
#include "hostsim/services/reset.h"
#include "reprice/options.h"

namespace {

TEST(Answers, ConfigureTheDialogAndMemoryServices) {
  hostsim::ResetHostSim();
  std::string error;
  ASSERT_TRUE(hostsim::ParseAnswers("dialog = type C:\\żółte ceny.txt; F3\n"
                                    "dialog = F12\n"
                                    "choose_file = C:\\inne.txt\n"
                                    "choose_file = -1\n"
                                    "warehouse = 4\n"
                                    "warehouse = -2\n"
                                    "stop_after = 2\n"
                                    "fail_alloc_from = 3\n"
                                    "memory_budget = 100000\n",
                                    error))
      << error;
  hostsim::ApplyAnswers();
  EXPECT_EQ(hostsim::dialogs.script, (std::deque<std::string>{"type C:\\żółte ceny.txt; F3", "F12"}));
  RepricingOptions o{};  // the typed text reaches the record in the host's bytes
  EXPECT_EQ(runDialog(OptionsDialogTemplate, 1, &o, 0), CmdChangeFile);
  EXPECT_EQ(std::string(o.path), "C:\\" + std::string(Mz("żółte")) + " ceny.txt");
  EXPECT_EQ(hostsim::dialogs.chooserScript, (std::deque<std::string>{"C:\\inne.txt", "-1"}));
  EXPECT_EQ(hostsim::dialogs.warehouseScript, (std::deque<int32_t>{4, -2}));
  const hostsim::ServicePlan& stop = hostsim::PlanOf(hostsim::FailingService::Stop);
  EXPECT_EQ(stop.call, 3);  // the checks after the first 2 stop
  EXPECT_TRUE(stop.fromThenOn);
  const hostsim::ServicePlan& alloc = hostsim::PlanOf(hostsim::FailingService::Memory);
  EXPECT_EQ(alloc.call, 3);
  EXPECT_TRUE(alloc.fromThenOn);
  EXPECT_EQ(hostsim::memory.byteBudget, 100000);
  hostsim::ResetHostSim();
  EXPECT_TRUE(hostsim::dialogs.script.empty());
  EXPECT_EQ(hostsim::PlanOf(hostsim::FailingService::Stop).call, 0);
  EXPECT_EQ(hostsim::PlanOf(hostsim::FailingService::Memory).call, 0);
}

}  // namespace
