// The failure plan as the answers file sets it.
#include "hostsim/player/failure_answers.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "hostsim/player/answers.h"
#include "hostsim/player/failure_plan.h"

namespace hostsim {
namespace {

// The last value of an integer answer, or 0 when absent.
long LastNumber(const char* key) {
  const std::vector<std::string>& values = Answers(key);
  return values.empty() ? 0 : std::strtol(values.back().c_str(), nullptr, 10);
}

}  // namespace

void ApplyAnswersFailurePlan() {
  if (long k = LastNumber("fail_alloc"); k > 0) PlanFailure(FailingService::Memory, static_cast<int>(k));
  if (long k = LastNumber("fail_alloc_from"); k > 0) PlanFailure(FailingService::Memory, static_cast<int>(k), true);
  if (!Answers("stop_after").empty()) PlanFailure(FailingService::Stop, static_cast<int>(LastNumber("stop_after")) + 1, true);
  for (const std::string& row : Answers("fail")) {
    FailingService service;
    ServicePlan plan;
    if (ParseFailAnswer(row.c_str(), service, plan)) PlanFailure(service, plan.call, plan.fromThenOn, plan.variant);
  }
}

}  // namespace hostsim
