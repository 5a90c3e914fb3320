// The host's price-change journal as both passes leave it: one header line per update
// pass, then one line for each record whose changed prices or name were stored, and
// nothing for a note without a carried-out store (a failed store, the check pass, an
// unchanged record that is not stored).
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "hostsim/goods/price_journal.h"
#include "hostsim/services/svc_settings.h"
#include "reprice/warehouse.h"
#include "tests/warehouse/warehouse_fixture.h"

using namespace testing_goods;

namespace {

// A price in currency units as the host keeps it, in ten-thousandths.
double P(double units) { return std::round(units * 10000.0); }

std::string FixedClock() { return "2026-03-04 05:06:07"; }

// The note's text as the plug-in passes it, in Mazovia ("ą" is 0x86).
const std::string Text = "Przecena wtyczk\x86: PRZECENA";
const std::string Header = "--- 2026-03-04 05:06:07; magazyn 1 (MMM1.MGR)";

class JournalTest : public WarehouseFixture {
 protected:
  void RunPasses() {
    UseEntries();
    hostsim::journalClock = FixedClock;
    UpdateWarehousePrices(1, 1);
    CheckWarehousePrices(1, 1);
  }
};

TEST_F(JournalTest, OnlyCarriedOutStoresOfAChangeAreJournaled) {
  struct Row {
    const char* label;
    std::vector<GoodsRecord> goods;
    std::vector<PriceEntry> entries;
    int copyName;
    std::set<int> failingRecords;
    std::vector<std::string> journal;
  } rows[] = {
      {"a stored price change",
       {Goods("KAWA", P(10.00), P(12.30))},
       {Entry("KAWA", P(24.60))},
       0,
       {},
       {Header, Text + ": KAWA; netto 10.00 -> 20.00; brutto 12.30 -> 24.60"}},
      {"a failed store", {Goods("KAWA", P(10.00), P(12.30))}, {Entry("KAWA", P(24.60))}, 0, {0}, {Header}},
      {"the same price, not stored", {Goods("KAWA", P(10.00), P(12.30))}, {Entry("KAWA", P(12.30))}, 0, {},
       {Header}},
      {"a name-only store",
       {Goods("KAWA", P(10.00), P(12.30), 1, "Stara")},
       {Entry("KAWA", P(12.30), "Nowa")},
       1,
       {},
       {Header, Text + ": KAWA; netto 10.00 -> 10.00; brutto 12.30 -> 12.30; nazwa Stara -> Nowa"}},
      {"the same price and name, stored", {Goods("KAWA", P(10.00), P(12.30), 1, "Kawa")},
       {Entry("KAWA", P(12.30), "Kawa")}, 1, {}, {Header}},
      {"one of two stores failed",
       {Goods("A", P(1.00), P(1.23)), Goods("B", P(2.00), P(2.46))},
       {Entry("A", P(3.69)), Entry("B", P(4.92))},
       0,
       {0},
       {Header, Text + ": B; netto 2.00 -> 4.00; brutto 2.46 -> 4.92"}},
      {"no goods identified", {Goods("KAWA", P(10.00), P(12.30))}, {Entry("HERBATA", P(5.00))}, 0, {},
       {Header}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    SetUp();
    WriteGoods(1, row.goods);
    entries = row.entries;
    repricingOptions.copyName = static_cast<int16_t>(row.copyName);
    hostsim::failingStoreRecords = row.failingRecords;
    RunPasses();
    EXPECT_EQ(Lines(hostsim::DataPath(hostsim::PriceJournalName)), row.journal);
    EXPECT_EQ(hostsim::goodsCounters.journalLines, static_cast<int>(row.journal.size()) - 1);
  }
}

TEST_F(JournalTest, TheHeaderNamesThePriceFileWhenTheSettingsHoldIt) {
  const struct {
    const char* path;
    std::string header;
  } rows[] = {{"C:\\CENY\\TOWARY.TXT", Header + "; plik cen C:\\CENY\\TOWARY.TXT"}, {"", Header}};
  for (const auto& row : rows) {
    SetUp();
    hostsim::StoreSetting("Przecena", "Path", row.path);
    WriteGoods(1, {Goods("KAWA", P(10.00), P(12.30))});
    entries = {Entry("HERBATA", P(5.00))};
    RunPasses();
    EXPECT_EQ(Lines(hostsim::DataPath(hostsim::PriceJournalName)), (std::vector<std::string>{row.header})) << row.path;
    hostsim::EraseSettings();
  }
}

TEST_F(JournalTest, EachUpdatePassStartsWithItsHeader) {
  WriteGoods(1, {Goods("KAWA", P(10.00), P(12.30))});
  entries = {Entry("KAWA", P(24.60))};
  RunPasses();
  WriteGoods(1, {Goods("KAWA", P(10.00), P(12.30))});
  RunPasses();
  const std::string change = Text + ": KAWA; netto 10.00 -> 20.00; brutto 12.30 -> 24.60";
  EXPECT_EQ(Lines(hostsim::DataPath(hostsim::PriceJournalName)),
            (std::vector<std::string>{Header, change, Header, change}));
}

TEST_F(JournalTest, AWarehouseWithoutAGoodsFileGetsNoHeader) {
  entries = {Entry("KAWA", P(24.60))};
  RunPasses();
  EXPECT_FALSE(Exists(hostsim::DataPath(hostsim::PriceJournalName)));
}

// The header's warehouse: the number of a file named MMM<n>.MGR in any letter case,
// after any folder; "?" for any other name.
TEST(JournalHeader, TheWarehouseComesFromTheGoodsFileName) {
  const struct {
    const char* file;
    const char* warehouse;
  } rows[] = {{"MMM1.MGR", "1"},       {"C:\\DANE\\mmm12.mgr", "12"}, {"/d/MmM305.Mgr", "305"}, {"MMM.MGR", "?"},
              {"MMM1x.MGR", "?"},      {"MNM1.MGR", "?"},               {"MMM1.TXT", "?"},       {"M1.MGR", "?"},
              {"MMM-1.MGR", "?"},      {"MMM1.MG~", "?"}};
  for (const auto& row : rows) EXPECT_EQ(hostsim::GoodsFileWarehouse(row.file), row.warehouse) << row.file;
}

}  // namespace
