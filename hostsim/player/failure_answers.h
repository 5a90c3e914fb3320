// The failure plan as the answers file sets it (failure_plan.h holds the plan).
#pragma once

namespace hostsim {

// Answers file: "fail = ORDINAL CALL [on] [infinity | minus infinity]" (one per service,
// the last wins), and the older keys "fail_alloc = K", "fail_alloc_from = K" (21286)
// and "stop_after = N" (52460 from its call N + 1 on).
void ApplyAnswersFailurePlan();

}  // namespace hostsim
