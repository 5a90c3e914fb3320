// Prints how fast a price file is read and how fast goods keys are looked up, with
// the hash index and, for comparison, with the front-to-back search the list falls
// back to when the host has no memory for the index.
#include <cstdio>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "hostsim/player/failure_plan.h"
#include "hostsim/services/memory.h"
#include "hostsim/services/reset.h"
#include "reprice/decimal_number.h"
#include "reprice/price_list.h"

namespace {

// Processor time, not wall time: the figures should not depend on what else runs.
struct Clock {
  using time_point = std::clock_t;
  static time_point now() { return std::clock(); }
};

double Seconds(Clock::time_point since) { return double(Clock::now() - since) / CLOCKS_PER_SEC; }

std::string Symbol(int i) { return (i % 3 ? "TW-" : "tw-") + std::to_string(1000000 + i); }

// A price file of n lines like Velmora's export; returns its size in bytes.
long WriteBenchFile(const char* path, int n) {
  std::FILE* f = std::fopen(path, "wb");
  std::mt19937 random(7);
  long bytes = 0;
  for (int i = 0; i < n; ++i)
    bytes += std::fprintf(f, "%s\tTowar numer %d opakowanie zbiorcze\tszt\t23\t%u,%02u\t0\r\n", Symbol(i).c_str(), i,
                          static_cast<unsigned>(random() % 10000), static_cast<unsigned>(random() % 100));
  std::fclose(f);
  return bytes;
}

void BenchRead(int lines) {
  const char* path = "bench_prices.txt";
  long bytes = WriteBenchFile(path, lines);
  hostsim::ResetHostSim();
  Clock::time_point start = Clock::now();
  ReadResult result = ReadPriceFile(path);
  double s = Seconds(start);
  std::printf("read %8d lines, %6.1f MB: %7.3f s, %7.1f MB/s, %9.0f lines/s%s\n", priceList.count, bytes / 1e6, s,
              bytes / 1e6 / s, priceList.count / s, result == ReadResult::Read ? "" : " (not read)");
  ClearPriceList();
  std::remove(path);
}

void BenchLookup(int entries, int lookups) {
  hostsim::ResetHostSim();
  for (int i = 0; i < entries; ++i) AddPriceEntry(100.0, "n", Symbol(i).c_str());
  std::mt19937 random(11);
  std::vector<std::string> keys;
  for (int i = 0; i < lookups; ++i) {  // half of them present (in other case), half absent
    int k = static_cast<int>(random() % entries);
    keys.push_back(i % 2 ? "TW-" + std::to_string(1000000 + k) : "TW-X" + std::to_string(k));
  }
  Clock::time_point start = Clock::now();
  long found = 0;
  found += FindPriceEntry(keys[0].c_str()) != nullptr;  // builds the index
  double build = Seconds(start);
  for (const std::string& key : keys) found += FindPriceEntry(key.c_str()) != nullptr;
  double s = Seconds(start);
  std::printf("lookup %d entries x %d keys, hash index: %7.3f s (index built in %.3f s), %.2f us per key, %ld found\n",
              entries, lookups, s, build, s / lookups * 1e6, found - 1);
  ClearPriceList();

  hostsim::ResetHostSim();
  for (int i = 0; i < entries; ++i) AddPriceEntry(100.0, "n", Symbol(i).c_str());
  // no memory for the index
  hostsim::PlanFailure(hostsim::FailingService::Memory, hostsim::memory.reallocCalls + 1, true);
  int sample = lookups < 1000 ? lookups : 1000;
  start = Clock::now();
  found = 0;
  for (int i = 0; i < sample; ++i) found += FindPriceEntry(keys[i].c_str()) != nullptr;
  s = Seconds(start);
  std::printf("lookup %d entries x %d keys, linear search: %7.3f s for %d keys, %.1f us per key, about %.0f s for all\n",
              entries, lookups, s, sample, s / sample * 1e6, s / sample * lookups);
  hostsim::PlanFailure(hostsim::FailingService::Memory, 0);
  ClearPriceList();
}

void BenchConversion() {
  const char* texts[] = {"12.50", "1234.56", "0.0001", "19.99", "123456.789", "1.5e3"};
  const int rounds = 2000000;
  double sum = 0;
  Clock::time_point start = Clock::now();
  for (int i = 0; i < rounds; ++i) sum += ReadScaledDecimal(texts[i % 6], 4);
  double s = Seconds(start);
  std::printf("price conversion: %.0f ns per price (checksum %.0f)\n", s / rounds * 1e9, sum);
}

}  // namespace

int main() {
#if defined(__SANITIZE_ADDRESS__)
  std::printf("(built with AddressSanitizer: figures are several times slower than a release build)\n");
#endif
  BenchRead(100000);
  BenchRead(1000000);
  BenchLookup(100000, 100000);
  BenchLookup(1000, 100000);
  BenchConversion();
  return 0;
}
