// The price list: growth by 1000 records in host memory, the cut symbol and name, and
// the first-match, A-Z case-blind lookup, with or without the host's memory for its
// index.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/mazovia.h"
#include "hostsim/player/failure_plan.h"
#include "price_test_support.h"

namespace {

using PriceListGrowth = PriceListTest;
using PriceLookup = PriceListTest;

TEST_F(PriceListGrowth, The1001stEntryReallocatesTo2000AndKeepsTheFirst1000) {
  for (int i = 0; i < 1000; ++i)
    ASSERT_EQ(AddPriceEntry(i * 100.0, ("N" + std::to_string(i)).c_str(), ("S" + std::to_string(i)).c_str()), 0);
  EXPECT_EQ(priceList.capacity, 1000);
  EXPECT_EQ(hostsim::memory.reallocCalls, 1);
  EXPECT_EQ(hostsim::memory.blocks.begin()->second, 1000 * sizeof(PriceEntry));
  ASSERT_EQ(AddPriceEntry(5.0, "last", "L"), 0);
  EXPECT_EQ(priceList.capacity, 2000);
  EXPECT_EQ(priceList.count, 1001);
  EXPECT_EQ(hostsim::memory.reallocCalls, 2);
  EXPECT_EQ(hostsim::memory.blocks.begin()->second, 2000 * sizeof(PriceEntry));
  for (int i = 0; i < 1000; ++i) {
    const PriceEntry& e = priceList.entries[i];
    ASSERT_EQ(e.price, i * 100.0) << i;
    ASSERT_EQ(e.name, "N" + std::to_string(i));
    ASSERT_EQ(e.symbol, "S" + std::to_string(i));
    ASSERT_EQ(e.status, StatusNotFound);
  }
  EXPECT_STREQ(priceList.entries[1000].symbol, "L");
}

TEST_F(PriceListGrowth, NoMemoryLeavesTheListAsItWas) {
  for (int i = 0; i < 1000; ++i) AddPriceEntry(1.0, "n", "s");
  PriceEntry* before = priceList.entries;
  hostsim::PlanFailure(hostsim::FailingService::Memory, 2);
  EXPECT_EQ(AddPriceEntry(2.0, "n", "t"), 1);
  EXPECT_EQ(priceList.entries, before);
  EXPECT_EQ(priceList.count, 1000);
  EXPECT_EQ(priceList.capacity, 1000);
  ASSERT_EQ(hostsim::Transcript().size(), 1u);
  EXPECT_EQ(hostsim::Transcript()[0].text, "Za mało pamięci");
  hostsim::PlanFailure(hostsim::FailingService::Memory, 0);
  EXPECT_EQ(AddPriceEntry(2.0, "n", "t"), 0);
  EXPECT_EQ(priceList.count, 1001);
}

TEST_F(PriceListGrowth, ASizeBeyondTheHosts32BitsIsRefusedNotWrappedAround) {
  // A list so long that 1000 more records no longer fit the service's 32-bit size.
  int32_t full = static_cast<int32_t>(UINT32_MAX / sizeof(PriceEntry) / 1000 * 1000);
  priceList.capacity = priceList.count = full;
  EXPECT_EQ(AddPriceEntry(1.0, "n", "s"), 1);
  EXPECT_EQ(hostsim::memory.reallocCalls, 0);
  EXPECT_EQ(priceList.count, full);
  ASSERT_EQ(hostsim::Transcript().size(), 1u);
  EXPECT_EQ(hostsim::Transcript()[0].text, "Za mało pamięci");
  priceList.capacity = priceList.count = 0;
}

TEST_F(PriceListGrowth, AByteBudgetStopsTheGrowth) {
  hostsim::memory.byteBudget = 1500 * sizeof(PriceEntry);
  int added = 0;
  while (added < 5000 && AddPriceEntry(1.0, "n", "s") == 0) ++added;
  EXPECT_EQ(added, 1000);
  EXPECT_EQ(hostsim::memory.failedCalls, 1);
}

TEST_F(PriceListGrowth, ClearGivesTheMemoryBack) {
  for (int i = 0; i < 1500; ++i) AddPriceEntry(1.0, "n", ("s" + std::to_string(i)).c_str());
  ASSERT_NE(FindPriceEntry("s1499"), nullptr);  // builds the index in host memory too
  EXPECT_EQ(hostsim::memory.blocks.size(), 2u);
  EXPECT_TRUE(hostsim::Transcript().empty());
  ClearPriceList();
  EXPECT_EQ(priceList.entries, nullptr);
  EXPECT_EQ(priceList.count, 0);
  EXPECT_EQ(priceList.capacity, 0);
  EXPECT_TRUE(hostsim::memory.blocks.empty());
  ClearPriceList();  // twice is harmless
  EXPECT_EQ(hostsim::memory.unknownBlocks, 0);
}

struct LookupCase {
  std::string key;
  int found;  // index of the entry, -1: none
};

// The entries of every lookup test; padding makes the list big enough for the index.
void AddLookupEntries(int padding) {
  const std::string s25 = std::string(24, 'k') + "z", s26 = std::string(24, 'm') + "zz";
  const char* symbols[] = {"ABC", "abc", "ABC", "Abc", "", " ABC", "ABC ", "x-1"};
  for (const char* s : symbols) AddPriceEntry(1.0, "n", s);
  AddPriceEntry(1.0, "n", Mz("Ąb"));                   // 8
  AddPriceEntry(1.0, "n", std::string(24, 'k').c_str()); // 9
  AddPriceEntry(1.0, "n", s25.c_str());                  // 10
  AddPriceEntry(1.0, "n", s26.c_str());                  // 11: too long
  AddPriceEntry(1.0, "n", std::string(24, 'q').c_str()); // 12
  AddPriceEntry(1.0, "n", (std::string(24, 'q') + "rr").c_str());  // 13: too long, cut to 24 q
  for (int i = 0; i < padding; ++i) AddPriceEntry(1.0, "n", ("pad" + std::to_string(i)).c_str());
  AddPriceEntry(1.0, "n", "PAD7");  // later than pad7: never found
  // Two symbols of one folded FNV-1a hash (0x00C02106): the index must compare the symbol.
  AddPriceEntry(1.0, "n", "hash497580");
  AddPriceEntry(1.0, "n", "HASH1392813");
}

std::vector<LookupCase> LookupCases(int padding) {
  int pad7 = padding > 7 ? 14 + 7 : 14 + padding;
  return {
      {"ABC", 0},  {"abc", 0},  {"aBc", 0},  {"", 4},
      {" ABC", 5}, {" abc", 5}, {"ABC ", 6}, {"AB", -1},
      {"ABCD", -1}, {"X-1", 7}, {"x-1", 7},
      {Mz("Ąb"), 8}, {Mz("ąb"), -1}, {Mz("ĄB"), 8}, {Mz("ąB"), -1},
      {std::string(24, 'k'), 9}, {std::string(24, 'K'), 9},
      {std::string(24, 'k') + "z", 10}, {std::string(24, 'k') + "Z", 10},
      {std::string(24, 'm'), -1}, {std::string(24, 'm') + "zz", -1},
      {std::string(24, 'q'), 12}, {std::string(24, 'Q'), 12},  // not the too-long entry after it
      {std::string(40, 'k'), -1},
      {"pad7", pad7}, {"PAD7", pad7},
      // The later of the two first: the entry after the last found is not it, so the
      // index is probed and meets the earlier one's slot.
      {"hash1392813", 16 + padding}, {"HASH497580", 15 + padding}, {"hash1392812", -1},
  };
}

void ExpectLookups(int padding) {
  for (const LookupCase& c : LookupCases(padding)) {
    SCOPED_TRACE("key \"" + c.key + "\"");
    PriceEntry* found = FindPriceEntry(c.key.c_str());
    if (c.found < 0) {
      EXPECT_EQ(found, nullptr) << "found " << (found ? found - priceList.entries : 0);
    } else {
      EXPECT_EQ(found, &priceList.entries[c.found]) << "found " << (found ? found - priceList.entries : -1);
    }
  }
}

TEST_F(PriceLookup, FirstMatchCaseBlindForAToZOnly) {
  for (int padding : {0, 40, 5000}) {
    SCOPED_TRACE("list of " + std::to_string(padding + 17));
    AddLookupEntries(padding);
    ExpectLookups(padding);
    ClearPriceList();
  }
}

TEST_F(PriceLookup, WithoutMemoryForTheIndexTheResultsAreTheSame) {
  AddLookupEntries(5000);
  hostsim::PlanFailure(hostsim::FailingService::Memory, hostsim::memory.reallocCalls + 1, true);
  ExpectLookups(5000);
  EXPECT_EQ(hostsim::memory.failedCalls, 1);  // asked once, not for every lookup
}

TEST_F(PriceLookup, ALongRunOfEqualSymbolsGivesItsFirstAndEndsForAMissingKey) {
  AddLookupEntries(100);
  for (int i = 0; i < 3000; ++i) AddPriceEntry(1.0, "n", i % 2 ? "same" : "SAME");
  EXPECT_EQ(FindPriceEntry("Same"), &priceList.entries[117]);
  EXPECT_EQ(FindPriceEntry("samf"), nullptr);
  ExpectLookups(100);
}

TEST_F(PriceLookup, FollowsTheListAsItGrows) {
  AddLookupEntries(200);
  ASSERT_EQ(FindPriceEntry("late"), nullptr);
  AddPriceEntry(1.0, "n", "LATE");
  ASSERT_NE(FindPriceEntry("late"), nullptr);
  EXPECT_STREQ(FindPriceEntry("late")->symbol, "LATE");
}

TEST_F(PriceLookup, StatusChangesDoNotHideAnEntry) {
  AddLookupEntries(200);
  FindPriceEntry("abc")->status = StatusRepriced;
  EXPECT_EQ(FindPriceEntry("abc"), &priceList.entries[0]);
  EXPECT_EQ(FindPriceEntry("abc")->status, StatusRepriced);
}

}  // namespace
