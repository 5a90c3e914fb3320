// Reading a price file into the price list: which lines become entries, what an
// entry holds, the host's rounding, the interruption check and running out of memory.
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "host/mazovia.h"
#include "hostsim/player/failure_plan.h"
#include "price_test_support.h"

namespace {

using PriceFile = PriceListTest;

TEST_F(PriceFile, ALineBecomesAnEntry) {
  WriteFile("one.txt", Line("ABC", "Kawa", "12,50"));
  ASSERT_EQ(ReadPriceFile("one.txt"), ReadResult::Read);
  ASSERT_EQ(priceList.count, 1);
  const PriceEntry& e = priceList.entries[0];
  EXPECT_STREQ(e.symbol, "ABC");
  EXPECT_STREQ(e.name, "Kawa");
  EXPECT_EQ(e.price, 125000.0);
  EXPECT_EQ(e.status, StatusNotFound);
  EXPECT_EQ(hostsim::memory.roundCalls, 1);
  EXPECT_EQ(hostsim::memory.lastRoundStep, 100);
}

TEST_F(PriceFile, WhichLinesAreAccepted) {
  struct Case {
    const char* name;
    std::string bytes;
    int entries;
  };
  const Case cases[] = {
      {"CR LF", Line("A", "N", "1"), 1},
      {"LF only", Line("A", "N", "1", "\n"), 1},
      {"last line without line end", Line("A", "N", "1") + Line("B", "M", "2", ""), 1},
      {"last line with a sixth field", Line("A", "N", "1") + Line("B", "M", "2", "\tz"), 2},
      {"short lines", "A\tN\tx\ty\r\nB\r\n\r\n\t\t\t\r\n", 0},
      {"column titles", Line("Symbol", "Nazwa", "Cena"), 1},
      {"empty file", "", 0},
      {"lone CR joins two lines into one", "A\tN\tx\ty\t1\rB\tM\tx\ty\t2\r\n", 1},
      {"Ctrl-Z ends the file", Line("A", "N", "1") + "\x1A" + Line("B", "M", "2"), 1},
      {"many fields", "A\tN\tx\ty\t1\t2\t3\t4\t5\r\n", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile("accept.txt", c.bytes);
    ASSERT_EQ(ReadPriceFile("accept.txt"), ReadResult::Read);
    EXPECT_EQ(priceList.count, c.entries);
    ClearPriceList();
  }
}

TEST_F(PriceFile, ALeadingTabGivesAnEmptySymbolFoundByAnEmptyKey) {
  WriteFile("tab.txt", "\tKawa\tx\ty\t3\r\n");
  ASSERT_EQ(ReadPriceFile("tab.txt"), ReadResult::Read);
  ASSERT_EQ(priceList.count, 1);
  EXPECT_STREQ(priceList.entries[0].symbol, "");
  EXPECT_EQ(FindPriceEntry(""), &priceList.entries[0]);
}

TEST_F(PriceFile, ALineOf300BytesIsReadAsTwoLines) {
  std::string first = "A\tN\tx\ty\t1\t";
  first += std::string(255 - first.size(), 'p');
  std::string second = "B\tM\tx\ty\t2\t";
  second += std::string(300 - 255 - second.size() - 2, 'q') + "\r\n";
  ASSERT_EQ(first.size() + second.size(), 300u);
  WriteFile("long.txt", first + second);
  ASSERT_EQ(ReadPriceFile("long.txt"), ReadResult::Read);
  ASSERT_EQ(priceList.count, 2);
  EXPECT_STREQ(priceList.entries[0].symbol, "A");
  EXPECT_STREQ(priceList.entries[1].symbol, "B");
  EXPECT_EQ(priceList.entries[1].price, 20000.0);
  EXPECT_EQ(hostsim::memory.stopChecks, 3);  // before each of the two pieces and at the end
}

TEST_F(PriceFile, PricesAreScaledAndRoundedByTheHost) {
  struct Case {
    const char* field;
    double price;
  };
  const Case cases[] = {{"12,50", 125000.0}, {"12,345", 123500.0}, {"12,344", 123400.0}, {"1,005", 10100.0}, {"19,99", 199900.0},
                        {"-0,125", -1300.0}, {"0,125", 1300.0}, {"12d2", 12000000.0}, {"0x10", 0.0},
                        {"1 234,50", 10000.0}, {"1,234.50", 12300.0}, {"", 0.0},
                        {"+3", 30000.0}, {"1e2", 1000000.0}, {"brak", 0.0}};
  std::string file;
  for (const Case& c : cases) file += Line("S", "N", c.field);
  WriteFile("prices.txt", file);
  ASSERT_EQ(ReadPriceFile("prices.txt"), ReadResult::Read);
  ASSERT_EQ(priceList.count, static_cast<int>(std::size(cases)));
  for (int i = 0; i < priceList.count; ++i) {
    SCOPED_TRACE(cases[i].field);
    EXPECT_EQ(priceList.entries[i].price, cases[i].price);
  }
}

// A price field without a number, or with one below zero, still gives an entry, marked
// as a bad price, with the price it reads as. Zero is a price; "-0" loses its sign.
TEST_F(PriceFile, PricesThatAreNoNumberOrBelowZeroAreMarkedBad) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* field;
    bool bad;
    double price;
  };
  const Case cases[] = {{"", true, 0.0},          {"abc", true, 0.0},       {"-", true, 0.0},
                        {".", true, 0.0},         {"Cena", true, 0.0},      {"-5,49", true, -54900.0},
                        {"-0,001", true, -0.0},   {"-1e400", true, -inf},   {"-0", false, 0.0},
                        {"0", false, 0.0},        {"0,00", false, 0.0},     {"-0,00", false, 0.0},
                        {"0x10", false, 0.0},     {"12,50", false, 125000.0}, {" 7", false, 70000.0},
                        {"12d2", false, 12000000.0}, {"1 234,50", false, 10000.0}, {"0,001", false, 0.0},
                        {"1e400", false, inf}};
  std::string file;
  for (const Case& c : cases) file += Line("S", "N", c.field);
  WriteFile("bad.txt", file);
  ASSERT_EQ(ReadPriceFile("bad.txt"), ReadResult::Read);
  ASSERT_EQ(priceList.count, static_cast<int>(std::size(cases)));
  for (int i = 0; i < priceList.count; ++i) {
    SCOPED_TRACE(std::string("\"") + cases[i].field + "\"");
    const PriceEntry& e = priceList.entries[i];
    EXPECT_EQ(e.badPrice, cases[i].bad);
    EXPECT_EQ(e.price, cases[i].price);
    EXPECT_EQ(std::signbit(e.price), std::signbit(cases[i].price));
    EXPECT_EQ(e.status, StatusNotFound);
  }
  EXPECT_EQ(FindPriceEntry("s"), &priceList.entries[0]);  // its price is bad, it still matches
}

TEST_F(PriceFile, SymbolsUpTo25AreStoredWholeLongerOnesAreMarked) {
  const std::string s24(24, 'a'), s25 = std::string(24, 'a') + "b", s26 = std::string(24, 'a') + "bc";
  WriteFile("symbols.txt", Line(s24, "N", "1") + Line(s25, "N", "2") + Line(s26, "N", "3"));
  ASSERT_EQ(ReadPriceFile("symbols.txt"), ReadResult::Read);
  ASSERT_EQ(priceList.count, 3);
  EXPECT_EQ(priceList.entries[0].symbol, s24);
  EXPECT_EQ(priceList.entries[0].status, StatusNotFound);
  EXPECT_EQ(priceList.entries[1].symbol, s25);
  EXPECT_EQ(priceList.entries[1].status, StatusNotFound);
  EXPECT_EQ(priceList.entries[2].symbol, s24);  // reported by its first 24 characters
  EXPECT_EQ(priceList.entries[2].status, StatusSymbolTooLong);
}

TEST_F(PriceFile, NamesAreCutTo119Characters) {
  std::string name(200, 'n');
  WriteFile("name.txt", Line("A", name, "1"));
  ASSERT_EQ(ReadPriceFile("name.txt"), ReadResult::Read);
  EXPECT_EQ(priceList.entries[0].name, name.substr(0, 119));
}

TEST_F(PriceFile, BytesAreTakenAsTheyStand) {
  WriteFile("mazovia.txt", Line(Mz("Ąb"), Mz("Żółć"), "1"));
  ASSERT_EQ(ReadPriceFile("mazovia.txt"), ReadResult::Read);
  EXPECT_STREQ(priceList.entries[0].symbol, Mz("Ąb"));
  EXPECT_STREQ(priceList.entries[0].name, Mz("Żółć"));
}

TEST_F(PriceFile, AFileThatCannotBeOpened) {
  EXPECT_EQ(ReadPriceFile("no such file.txt"), ReadResult::CannotOpen);
  EXPECT_EQ(ReadPriceFile(""), ReadResult::CannotOpen);
  EXPECT_EQ(priceList.count, 0);
  EXPECT_EQ(hostsim::memory.reallocCalls, 0);
  EXPECT_TRUE(hostsim::Transcript().empty());  // no message
}

TEST_F(PriceFile, TheInterruptionCheckComesBeforeEveryLine) {
  std::string file;
  for (int i = 0; i < 10; ++i) file += Line("S" + std::to_string(i), "N", "1");
  WriteFile("ten.txt", file);
  struct Case {
    int stoppingCheck;  // 0: none stops
    int entries;
    int checks;
  };
  const Case cases[] = {{0, 10, 11}, {1, 0, 1}, {4, 3, 4}, {11, 10, 11}};
  for (const Case& c : cases) {
    SCOPED_TRACE("check " + std::to_string(c.stoppingCheck) + " and later ones stop");
    hostsim::ResetHostSim();
    hostsim::PlanFailure(hostsim::FailingService::Stop, c.stoppingCheck, true);
    ASSERT_EQ(ReadPriceFile("ten.txt"), ReadResult::Read);
    EXPECT_EQ(priceList.count, c.entries);
    EXPECT_EQ(hostsim::memory.stopChecks, c.checks);
    if (c.entries) {
      EXPECT_STREQ(priceList.entries[c.entries - 1].symbol, ("S" + std::to_string(c.entries - 1)).c_str());
    }
    ClearPriceList();
  }
}

// Whether the reader still holds the file: a file held open cannot be deleted under
// Windows; natively the count of open descriptors tells.
bool FileReleased(const char* path) { return std::remove(path) == 0; }

TEST_F(PriceFile, RunningOutOfMemoryClearsTheListAndClosesTheFile) {
  struct Case {
    const char* name;
    int failAt;
    int lines;
  };
  const Case cases[] = {{"first growth", 1, 10}, {"second growth", 2, 1500}, {"third growth", 3, 2500}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    hostsim::ResetHostSim();
    hostsim::PlanFailure(hostsim::FailingService::Memory, c.failAt);
    std::string file;
    for (int i = 0; i < c.lines; ++i) file += Line("S" + std::to_string(i), "N", "1");
    WriteFile("full.txt", file);
    ASSERT_EQ(ReadPriceFile("full.txt"), ReadResult::OutOfMemory);
    EXPECT_EQ(priceList.entries, nullptr);
    EXPECT_EQ(priceList.count, 0);
    EXPECT_EQ(priceList.capacity, 0);
    EXPECT_TRUE(hostsim::memory.blocks.empty());
    EXPECT_EQ(hostsim::memory.reallocCalls, c.failAt);
    EXPECT_EQ(hostsim::memory.stopChecks, (c.failAt - 1) * 1000 + 1);  // reading stopped there
    EXPECT_TRUE(FileReleased("full.txt"));
    ASSERT_EQ(hostsim::Transcript().size(), 1u);
    const hostsim::Shown& shown = hostsim::Transcript()[0];
    EXPECT_EQ(shown.service, "messageBox");
    EXPECT_EQ(shown.title, "uwaga");
    EXPECT_EQ(shown.text, "Za mało pamięci");
    EXPECT_EQ(shown.mode, 1);
  }
}

TEST_F(PriceFile, ReadingAfterAClearedListWorksAgain) {
  WriteFile("again.txt", Line("A", "N", "1"));
  hostsim::PlanFailure(hostsim::FailingService::Memory, 1);
  ASSERT_EQ(ReadPriceFile("again.txt"), ReadResult::OutOfMemory);
  ASSERT_EQ(ReadPriceFile("again.txt"), ReadResult::Read);
  EXPECT_EQ(priceList.count, 1);
}

}  // namespace
