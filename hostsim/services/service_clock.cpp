#include "hostsim/services/service_clock.h"

#include <chrono>

namespace hostsim {

ServiceClock serviceClock;

namespace {

int64_t Now() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// xorshift64: which frequent calls are timed. Random rather than every n-th, so that a
// service whose cost comes in a rhythm (a block read every 256 records) is not sampled
// in step with it.
uint64_t sampleState = 0x9E3779B97F4A7C15u;

bool Sampled() {
  sampleState ^= sampleState << 13;
  sampleState ^= sampleState >> 7;
  sampleState ^= sampleState << 17;
  return sampleState % SampleEvery == 0;
}

// The lowest bit of a start tells a frequent service's (at the cost of a nanosecond).
constexpr int64_t FrequentMark = 1;

}  // namespace

int64_t ServiceTimeStart() {
  if (!serviceClock.on) return 0;
  ++serviceClock.calls;
  return Now() & ~FrequentMark;
}

int64_t FrequentServiceTimeStart() {
  if (!serviceClock.on) return 0;
  ++serviceClock.calls;
  ++serviceClock.frequentCalls;
  if (!serviceClock.everyCall && !Sampled()) return 0;
  return Now() | FrequentMark;
}

void ServiceTimeEnd(int64_t start) {
  if (!serviceClock.on || start == 0) return;
  double seconds = static_cast<double>(Now() - (start & ~FrequentMark)) * 1e-9;
  if (!(start & FrequentMark)) {
    serviceClock.otherSeconds += seconds;
    return;
  }
  serviceClock.sampledSeconds += seconds;
  ++serviceClock.sampledCalls;
}

double ServiceSeconds() {
  double frequent = serviceClock.sampledCalls == 0 ? 0
                    : serviceClock.sampledSeconds * static_cast<double>(serviceClock.frequentCalls) /
                          static_cast<double>(serviceClock.sampledCalls);
  return serviceClock.otherSeconds + frequent;
}

}  // namespace hostsim
