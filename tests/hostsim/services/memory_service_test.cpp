#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <vector>

#include "host/services.h"
#include "hostsim/services/memory.h"
#include "hostsim/services/reset.h"

namespace {

// Grows one block the way the plug-in grows a list (1000 bytes at a time, up to
// 100,000), writing a byte pattern into every step; checks that each growth keeps what
// was written and fills the new bytes with 0xA5. Returns the sizes at which the
// address moved.
std::vector<uint32_t> GrowInSteps() {
  hostsim::ResetHostSim();
  auto* block = static_cast<unsigned char*>(reallocMemory(nullptr, 1000));
  EXPECT_NE(block, nullptr);
  if (!block) return {};
  for (int i = 0; i < 1000; ++i) block[i] = static_cast<unsigned char>(i * 7);
  std::vector<uint32_t> moves;
  for (uint32_t size = 2000; size <= 100000; size += 1000) {
    auto* grown = static_cast<unsigned char*>(reallocMemory(block, size));
    EXPECT_NE(grown, nullptr) << size;
    if (!grown) return {};
    if (grown != block) moves.push_back(size);
    block = grown;
    for (uint32_t i = 0; i < size - 1000; ++i)
      if (block[i] != static_cast<unsigned char>(i * 7)) {
        ADD_FAILURE() << "byte " << i << " lost growing to " << size;
        return {};
      }
    for (uint32_t i = size - 1000; i < size; ++i)
      if (block[i] != 0xA5) {
        ADD_FAILURE() << "new byte " << i << " not 0xA5 growing to " << size;
        return {};
      }
    for (uint32_t i = size - 1000; i < size; ++i) block[i] = static_cast<unsigned char>(i * 7);
  }
  EXPECT_EQ(hostsim::memory.liveBytes, 100000u);  // the sizes asked for, not the room behind them
  freeMemory(block);
  EXPECT_EQ(hostsim::memory.liveBytes, 0u);
  EXPECT_TRUE(hostsim::memory.blocks.empty());
  return moves;
}

TEST(MemoryService, AListGrownInSmallStepsIsCopiedOnlyWhenItsRoomIsUsedUp) {
#ifdef PRZECENA_SANITIZE
  // Built with AddressSanitizer: the block moves at every growth, so that a caller
  // still using the old address is caught.
  std::vector<uint32_t> moves;
  for (uint32_t size = 2000; size <= 100000; size += 1000) moves.push_back(size);
  EXPECT_EQ(GrowInSteps(), moves);
#else
  // With half the size again as room, the block is resized only where the room is used
  // up; the C runtime may grow it in place there, so not every such size moves it.
  const std::set<uint32_t> roomUsedUp = {2000, 4000, 7000, 11000, 17000, 26000, 40000, 61000, 92000};
  for (uint32_t size : GrowInSteps()) EXPECT_EQ(roomUsedUp.count(size), 1u) << "moved growing to " << size;
#endif
}

TEST(MemoryService, ShrinkingKeepsTheFrontAndGrowingAgainFillsAfresh) {
  hostsim::ResetHostSim();
  auto* block = static_cast<unsigned char*>(reallocMemory(nullptr, 64));
  ASSERT_NE(block, nullptr);
  for (int i = 0; i < 64; ++i) block[i] = static_cast<unsigned char>(i);
  block = static_cast<unsigned char*>(reallocMemory(block, 16));
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(hostsim::memory.liveBytes, 16u);
  block = static_cast<unsigned char*>(reallocMemory(block, 32));
  ASSERT_NE(block, nullptr);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(block[i], i) << i;
  for (int i = 16; i < 32; ++i) EXPECT_EQ(block[i], 0xA5) << i;  // not the old bytes 16..31
  EXPECT_EQ(hostsim::memory.peakBytes, 64u);
  freeMemory(block);
  EXPECT_EQ(hostsim::memory.unknownBlocks, 0);
}

TEST(MemoryService, BlocksLeftLiveAreGivenBackByTheReset) {
  hostsim::ResetHostSim();
  ASSERT_NE(reallocMemory(nullptr, 5000), nullptr);
  void* grown = reallocMemory(reallocMemory(nullptr, 10), 20000);
  ASSERT_NE(grown, nullptr);
  EXPECT_EQ(hostsim::memory.blocks.size(), 2u);
  hostsim::ResetHostSim();  // under LeakSanitizer a block not given back fails the program
  EXPECT_TRUE(hostsim::memory.blocks.empty());
  EXPECT_EQ(hostsim::memory.liveBytes, 0u);
}

// A block of no bytes is one of a byte; giving back null is allowed and counted.
TEST(MemoryService, ZeroBytesGiveAByteAndNullGoesBackQuietly) {
  hostsim::ResetHostSim();
  void* block = reallocMemory(nullptr, 0);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(hostsim::memory.liveBytes, 1u);
  freeMemory(nullptr);
  freeMemory(block);
  EXPECT_EQ(hostsim::memory.freeCalls, 2);
  EXPECT_EQ(hostsim::memory.unknownBlocks, 0);
}

// Halves away from zero to a multiple of the step; a step of 0 or less, infinity and
// NaN come back as they are.
TEST(MemoryService, RoundingToAStep) {
  hostsim::ResetHostSim();
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double price;
    int step;
    double rounded;
  } rows[] = {{12350.0, 100, 12400.0}, {-12350.0, 100, -12400.0}, {12349.0, 100, 12300.0}, {12345.0, 0, 12345.0},
              {12345.0, -100, 12345.0}, {inf, 100, inf},          {-inf, 100, -inf}};
  for (const auto& row : rows) EXPECT_EQ(roundAmount(row.price, row.step), row.rounded) << row.price << " " << row.step;
  EXPECT_TRUE(std::isnan(roundAmount(std::nan(""), 100)));
}

}  // namespace
