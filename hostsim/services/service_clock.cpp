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

void MeasureClockReads() {
  int64_t least = INT64_MAX;
  for (int i = 0; i < 10000; ++i) {
    int64_t start = Now();
    int64_t window = Now() - start;
    if (window < least) least = window;
  }
  serviceClock.readCost = static_cast<double>(least) * 1e-9;
}

double ServiceSeconds() {
  double seconds = serviceClock.seconds - static_cast<double>(serviceClock.calls) * serviceClock.readCost;
  return seconds > 0 ? seconds : 0;
}

}  // namespace hostsim
