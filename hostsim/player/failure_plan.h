// One failure plan for every service of the stand-in that can fail: each counts its
// calls (from 1, since the last ResetHostSim) and fails the call the plan names, once
// or from then on, with the failure a host really can give for that service.
#pragma once
#include <cstdint>

// X(id, ordinal, failure): the services that can fail and what a failed call gives.
#define HOSTSIM_FAILING_SERVICES(X)                                        \
  X(Memory, 21286, "null, the old block kept")                             \
  X(Dialog, 52026, "the command 0x7FFF, which no button has")              \
  X(Chooser, 52169, "-1, as when the chooser is left")                     \
  X(Rounding, 52179, "NaN")                                                \
  X(Settings, 52225, "1: nothing read or written")                         \
  X(TableOpen, 52278, "0: the goods file not opened")                      \
  X(Fetch, 52279, "0: no record, as at the end of the file")               \
  X(Store, 52280, "0: the store not carried out, the file unchanged")      \
  X(Conversion, 52289, "NaN, or infinity or minus infinity as planned")   \
  X(Warehouse, 52337, "-1, a warehouse number below zero")                 \
  X(Append, 52407, "the line lost")                                        \
  X(Stop, 52460, "1: stop")

namespace hostsim {

enum class FailingService : int {
#define HOSTSIM_FAILING_ID(id, ordinal, failure) id,
  HOSTSIM_FAILING_SERVICES(HOSTSIM_FAILING_ID)
#undef HOSTSIM_FAILING_ID
};

// Every service of the list, in its order.
inline constexpr FailingService FailingServices[] = {
#define HOSTSIM_FAILING_ENUM(id, ordinal, failure) FailingService::id,
    HOSTSIM_FAILING_SERVICES(HOSTSIM_FAILING_ENUM)
#undef HOSTSIM_FAILING_ENUM
};

// The command the dialog service answers when it fails: no button of any dialog has it.
inline constexpr int16_t UnknownDialogCommand = 0x7FFF;
// Variants of the conversion's failure.
inline constexpr int ConversionNaN = 0, ConversionInfinity = 1, ConversionMinusInfinity = 2;

// What the plan says for one service.
struct ServicePlan {
  int call;         // 0: never fails; else the call (from 1) that fails
  bool fromThenOn;  // with call: every later call fails too
  int variant;      // which failure, where a service has more than one (the conversion)
};

// What one service did: its calls and how many of them the plan failed.
struct ServiceCount {
  int calls;
  int failed;
};

// The host service's ordinal, its name in host/service_list.h and its failure in words.
uint32_t OrdinalOf(FailingService service);
const char* NameOf(FailingService service);
const char* FailureOf(FailingService service);
// The service of an ordinal; false when the stand-in cannot fail that ordinal.
bool FailingServiceOf(uint32_t ordinal, FailingService& service);

// Makes the call-th call (from 1) of the service fail, and with fromThenOn every later
// one; replaces that service's plan. A call of 0 or less means never.
void PlanFailure(FailingService service, int call, bool fromThenOn = false, int variant = 0);
const ServicePlan& PlanOf(FailingService service);

// Called by the service at the start of each call: counts it and says whether the plan
// makes it fail (then counted as failed too).
bool CallFails(FailingService service);

const ServiceCount& CountOf(FailingService service);

// No failure planned, every count zero (part of ResetHostSim).
void ResetFailurePlan();

// The value of a "fail" answer; false when it is not of that form.
bool ParseFailAnswer(const char* text, FailingService& service, ServicePlan& plan);

}  // namespace hostsim
