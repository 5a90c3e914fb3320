// Memory, bounded copy, rounding and the interruption check: 21286, 21287, 52161, 52179, 52460.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "host/services.h"
#include "hostsim/base/settings_file.h"
#include "hostsim/base/transcript.h"
#include "hostsim/player/answers.h"
#include "hostsim/player/failure_plan.h"
#include "hostsim/services/block_store.h"
#include "hostsim/screen/pass_status.h"
#include "hostsim/services/memory.h"
#include "hostsim/services/service_clock.h"

namespace hostsim {

MemoryService memory;
bool (*keyPressed)();

void ResetMemory() {
  for (auto& [block, size] : memory.blocks) FreeBlock(block);
  memory = {};
}

namespace {

// The last value of an integer answer, or fallback when absent or not a number.
int64_t IntegerAnswer(const char* key, int64_t fallback) {
  const std::vector<std::string>& values = Answers(key);
  if (values.empty()) return fallback;
  char* end = nullptr;
  long long v = std::strtoll(values.back().c_str(), &end, 10);
  if (end == values.back().c_str() || *end) {
    Say(std::string("answers: ") + key + " is not a number: " + values.back());
    return fallback;
  }
  return v;
}

}  // namespace

void ApplyAnswersMemory() {
  memory.byteBudget = IntegerAnswer("memory_budget", memory.byteBudget);
}

namespace {

// New bytes of a block are filled with this, so that reading them before writing
// shows up as a recognisable pattern rather than as zeros.
constexpr unsigned char FreshByte = 0xA5;

// Whether growing a block from oldSize to newSize would pass the byte budget.
bool OverBudget(std::size_t oldSize, std::size_t newSize) {
  return memory.byteBudget >= 0 &&
         memory.liveBytes - oldSize + newSize > static_cast<std::size_t>(memory.byteBudget);
}

// Like realloc: the old contents kept, null on failure with the old block intact.
// A size of 0 still gives a block (of one byte).
void* ReallocMemoryUntimed(void* block, uint32_t size) {
  ++memory.reallocCalls;
  bool planned = hostsim::CallFails(hostsim::FailingService::Memory);
  std::size_t oldSize = 0;
  if (block) {
    auto it = memory.blocks.find(block);
    if (it == memory.blocks.end()) {
      ++memory.unknownBlocks;
      ++memory.failedCalls;
      return nullptr;
    }
    oldSize = it->second;
  }
  std::size_t newSize = size ? size : 1;
  if (planned || hostsim::OverBudget(oldSize, newSize)) {
    ++memory.failedCalls;
    return nullptr;
  }
  if (block) memory.blocks.erase(block);  // before resizing: the old address may be dead after it
  void* fresh = hostsim::ResizeBlock(block, oldSize, newSize);
  if (!fresh) {
    if (block) memory.blocks[block] = oldSize;
    ++memory.failedCalls;
    return nullptr;
  }
  if (newSize > oldSize) std::memset(static_cast<char*>(fresh) + oldSize, hostsim::FreshByte, newSize - oldSize);
  memory.blocks[fresh] = newSize;
  memory.liveBytes = memory.liveBytes - oldSize + newSize;
  if (memory.liveBytes > memory.peakBytes) memory.peakBytes = memory.liveBytes;
  return fresh;
}

// Frees a block handed out by reallocMemory; null is allowed, an unknown block is
// counted and left alone.
void FreeMemoryUntimed(void* block) {
  ++memory.freeCalls;
  if (!block) return;
  auto it = memory.blocks.find(block);
  if (it == memory.blocks.end()) {
    ++memory.unknownBlocks;
    return;
  }
  memory.liveBytes -= it->second;
  memory.blocks.erase(it);
  hostsim::FreeBlock(block);
}

}  // namespace
}  // namespace hostsim

using hostsim::memory;

extern "C" {

// The memory services as the host offers them: the work above, timed for the
// benchmark (the host's share of a run, like the file services).
void* reallocMemory(void* block, uint32_t size) {
  int64_t start = hostsim::ServiceTimeStart();
  void* fresh = hostsim::ReallocMemoryUntimed(block, size);
  hostsim::ServiceTimeEnd(start);
  return fresh;
}

void freeMemory(void* block) {
  int64_t start = hostsim::ServiceTimeStart();
  hostsim::FreeMemoryUntimed(block);
  hostsim::ServiceTimeEnd(start);
}

// At most n characters of source, always terminated (n below 0 counts as 0).
char* copyText(char* destination, const char* source, int n) {
  ++memory.copyCalls;
  int i = 0;
  for (; i < n && source[i]; ++i) destination[i] = source[i];
  destination[i] = 0;
  return destination;
}

// The price rounded to a whole multiple of step (in the stored units), halves away
// from zero; a step of 0 or less, infinity and NaN come back unchanged. A failed call
// gives NaN.
double roundAmount(double price, int step) {
  ++memory.roundCalls;
  memory.lastRoundStep = step;
  if (hostsim::CallFails(hostsim::FailingService::Rounding)) return std::nan("");
  if (step <= 0 || !std::isfinite(price)) return price;
  return std::round(price / step) * step;
}

// The price file the run reads, as the plug-in saved it before reading (Mazovia).
static std::string SavedPriceFile() { return hostsim::StoredSetting("Przecena", "Path").value_or("plik cen"); }

// Stop when the failure plan says so, or when the user pressed a key. The check comes
// before each line of the price file: the status line counts them.
int stopRequested(void) {
  ++memory.stopChecks;
  hostsim::PriceLineChecked(SavedPriceFile);
  if (hostsim::CallFails(hostsim::FailingService::Stop)) return 1;
  return hostsim::keyPressed && hostsim::keyPressed() ? 1 : 0;
}
}
