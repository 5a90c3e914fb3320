#include "hostsim/services/service_clock.h"

#include <chrono>

namespace hostsim {

ServiceClock serviceClock;

namespace {

int64_t Now() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

int64_t ServiceTimeStart() { return serviceClock.on ? Now() : 0; }

void ServiceTimeEnd(int64_t start) {
  if (!serviceClock.on) return;
  serviceClock.seconds += static_cast<double>(Now() - start) * 1e-9;
  ++serviceClock.calls;
}

}  // namespace hostsim
