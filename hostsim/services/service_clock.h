// Time spent inside the stand-in's file and memory services (reports, goods, journal,
// settings, the blocks of the plug-in's lists), for the benchmark's split of a run into the host's share and the plug-in's own.
// Off unless a program turns it on; then every such service adds its wall time. The
// clock's reads cost about as much as a short service, so a program measures the
// run's time in a run with the clock off and the services' time in one with it on.
#pragma once
#include <cstdint>

namespace hostsim {

struct ServiceClock {
  bool on;            // set by the program that wants the figure
  double seconds;     // wall time inside the timed services since it was last zeroed
  int64_t calls;      // timed service calls
  double readCost;    // seconds one empty timed window takes (MeasureClockReads)
};
extern ServiceClock serviceClock;

// A timed service's start (0 when the clock is off); ServiceTimeEnd adds the time
// since that start to serviceClock.
int64_t ServiceTimeStart();
void ServiceTimeEnd(int64_t start);

// Sets readCost: the least time of many empty timed windows, the clock's own share of
// every timed call.
void MeasureClockReads();

// The services' wall time less the clock's own share of each call; never below 0.
double ServiceSeconds();

}  // namespace hostsim
