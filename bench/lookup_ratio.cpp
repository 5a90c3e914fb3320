// The lookups of a whole run timed alone (a program, not a test):
//   lookup_ratio ENTRIES
// A price list of ENTRIES entries S0, S1, ... as the run reads it; every key looked up
// twice (the two passes over the goods), through the hash index and then through the
// plain search the list falls back to when the host has no memory for the index.
// Prints one line of key=value figures.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "hostsim/player/failure_plan.h"
#include "hostsim/services/memory.h"
#include "hostsim/services/reset.h"
#include "reprice/price_list.h"

namespace {

// Fills the list afresh; with refuseIndex no memory is left for the index.
void Fill(int entries, bool refuseIndex) {
  hostsim::ResetHostSim();
  for (int i = 0; i < entries; ++i) AddPriceEntry(123000.0, "Towar", (std::string(1, 'S') + std::to_string(i)).c_str());
  if (!refuseIndex) return;
  hostsim::PlanFailure(hostsim::FailingService::Memory, hostsim::memory.reallocCalls + 1, true);
}

// Seconds for looking every key up twice; found counts the hits.
double TimeLookups(const std::vector<std::string>& keys, long& found) {
  auto start = std::chrono::steady_clock::now();
  for (int pass = 0; pass < 2; ++pass)
    for (const std::string& key : keys) found += FindPriceEntry(key.c_str()) != nullptr;
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  int entries = argc > 1 ? std::atoi(argv[1]) : 20000;
  std::vector<std::string> keys;
  for (int i = 0; i < entries; ++i) keys.push_back(std::string(1, 'S') + std::to_string(i));
  long foundIndexed = 0, foundPlain = 0;
  Fill(entries, false);
  double indexed = TimeLookups(keys, foundIndexed);
  ClearPriceList();
  Fill(entries, true);
  double plain = TimeLookups(keys, foundPlain);
  ClearPriceList();
  bool same = foundIndexed == foundPlain && foundIndexed == 2L * entries;
  std::printf("entries=%d lookups=%d index_seconds=%.6f plain_seconds=%.6f ratio=%.1f completed=%d seconds=%.6f\n",
              entries, 2 * entries, indexed, plain, indexed > 0 ? plain / indexed : 0.0, same ? 1 : 0, plain);
  return same ? 0 : 1;
}
