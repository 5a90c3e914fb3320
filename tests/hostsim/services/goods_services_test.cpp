// The stand-in's goods services as a host would offer them: names, the walk through
// the record buffer, stores in place, configured failures, a trailing partial record.
#include <functional>

#include "host/arguments.h"
#include "host/services.h"
#include "hostsim/player/answers.h"
#include "hostsim/player/failure_plan.h"
#include "hostsim/services/reset.h"
#include "tests/warehouse/warehouse_fixture.h"

using namespace testing_goods;

namespace {

class GoodsServicesTest : public WarehouseFixture {
 protected:
  GoodsCursor cursor{};
  char name[256];
  int Open(int warehouse, int update) {
    tableFileName(warehouse, name, "MMM", ".MGR", TableFileNameKind);
    return openTableFile(&cursor, goodsTable, OpenTableFileKind, name, update, ReservedArgument);
  }
  const GoodsRecord& Buffer() { return *reinterpret_cast<const GoodsRecord*>(recordBuffer); }
};

TEST_F(GoodsServicesTest, NamesComeFromPrefixNumberAndExtension) {
  char buffer[256];
  tableFileName(12, buffer, "MMM", ".MGR", TableFileNameKind);
  EXPECT_STREQ(buffer, "./MMM12.MGR");
  tableFileName(3, buffer, nullptr, nullptr, TableFileNameKind);  // no prefix, no extension
  EXPECT_STREQ(buffer, "./3");
  tableFileName(4, nullptr, "MMM", ".MGR", TableFileNameKind);  // no buffer: nothing written
  tableFileName(-1, buffer, "MMM", ".MGR", TableFileNameKind);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(openTableFile(&cursor, goodsTable, OpenTableFileKind, buffer, 1, ReservedArgument), 0);
  closeTableFile(&cursor);
  EXPECT_EQ(hostsim::goodsCounters.openCursors, 0);
}

TEST_F(GoodsServicesTest, TheWalkStopsBeforeATrailingPartialRecord) {
  WriteGoods(1, {Goods("A", 1, 1), Goods("B", 2, 2)}, std::string(100, 'x'));
  ASSERT_EQ(Open(1, 0), 1);
  std::vector<std::string> seen;
  while (nextRecord(&cursor) == 1) seen.push_back(Buffer().symbol);
  EXPECT_EQ(seen, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(nextRecord(&cursor), 0);
  closeTableFile(&cursor);
  EXPECT_EQ(FileBytes(hostsim::GoodsFileName(1)).size(), 2 * sizeof(GoodsRecord) + 100);
}

TEST_F(GoodsServicesTest, TheTranscriptTellsWhatAnOpenFound) {
  struct Row {
    const char* label;
    int records;      // whole records written, -1: no file
    std::size_t tail; // bytes after them
    std::vector<std::string> shown;  // title and text of each transcript entry
  } rows[] = {
      {"no goods file", -1, 0, {"MMM1.MGR", "no such file: the pass visits no record"}},
      {"whole records only", 2, 0, {}},
      {"an empty file", 0, 0, {}},
      {"100 bytes after two records", 2, 100,
       {"MMM1.MGR",
        "a partial trailing record of 100 bytes after 2 whole records: the pass ends before it and leaves it as it "
        "is"}},
      {"768 bytes alone", 0, 768,
       {"MMM1.MGR",
        "a partial trailing record of 768 bytes after 0 whole records: the pass ends before it and leaves it as it "
        "is"}},
  };
  for (const Row& row : rows) {
    for (int update : {0, 1}) {
      SCOPED_TRACE(std::string(row.label) + (update ? ", update" : ", read"));
      SetUp();
      if (row.records >= 0) {
        std::vector<GoodsRecord> goods;
        for (int i = 0; i < row.records; ++i) goods.push_back(Goods("A", 1, 1));
        WriteGoods(1, goods, std::string(row.tail, 'x'));
      }
      EXPECT_EQ(Open(1, update), row.records >= 0 ? 1 : 0);
      closeTableFile(&cursor);
      std::vector<std::string> shown;
      for (const hostsim::Shown& s : hostsim::Transcript()) {
        EXPECT_EQ(s.service, "openTableFile");
        shown.push_back(s.title);
        shown.push_back(s.text);
      }
      EXPECT_EQ(shown, row.shown);
    }
  }
}

TEST_F(GoodsServicesTest, AStoreWritesTheBufferOverTheRecordLastFetched) {
  WriteGoods(1, {Goods("A", 1, 1), Goods("B", 2, 2), Goods("C", 3, 3)});
  ASSERT_EQ(Open(1, 1), 1);
  nextRecord(&cursor);
  nextRecord(&cursor);
  reinterpret_cast<GoodsRecord*>(recordBuffer)->grossPrice = 99;
  EXPECT_EQ(storeRecord(&cursor), 1);
  EXPECT_EQ(nextRecord(&cursor), 1);
  EXPECT_STREQ(Buffer().symbol, "C");
  closeTableFile(&cursor);
  auto goods = ReadGoods(1);
  EXPECT_EQ(+goods[0].grossPrice, 1.0);
  EXPECT_EQ(+goods[1].grossPrice, 99.0);
  EXPECT_EQ(+goods[2].grossPrice, 3.0);
}

TEST_F(GoodsServicesTest, AResetClosesACursorLeftOpenAndKeepsItsStores) {
  WriteGoods(1, {Goods("A", 1, 1), Goods("B", 2, 2)});
  ASSERT_EQ(Open(1, 1), 1);
  nextRecord(&cursor);
  reinterpret_cast<GoodsRecord*>(recordBuffer)->grossPrice = 77;
  ASSERT_EQ(storeRecord(&cursor), 1);
  hostsim::ResetHostSim();  // as after a call that an exception ended before its close
  auto goods = ReadGoods(1);
  ASSERT_EQ(goods.size(), 2u);
  EXPECT_EQ(+goods[0].grossPrice, 77.0);
  EXPECT_EQ(+goods[1].grossPrice, 2.0);
}

TEST_F(GoodsServicesTest, StoresFailAsConfiguredAndOnAReadingCursor) {
  struct Row {
    const char* label;
    int update, failingCall;
    bool fromThen;
    std::set<int> failingRecords;
    std::vector<int> written;  // per record: 1 stored
  } rows[] = {
      {"reading cursor", 0, 0, false, {}, {0, 0, 0}},
      {"second store fails", 1, 2, false, {}, {1, 0, 1}},
      {"second store on fails", 1, 2, true, {}, {1, 0, 0}},
      {"record 0 fails", 1, 0, false, {0}, {0, 1, 1}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    SetUp();
    hostsim::PlanFailure(hostsim::FailingService::Store, row.failingCall, row.fromThen);
    hostsim::failingStoreRecords = row.failingRecords;
    WriteGoods(1, {Goods("A", 1, 1), Goods("B", 2, 2), Goods("C", 3, 3)});
    ASSERT_EQ(Open(1, row.update), 1);
    std::vector<int> results;
    while (nextRecord(&cursor) == 1) {
      reinterpret_cast<GoodsRecord*>(recordBuffer)->netPrice = 50;
      results.push_back(storeRecord(&cursor));
    }
    closeTableFile(&cursor);
    EXPECT_EQ(results, row.written);
    auto goods = ReadGoods(1);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(goods[i].netPrice == 50, row.written[i] == 1) << i;
  }
}

// Calls the plug-in never makes: each gets 0 and leaves no cursor open and the file as
// it was.
TEST_F(GoodsServicesTest, AWrongCallGetsNothingAndChangesNothing) {
  unsigned char noBuffer[32] = {};  // a goods table without its record buffer
  const struct {
    const char* label;
    std::function<int()> call;
  } rows[] = {
      {"open without a cursor", [&] { return openTableFile(nullptr, goodsTable, OpenTableFileKind, name, 1, 0); }},
      {"open without a table", [&] { return openTableFile(&cursor, nullptr, OpenTableFileKind, name, 0, 0); }},
      {"open without a record buffer", [&] { return openTableFile(&cursor, noBuffer, OpenTableFileKind, name, 1, 0); }},
      {"open for update without a name", [&] { return openTableFile(&cursor, goodsTable, OpenTableFileKind, nullptr, 1, 0); }},
      {"fetch without a cursor", [&] { return nextRecord(nullptr); }},
      {"store without a cursor", [&] { return storeRecord(nullptr); }},
      {"store on a cursor never opened", [&] { return storeRecord(&cursor); }},
      {"store before the first fetch",
       [&] {
         Open(1, 1);
         std::memset(recordBuffer, 'Z', sizeof recordBuffer);
         int stored = storeRecord(&cursor);
         closeTableFile(&cursor);
         return stored;
       }},
      {"close without a cursor",
       [&] {
         closeTableFile(nullptr);
         return 0;
       }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    SetUp();
    cursor = {};
    WriteGoods(1, {Goods("A", 1, 1)});
    tableFileName(1, name, "MMM", ".MGR", TableFileNameKind);
    EXPECT_EQ(row.call(), 0);
    EXPECT_EQ(hostsim::goodsCounters.openCursors, 0);
    EXPECT_EQ(+ReadGoods(1).at(0).grossPrice, 1.0);
  }
}

TEST_F(GoodsServicesTest, TheAnswersFileGivesTheVatTableAndFailingStores) {
  std::string error;
  ASSERT_TRUE(hostsim::ParseAnswers("vat = 1 10\nvat = 7 50\nfail_store = 2\n", error)) << error;
  hostsim::ApplyAnswersGoods();
  EXPECT_EQ(hostsim::vatRates, (std::map<int, double>{{1, 0.10}, {7, 0.50}}));
  EXPECT_EQ(hostsim::failingStoreRecords, (std::set<int>{1}));
  EXPECT_DOUBLE_EQ(convertNetGross(2, 7, 100.0), 150.0);
  EXPECT_DOUBLE_EQ(convertNetGross(1, 7, 150.0), 100.0);
  EXPECT_EQ(convertNetGross(2, 2, 100.0), 100.0);  // not in the table: 0%
  EXPECT_EQ(convertNetGross(3, 7, 100.0), 100.0);  // no such mode: the price as it was
}

}  // namespace
