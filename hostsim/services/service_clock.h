// Time spent inside the stand-in's file services (reports, goods, journal, settings),
// for the benchmark's split of a run into the host's share and the plug-in's own.
// Off unless a program turns it on. Reading the clock costs about as much as a short
// service, so the services called once per goods record or report line are timed at
// one call in SampleEvery, chosen at random, and their time is estimated from those;
// the few others are timed at every call. everyCall times every call of every service,
// as a check of the estimate (it slows what it measures).
#pragma once
#include <cstdint>

namespace hostsim {

struct ServiceClock {
  bool on;                // set by the program that wants the figure
  bool everyCall;         // time every call instead of a sample
  int64_t calls;          // timed service calls since it was last zeroed
  int64_t frequentCalls;  // of them, calls of the services called per record or line
  int64_t sampledCalls;   // of those, the calls whose time was read
  double sampledSeconds;  // wall time inside the sampled calls
  double otherSeconds;    // wall time inside the calls of the other services
};
extern ServiceClock serviceClock;

// On average one call in this many of a frequent service is timed.
inline constexpr int SampleEvery = 16;

// A service's start: the clock's reading when this call is timed, else 0. The
// frequent services start with FrequentServiceTimeStart. ServiceTimeEnd adds the time
// since that start to serviceClock.
int64_t ServiceTimeStart();
int64_t FrequentServiceTimeStart();
void ServiceTimeEnd(int64_t start);

// The wall time inside the timed services: the other services' time plus the sampled
// calls' time scaled to all frequent calls (exact when every call was timed).
double ServiceSeconds();

}  // namespace hostsim
