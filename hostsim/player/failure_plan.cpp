// The failure plan and the call counts of the services that can fail.
#include "hostsim/player/failure_plan.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace hostsim {
namespace {

struct FailingRow {
  uint32_t ordinal;
  const char* failure;
};

constexpr FailingRow Rows[] = {
#define HOSTSIM_FAILING_ROW(id, ordinal, failure) {ordinal, failure},
    HOSTSIM_FAILING_SERVICES(HOSTSIM_FAILING_ROW)
#undef HOSTSIM_FAILING_ROW
};
constexpr std::size_t RowCount = sizeof Rows / sizeof Rows[0];
static_assert(RowCount == sizeof FailingServices / sizeof FailingServices[0]);

ServicePlan plans[RowCount];
ServiceCount counts[RowCount];

std::size_t Index(FailingService service) { return static_cast<std::size_t>(service); }

// The host's name of the service (host/service_list.h), by ordinal.
const char* HostName(uint32_t ordinal) {
  switch (ordinal) {
#define HOST_SERVICE(ordinal, name, result, parameters) \
  case ordinal: return #name;
#include "host/service_list.h"
#undef HOST_SERVICE
  }
  return "";
}

}  // namespace

uint32_t OrdinalOf(FailingService service) { return Rows[Index(service)].ordinal; }
const char* NameOf(FailingService service) { return HostName(OrdinalOf(service)); }
const char* FailureOf(FailingService service) { return Rows[Index(service)].failure; }

bool FailingServiceOf(uint32_t ordinal, FailingService& service) {
  for (FailingService s : FailingServices)
    if (OrdinalOf(s) == ordinal) {
      service = s;
      return true;
    }
  return false;
}

void PlanFailure(FailingService service, int call, bool fromThenOn, int variant) {
  plans[Index(service)] = call > 0 ? ServicePlan{call, fromThenOn, variant} : ServicePlan{};
}

const ServicePlan& PlanOf(FailingService service) { return plans[Index(service)]; }

bool CallFails(FailingService service) {
  ServiceCount& c = counts[Index(service)];
  const ServicePlan& p = plans[Index(service)];
  int call = ++c.calls;
  bool fails = p.call > 0 && (call == p.call || (p.fromThenOn && call > p.call));
  if (fails) ++c.failed;
  return fails;
}

const ServiceCount& CountOf(FailingService service) { return counts[Index(service)]; }

void ResetFailurePlan() {
  for (ServicePlan& p : plans) p = {};
  for (ServiceCount& c : counts) c = {};
}

bool ParseFailAnswer(const char* text, FailingService& service, ServicePlan& plan) {
  char* end = nullptr;
  long ordinal = std::strtol(text, &end, 10);
  if (end == text || (*end != ' ' && *end != '\t')) return false;
  if (!FailingServiceOf(static_cast<uint32_t>(ordinal), service)) return false;
  const char* from = end;
  long call = std::strtol(from, &end, 10);
  if (end == from || call < 1 || call > 1000000000) return false;
  plan = {static_cast<int>(call), false, 0};
  std::string rest = end;
  auto takeWord = [&](const char* word) {
    std::size_t b = rest.find_first_not_of(" \t");
    if (b == std::string::npos) return false;
    std::size_t n = std::strlen(word);
    if (rest.compare(b, n, word) != 0) return false;
    if (b + n < rest.size() && rest[b + n] != ' ' && rest[b + n] != '\t') return false;
    rest.erase(0, b + n);
    return true;
  };
  plan.fromThenOn = takeWord("on");
  bool conversion = service == FailingService::Conversion;
  if (conversion && takeWord("infinity")) plan.variant = ConversionInfinity;
  else if (conversion && takeWord("minus")) {
    if (!takeWord("infinity")) return false;
    plan.variant = ConversionMinusInfinity;
  }
  return rest.find_first_not_of(" \t") == std::string::npos;
}

}  // namespace hostsim
