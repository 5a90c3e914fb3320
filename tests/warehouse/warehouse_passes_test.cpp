// The two passes over a warehouse's goods file, through the stand-in's goods files:
// what is stored, what the statuses become, and the lines of INFO3.TXT.
#include <cmath>
#include <limits>

#include "host/mazovia.h"
#include "hostsim/player/failure_plan.h"
#include "hostsim/services/memory.h"
#include "reprice/warehouse.h"
#include "tests/warehouse/warehouse_fixture.h"

using namespace testing_goods;

namespace {

// A price in currency units as the host keeps it, in ten-thousandths.
double P(double units) { return std::round(units * 10000.0); }

class PassesTest : public WarehouseFixture {
 protected:
  void RunPasses(int warehouse, int gross) {
    UseEntries();
    UpdateWarehousePrices(warehouse, gross);
    CheckWarehousePrices(warehouse, gross);
  }
};

TEST_F(PassesTest, GrossPricesSetGrossAndDeriveNetFromTheEntrysOwnPrice) {
  WriteGoods(1, {Goods("KAWA", P(10.00), P(12.30), 1)});
  entries = {Entry("KAWA", 123456.0)};  // 12.3456, not yet a rounded amount
  RunPasses(1, 1);
  GoodsRecord r = ReadGoods(1)[0];
  EXPECT_EQ(+r.grossPrice, 123500.0);
  EXPECT_EQ(+r.netPrice, 100400.0);  // 12.3456 / 1.23 = 10.0371..., rounded to 10.04
  ASSERT_FALSE(hostsim::conversions.empty());
  EXPECT_EQ(hostsim::conversions[0].mode, 1);
  EXPECT_EQ(hostsim::conversions[0].vatCode, 1);
  EXPECT_EQ(hostsim::conversions[0].price, 123456.0);
  EXPECT_EQ(Status(0), StatusRepriced);
  EXPECT_EQ(Lines(ReportInfo3), (std::vector<std::string>{"Mag:1 KAWA" + std::string(21, ' ') +
                                                          " -      10.00->     10.04 zmiana ceny"}));
}

TEST_F(PassesTest, NetPricesSetNetAndDeriveGross) {
  struct Row {
    const char* label;
    double entry, vatRate;
    int16_t vat;
    double net, gross;
  } rows[] = {
      {"23%", P(10.00), 0.23, 1, P(10.00), P(12.30)},
      {"8% rounds up", P(1.99), 0.08, 2, P(1.99), P(2.15)},    // 2.1492
      {"5% rounds up", P(3.33), 0.05, 3, P(3.33), P(3.50)},    // 3.4965
      {"23% rounds down", P(1.01), 0.23, 1, P(1.01), P(1.24)},  // 1.2423
      {"unknown code: gross = net", P(7.77), 0, 9, P(7.77), P(7.77)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    SetUp();
    WriteGoods(2, {Goods("A", P(1), P(1), row.vat)});
    entries = {Entry("A", row.entry)};
    RunPasses(2, 0);
    GoodsRecord r = ReadGoods(2)[0];
    EXPECT_EQ(+r.netPrice, row.net);
    EXPECT_EQ(+r.grossPrice, row.gross);
    ASSERT_FALSE(hostsim::conversions.empty());
    EXPECT_EQ(hostsim::conversions[0].mode, 2);
    EXPECT_EQ(hostsim::conversions[0].price, row.entry);
    EXPECT_EQ(Status(0), StatusRepriced);
  }
}

TEST_F(PassesTest, SamePriceIsStoredOnlyWhenTheNameIsCopied) {
  for (int copy : {0, 1}) {
    SCOPED_TRACE(copy ? "copy names" : "keep names");
    SetUp();
    repricingOptions.copyName = static_cast<int16_t>(copy);
    WriteGoods(1, {Goods("A", P(10.00), P(12.30), 1, "Stara")});
    std::string before = FileBytes(hostsim::GoodsFileName(1));
    entries = {Entry("A", P(12.30), "Nowa")};
    RunPasses(1, 1);
    EXPECT_EQ(Status(0), StatusSamePrice);
    EXPECT_EQ(Lines(ReportInfo3), (std::vector<std::string>{"Mag:1 A" + std::string(24, ' ') + " -      10.00->     10.00"}));
    EXPECT_EQ(hostsim::goodsCounters.stores, copy);
    if (copy) {
      EXPECT_STREQ(ReadGoods(1)[0].name, "Nowa");
    } else {
      EXPECT_EQ(FileBytes(hostsim::GoodsFileName(1)), before);
    }
  }
}

TEST_F(PassesTest, NetChangeWhoseGrossRoundsEqualIsNotStored) {
  WriteGoods(1, {Goods("A", P(10.00), P(12.31), 1)});
  std::string before = FileBytes(hostsim::GoodsFileName(1));
  entries = {Entry("A", P(10.01))};  // gross 12.3123 rounds to 12.31
  RunPasses(1, 0);
  EXPECT_EQ(Lines(ReportInfo3), (std::vector<std::string>{"Mag:1 A" + std::string(24, ' ') + " -      10.00->     10.01"}));
  EXPECT_EQ(Status(0), StatusSamePrice);
  EXPECT_EQ(hostsim::goodsCounters.stores, 0);
  EXPECT_EQ(FileBytes(hostsim::GoodsFileName(1)), before);
}

TEST_F(PassesTest, ToleranceBoundsAreExclusiveAndNanIsAChange) {
  struct Row {
    const char* label;
    double oldGross, entry;
    bool same;
    bool noNumber = false;  // the new price is no number: a change, never stored, failed
  } rows[] = {
      {"equal", 0.0, 0.0, true},
      {"difference just inside", 0.0000099, 0.0, true},
      {"difference at the lower bound", 0.00001, 0.0, false},
      {"difference at the upper bound", -0.00001, 0.0, false},
      {"old gross NaN", std::numeric_limits<double>::quiet_NaN(), 0.0, false},
      {"new gross NaN", 0.0, std::numeric_limits<double>::quiet_NaN(), false, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    SetUp();
    WriteGoods(1, {Goods("A", 0.0, row.oldGross, 4)});
    entries = {Entry("A", row.entry)};
    UseEntries();
    UpdateWarehousePrices(1, 1);
    EXPECT_EQ(Status(0), row.noNumber ? StatusChangeFailed : row.same ? StatusSamePrice : StatusRepriced);
    EXPECT_EQ(hostsim::goodsCounters.stores, row.same || row.noNumber ? 0 : 1);
    EXPECT_EQ(Lines(ReportInfo3).at(0).ends_with(" zmiana ceny"), !row.same);
  }
}

TEST_F(PassesTest, AFailedStoreIsFoundByTheCheck) {
  WriteGoods(1, {Goods("A", P(10.00), P(12.30), 1)});
  std::string before = FileBytes(hostsim::GoodsFileName(1));
  hostsim::PlanFailure(hostsim::FailingService::Store, 1);
  entries = {Entry("A", P(20.00))};
  RunPasses(1, 1);
  EXPECT_EQ(hostsim::goodsCounters.storesFailed, 1);
  EXPECT_EQ(FileBytes(hostsim::GoodsFileName(1)), before);
  EXPECT_EQ(Status(0), StatusChangeFailed);
}

// The check pass confirms only what it reads: an entry whose record was stored but
// which the check never reached (the file did not open again, its walk ended early) is
// reported as failed; an unchanged price with nothing stored stays as it is.
TEST_F(PassesTest, AnEntryTheCheckNeverReadsIsNotReportedAsDone) {
  struct Row {
    const char* label;
    hostsim::FailingService service;
    int call;  // 0: nothing fails
    int32_t a, b, c;
    double grossB;  // what record B holds afterwards
  } rows[] = {
      {"nothing fails", hostsim::FailingService::Fetch, 0, StatusRepriced, StatusRepriced, StatusSamePrice, P(7.00)},
      {"the check does not open", hostsim::FailingService::TableOpen, 2, StatusChangeFailed, StatusChangeFailed,
       StatusSamePrice, P(7.00)},
      // Fetches 1 to 4 are the update pass's (the 4th finds the end), 5 the check's first.
      {"the check reads only the first record", hostsim::FailingService::Fetch, 6, StatusRepriced,
       StatusChangeFailed, StatusSamePrice, P(7.00)},
      {"the update pass reads only the first record", hostsim::FailingService::Fetch, 2, StatusRepriced,
       StatusChangeFailed, StatusRepriced, P(2.00)},  // C first read by the check, at its price
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    SetUp();
    WriteGoods(1, {Goods("A", P(1), P(1), 1), Goods("B", P(2), P(2), 1), Goods("C", P(1), P(1.23), 1)});
    hostsim::PlanFailure(row.service, row.call);
    entries = {Entry("A", P(5)), Entry("B", P(7)), Entry("C", P(1.23))};
    RunPasses(1, 1);
    EXPECT_EQ(Status(0), row.a);
    EXPECT_EQ(Status(1), row.b);
    EXPECT_EQ(Status(2), row.c);
    EXPECT_EQ(+ReadGoods(1)[1].grossPrice, row.grossB);
  }
}

TEST_F(PassesTest, AFailureFoundOnceStaysWhateverLaterRecordsOfTheKeyHold) {
  struct Row {
    const char* label;
    std::set<int> failing;
    int32_t status;
  } rows[] = {
      {"first of two stores fails", {0}, StatusChangeFailed},
      {"second of two stores fails", {1}, StatusChangeFailed},
      {"no store fails", {}, StatusRepriced},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    SetUp();
    WriteGoods(1, {Goods("A", P(1), P(1), 1), Goods("B", P(1), P(1), 1), Goods("a", P(2), P(2), 1)});
    hostsim::failingStoreRecords = {};
    for (int n : row.failing) hostsim::failingStoreRecords.insert(n == 0 ? 0 : 2);
    entries = {Entry("A", P(5))};
    RunPasses(1, 1);
    EXPECT_EQ(Status(0), row.status);
  }
}

TEST_F(PassesTest, TwoRecordsWithOneKeyBothTakeThePriceAndTheLaterDecidesTheStatus) {
  WriteGoods(1, {Goods("A", P(1.00), P(1.23), 1), Goods("A", P(4.07), P(5.00), 1)});
  entries = {Entry("A", P(5.00))};
  RunPasses(1, 1);
  auto goods = ReadGoods(1);
  EXPECT_EQ(+goods[0].grossPrice, P(5.00));
  EXPECT_EQ(+goods[0].netPrice, P(4.07));
  EXPECT_EQ(+goods[1].grossPrice, P(5.00));
  EXPECT_EQ(Status(0), StatusSamePrice);  // the second record already held 5.00
  EXPECT_EQ(Lines(ReportInfo3).size(), 2u);
}

TEST_F(PassesTest, TheKeyFieldFollowsIdentifyBy) {
  struct Row {
    const char* label;
    int16_t identifyBy;
    const char* key;
  } rows[] = {
      {"symbol", 0, "SYM"}, {"index", 1, "IDX"},       {"remarks", 2, "UW"},
      {"3 means symbol", 3, "SYM"}, {"-1 means symbol", -1, "SYM"},
  };
  for (const Row& row : rows) {
    for (const char* key : {"SYM", "IDX", "UW"}) {
      SCOPED_TRACE(std::string(row.label) + ", entry " + key);
      SetUp();
      repricingOptions.identifyBy = row.identifyBy;
      WriteGoods(1, {Goods("SYM", P(1), P(1), 1, "Towar", "IDX", "UW")});
      entries = {Entry(key, P(3))};
      RunPasses(1, 1);
      bool found = std::string(key) == row.key;
      EXPECT_EQ(Status(0), found ? StatusRepriced : StatusNotFound);
      EXPECT_EQ(+ReadGoods(1)[0].grossPrice, found ? P(3) : P(1));
    }
  }
}

TEST_F(PassesTest, KeysMatchIgnoringAsciiCaseOnly) {
  struct Row {
    const char* label;
    const char* goodsKey;
    const char* entryKey;
    bool found;
  } rows[] = {
      {"ASCII case", "kawa-1", "KAWA-1", true},
      {"Polish case", "\x86" "b", "\x8F" "b", false},  // ąb against Ąb
      {"Polish same case", "\x86" "b", "\x86" "B", true},
      {"empty key, empty symbol", "", "", true},
      {"empty key, no empty symbol", "", "X", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    SetUp();
    WriteGoods(1, {Goods(row.goodsKey, P(1), P(1), 1)});
    entries = {Entry(row.entryKey, P(3))};
    RunPasses(1, 1);
    EXPECT_EQ(Status(0), row.found ? StatusRepriced : StatusNotFound);
  }
}

TEST_F(PassesTest, AnUnmatchedRecordGetsOneLineWithItsRemarksAndIsNotStored) {
  repricingOptions.identifyBy = IdentifyBySymbol;
  WriteGoods(3, {Goods("X", P(12.50), P(15.38), 1, "Towar", "", "Uwagi do towaru")});
  std::string before = FileBytes(hostsim::GoodsFileName(3));
  entries = {Entry("Y", P(3))};
  RunPasses(3, 1);
  EXPECT_EQ(Lines(ReportInfo3),
            (std::vector<std::string>{"Mag:3 Uwagi do towaru" + std::string(10, ' ') +
                                      " -      12.50 Brak w pliku TOWARY.TXT"}));
  EXPECT_EQ(FileBytes(hostsim::GoodsFileName(3)), before);
  EXPECT_EQ(hostsim::goodsCounters.stores, 0);
  EXPECT_EQ(Status(0), StatusNotFound);
}

TEST_F(PassesTest, AGoodsFileThatDoesNotOpenChangesNothing) {
  struct Row {
    const char* label;
    int warehouse;
    bool noRecordBuffer;  // the goods table names no record buffer
  } rows[] = {{"no such file", 7, false}, {"negative warehouse", -1, false}, {"no record buffer", 1, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    SetUp();
    WriteGoods(1, {Goods("A", P(1), P(1), 1)});
    if (row.noRecordBuffer) std::memset(descriptor + GoodsTableRecordBufferOffset, 0, sizeof(void*));
    entries = {Entry("A", P(3)), Entry("B23456789012345678901234567", P(3), "x")};
    RunPasses(row.warehouse, 1);
    EXPECT_EQ(Status(0), StatusNotFound);
    EXPECT_EQ(Status(1), StatusSymbolTooLong);
    EXPECT_FALSE(Exists(ReportInfo3));
    EXPECT_EQ(hostsim::goodsCounters.failedOpens, 2);
    EXPECT_EQ(hostsim::goodsCounters.closes, 2);
  }
}

TEST_F(PassesTest, WithoutAGoodsTableNoGoodsServiceIsCalled) {
  WriteGoods(1, {Goods("A", P(1), P(1), 1)});
  std::string before = FileBytes(hostsim::GoodsFileName(1));
  goodsTable = nullptr;
  entries = {Entry("A", P(3))};
  RunPasses(1, 1);
  EXPECT_EQ(Status(0), StatusNotFound);
  EXPECT_FALSE(Exists(ReportInfo3));
  EXPECT_EQ(hostsim::goodsCounters.failedOpens + hostsim::goodsCounters.opens + hostsim::goodsCounters.closes, 0);
  EXPECT_EQ(FileBytes(hostsim::GoodsFileName(1)), before);
}

TEST_F(PassesTest, AStoredRecordDiffersOnlyInPricesAndName) {
  repricingOptions.copyName = 1;
  GoodsRecord original = Goods("A", P(1), P(1), 1, "Stara nazwa towaru", "I1", "U1");
  GoodsRecord other = Goods("B", P(2), P(2), 1);
  const std::string partial = "tail of a partial record";
  WriteGoods(1, {other, original, other}, partial);
  entries = {Entry("A", P(9.99), "Nowa")};
  RunPasses(1, 1);
  std::string after = FileBytes(hostsim::GoodsFileName(1));
  ASSERT_EQ(after.size(), 3 * sizeof(GoodsRecord) + partial.size());
  EXPECT_EQ(after.substr(3 * sizeof(GoodsRecord)), partial);
  auto goods = ReadGoods(1);
  EXPECT_EQ(std::memcmp(&goods[0], &other, sizeof other), 0);
  EXPECT_EQ(std::memcmp(&goods[2], &other, sizeof other), 0);
  auto* was = reinterpret_cast<const unsigned char*>(&original);
  auto* now = reinterpret_cast<const unsigned char*>(&goods[1]);
  auto inField = [](std::size_t i) {
    return (i >= offsetof(GoodsRecord, name) && i < offsetof(GoodsRecord, name) + 121) ||
           (i >= offsetof(GoodsRecord, netPrice) && i < offsetof(GoodsRecord, netPrice) + 8) ||
           (i >= offsetof(GoodsRecord, grossPrice) && i < offsetof(GoodsRecord, grossPrice) + 8);
  };
  for (std::size_t i = 0; i < sizeof(GoodsRecord); ++i) {
    if (inField(i)) continue;
    EXPECT_EQ(was[i], now[i]) << "byte " << i;
  }
  EXPECT_STREQ(goods[1].name, "Nowa");
  EXPECT_EQ(+goods[1].grossPrice, P(9.99));
  EXPECT_EQ(hostsim::goodsCounters.openCursors, 0);
}

TEST_F(PassesTest, LongRemarksAreCutSoTheLineKeepsItsPrice) {
  std::string remarks(300, 'r');
  WriteGoods(1, {Goods("X", P(12.50), P(1), 1, "Towar", "", remarks.c_str())});
  entries = {};
  RunPasses(1, 1);
  auto lines = Lines(ReportInfo3);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].size(), 255u);
  std::string tail = " -      12.50 Brak w pliku TOWARY.TXT";
  EXPECT_EQ(lines[0], "Mag:1 " + remarks.substr(0, 255 - 6 - tail.size()) + tail);
}

// An entry with a bad price matches as any other, but nothing of it is applied: its
// records keep every byte and are neither converted, noted nor stored, each gets its
// own INFO3.TXT line, and the check pass leaves the entry's status alone.
TEST_F(PassesTest, ABadPriceLeavesItsRecordsUntouched) {
  const std::string blanks(24, ' ');
  for (int gross : {1, 0})
    for (int copy : {0, 1}) {
      SCOPED_TRACE(std::string(gross ? "gross" : "net") + (copy ? ", names copied" : ""));
      SetUp();
      repricingOptions.copyName = static_cast<int16_t>(copy);
      WriteGoods(2, {Goods("A", P(10.00), P(12.30), 1, "Stara"), Goods("B", P(1.00), P(1.23), 1),
                     Goods("a", P(20.00), P(21.60), 2, "Druga")});
      std::string before = FileBytes(hostsim::GoodsFileName(2));
      entries = {BadEntry("A", -54900.0, "Nowa"), BadEntry("C", 0.0)};
      RunPasses(2, gross);
      EXPECT_EQ(FileBytes(hostsim::GoodsFileName(2)), before);
      EXPECT_EQ(Status(0), StatusBadPrice);
      EXPECT_EQ(Status(1), StatusNotFound);  // matched by no record
      EXPECT_EQ(Lines(ReportInfo3), (std::vector<std::string>{
                                        "Mag:2 A" + blanks + Mz(" -      10.00 Błędna cena w pliku TOWARY.TXT"),
                                        "Mag:2 " + std::string(25, ' ') + " -       1.00 Brak w pliku TOWARY.TXT",
                                        "Mag:2 A" + blanks + Mz(" -      20.00 Błędna cena w pliku TOWARY.TXT"),
                                    }));
      EXPECT_TRUE(hostsim::conversions.empty());
      EXPECT_EQ(hostsim::goodsCounters.notes, 0);
      EXPECT_EQ(hostsim::goodsCounters.stores, 0);
      EXPECT_EQ(hostsim::memory.roundCalls, 0);
      EXPECT_EQ(hostsim::goodsCounters.fetches, 6);  // both passes walked all three records
    }
}

// With names copied, a same gross price is stored for the name alone; the check finds
// a store that did not happen by the name. Without the copy nothing is stored or lost.
TEST_F(PassesTest, ANameThatWasNotStoredIsAFailedChange) {
  struct Row {
    const char* label;
    int copy;
    bool storeFails;
    const char* nameBefore;
    int32_t status;
    const char* nameAfter;
  } rows[] = {
      {"names copied, stored", 1, false, "Stara", StatusSamePrice, "Nowa"},
      {"names copied, the store dropped", 1, true, "Stara", StatusChangeFailed, "Stara"},
      {"names not copied, nothing stored", 0, true, "Stara", StatusSamePrice, "Stara"},
      {"names copied, the record has the name already, the store dropped", 1, true, "Nowa", StatusSamePrice, "Nowa"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    SetUp();
    repricingOptions.copyName = static_cast<int16_t>(row.copy);
    WriteGoods(1, {Goods("A", P(10.00), P(12.30), 1, row.nameBefore)});
    if (row.storeFails) hostsim::failingStoreRecords = {0};
    entries = {Entry("A", P(12.30), "Nowa")};
    RunPasses(1, 1);
    EXPECT_EQ(Status(0), row.status);
    EXPECT_STREQ(ReadGoods(1)[0].name, row.nameAfter);
    EXPECT_EQ(+ReadGoods(1)[0].grossPrice, P(12.30));
  }
}

// The stored name is compared within its field: one of 121 bytes without terminator
// differs from the copied one, and a copy of a 119-character name compares equal.
TEST_F(PassesTest, TheNameCheckStaysWithinTheField) {
  struct Row {
    const char* label;
    bool storeFails;
    int32_t status;
  } rows[] = {{"stored", false, StatusSamePrice}, {"the store dropped", true, StatusChangeFailed}};
  const std::string longName(119, 'N');
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    SetUp();
    repricingOptions.copyName = 1;
    GoodsRecord r = Goods("A", P(10.00), P(12.30), 1);
    std::memset(r.name, 'N', sizeof r.name);  // no terminator
    WriteGoods(1, {r});
    if (row.storeFails) hostsim::failingStoreRecords = {0};
    entries = {Entry("A", P(12.30), longName.c_str())};
    RunPasses(1, 1);
    EXPECT_EQ(Status(0), row.status);
  }
}

TEST_F(PassesTest, EveryIdentifiedRecordIsNotedInBothPasses) {
  WriteGoods(1, {Goods("A", P(1), P(1), 1), Goods("B", P(1), P(1), 1)});
  entries = {Entry("A", P(3))};
  RunPasses(1, 1);
  EXPECT_EQ(hostsim::goodsCounters.notes, 2);
  EXPECT_EQ(hostsim::goodsCounters.journalLines, 1);  // the update pass stored A; the check stores nothing
}

}  // namespace
