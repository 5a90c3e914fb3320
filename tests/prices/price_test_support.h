// Helpers of the price list tests: files with exact bytes and a clean stand-in.
#pragma once
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "hostsim/base/transcript.h"
#include "hostsim/services/memory.h"
#include "hostsim/services/reset.h"
#include "reprice/price_list.h"

// Writes bytes exactly as given (binary) and returns the path.
inline std::string WriteFile(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  EXPECT_NE(f, nullptr) << path;
  if (!f) return path;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  return path;
}

// A price file line of the five used columns: symbol, name, two ignored, price.
inline std::string Line(const std::string& symbol, const std::string& name, const std::string& price,
                        const std::string& end = "\r\n") {
  return symbol + "\t" + name + "\tx\ty\t" + price + end;
}

// Every test starts from an empty price list and a fresh stand-in.
class PriceListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearPriceList();
    hostsim::ResetHostSim();
  }
  void TearDown() override {
    ClearPriceList();
    EXPECT_TRUE(hostsim::memory.blocks.empty()) << "host memory left allocated";
    EXPECT_EQ(hostsim::memory.unknownBlocks, 0);
  }
};
