// The stand-in's memory, bounded copy, rounding and interruption check (21286, 21287,
// 52161, 52179, 52460): what a test can configure and what the services counted.
#pragma once
#include <cstddef>
#include <cstdint>
#include <map>

namespace hostsim {

struct MemoryService {
  // Failures of 21286, configured by a test.
  int failAt;            // 0: never; else the failAt-th call (from 1) answers null
  bool failFromThenOn;   // with failAt: every later call fails too
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
  // The interruption check 52460.
  int stopAfter = -1;    // -1: never stop; else the checks after the first stopAfter say stop
  int stopChecks;        // calls of 52460
};
extern MemoryService memory;

// The program's keyboard for the interruption check: true when the user pressed a key
// since the last check. Null (tests, and a program without a console): no key stops.
// Kept by ResetMemory.
extern bool (*keyPressed)();

// Frees every block still live and forgets all counts and configuration.
void ResetMemory();

// Answers file: "fail_alloc = K" (the K-th call of 21286 fails), "fail_alloc_from = K"
// (it and every later one), "memory_budget = BYTES", "stop_after = N" (the checks
// after the first N ask to stop).
void ApplyAnswersMemory();

}  // namespace hostsim
