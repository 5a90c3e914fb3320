// The stand-in's memory, bounded copy, rounding and interruption check (21286, 21287,
// 52161, 52179, 52460): what a test can configure and what the services counted.
#pragma once
#include <cstddef>
#include <cstdint>
#include <map>

namespace hostsim {

// Which calls of 21286 fail, and when 52179 gives NaN and 52460 asks to stop, is the
// failure plan's (player/failure_plan.h); the byte budget is the host's memory for the plug-in.
struct MemoryService {
  int64_t byteBudget = -1;  // -1: none; else a call fails if the live bytes would exceed it
  // Counted.
  int reallocCalls;      // calls of 21286, failed ones included
  int failedCalls;       // calls of 21286 that answered null
  int freeCalls;         // calls of 21287
  int unknownBlocks;     // 21286/21287 given a block the stand-in never handed out
  std::size_t liveBytes;                 // bytes of the blocks handed out and not freed
  std::size_t peakBytes;                 // the most live bytes at any time
  std::map<void*, std::size_t> blocks;   // every live block and its size
  int copyCalls;         // calls of 52161
  int roundCalls;        // calls of 52179
  int lastRoundStep;     // the step of the last call of 52179
  int stopChecks;        // calls of 52460
};
extern MemoryService memory;

// The program's keyboard for the interruption check: true when the user pressed a key
// since the last check. Null (tests, and a program without a console): no key stops.
// Kept by ResetMemory.
extern bool (*keyPressed)();

// Frees every block still live and forgets all counts and configuration.
void ResetMemory();

// Answers file: "memory_budget = BYTES" (the failures are the plan's, player/failure_plan.h).
void ApplyAnswersMemory();

}  // namespace hostsim
