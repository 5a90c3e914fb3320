// The clock the console's pacing reads before every line of the price file and every
// record of a pass (console_pace.h, pass_status.h). steady_clock costs about a
// microsecond a read under Wine (a call into the system for the performance counter),
// GetTickCount64 about 30 ns; its steps of 10 to 16 ms are fine for checks 50 and 100 ms
// apart.
#pragma once
#include <windows.h>

#include <cstdint>

namespace hostsim {

inline int64_t TickMilliseconds() { return static_cast<int64_t>(GetTickCount64()); }

}  // namespace hostsim
