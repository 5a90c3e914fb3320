// The passes' status line: the records the goods cursor visits, drawn at most ten
// times a second by a fake clock, taken away when the cursor closes, never in the
// transcript.
#include <string>
#include <vector>

#include "host/arguments.h"
#include "host/services.h"
#include "hostsim/screen/pass_status.h"
#include "tests/warehouse/warehouse_fixture.h"

using namespace testing_goods;

namespace {

int64_t fakeNow;
int64_t FakeClock() { return fakeNow; }

class PassStatusTest : public WarehouseFixture {
 protected:
  void SetUp() override {
    WarehouseFixture::SetUp();
    fakeNow = 5000;
    hostsim::passStatusClock = FakeClock;
    hostsim::drawPassStatus = [this](const hostsim::PassStatus& s) { events.push_back(hostsim::PassStatusText(s)); };
    hostsim::clearPassStatus = [this] { events.push_back("(cleared)"); };
    std::vector<GoodsRecord> goods;
    for (const char* symbol : {"A", "B", "C", "D", "E"}) goods.push_back(Goods(symbol, 10000, 12300));
    WriteGoods(1, goods);
  }

  // Walks warehouse 1 (for update or not), the clock standing at times[i] when record
  // i+1 is fetched.
  void Walk(int update, const std::vector<int64_t>& times) {
    GoodsCursor cursor{};
    char name[256];
    tableFileName(1, name, "MMM", ".MGR", TableFileNameKind);
    ASSERT_EQ(openTableFile(&cursor, goodsTable, OpenTableFileKind, name, update, ReservedArgument), 1);
    for (int64_t t : times) {
      fakeNow = t;
      ASSERT_EQ(nextRecord(&cursor), 1);
    }
    closeTableFile(&cursor);
  }

  std::vector<std::string> events;
};

TEST_F(PassStatusTest, DrawsAtMostOnceInATenthOfASecond) {
  struct Row {
    const char* label;
    std::vector<int64_t> times;  // of the five fetches, in milliseconds
    std::vector<std::string> events;
  } rows[] = {
      {"all within 99 ms: the first draw only",
       {1000, 1020, 1050, 1080, 1099},
       {"MMM1.MGR, update pass: 1 record visited", "(cleared)"}},
      {"100 ms apart: every fetch",
       {1000, 1100, 1200, 1300, 1400},
       {"MMM1.MGR, update pass: 1 record visited", "MMM1.MGR, update pass: 2 records visited",
        "MMM1.MGR, update pass: 3 records visited", "MMM1.MGR, update pass: 4 records visited",
        "MMM1.MGR, update pass: 5 records visited", "(cleared)"}},
      {"a draw, then 99 ms and 100 ms after it",
       {1000, 1099, 1100, 1150, 1199},
       {"MMM1.MGR, update pass: 1 record visited", "MMM1.MGR, update pass: 3 records visited", "(cleared)"}},
      {"a slow record in the middle",
       {1000, 1010, 1500, 1510, 1520},
       {"MMM1.MGR, update pass: 1 record visited", "MMM1.MGR, update pass: 3 records visited", "(cleared)"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    hostsim::ResetPassStatus();
    hostsim::passStatusClock = FakeClock;
    hostsim::drawPassStatus = [this](const hostsim::PassStatus& s) { events.push_back(hostsim::PassStatusText(s)); };
    hostsim::clearPassStatus = [this] { events.push_back("(cleared)"); };
    events.clear();
    Walk(1, row.times);
    EXPECT_EQ(events, row.events);
  }
}

TEST_F(PassStatusTest, TheCheckPassCountsAfreshWithinTheSameLimit) {
  Walk(1, {1000, 1001, 1002, 1003, 1004});
  Walk(0, {1050, 1100, 1101, 1250, 1251});
  EXPECT_EQ(events, (std::vector<std::string>{"MMM1.MGR, update pass: 1 record visited", "(cleared)",
                                              "MMM1.MGR, check pass: 2 records visited",
                                              "MMM1.MGR, check pass: 4 records visited", "(cleared)"}));
}

TEST_F(PassStatusTest, NothingIsDrawnNorClearedWithoutADrawerNorShownInTheTranscript) {
  hostsim::drawPassStatus = nullptr;
  Walk(1, {1000, 1100, 1200, 1300, 1400});
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(hostsim::Transcript().empty());
}

TEST_F(PassStatusTest, AWarehouseWithoutAGoodsFileDrawsNothing) {
  GoodsCursor cursor{};
  char name[256];
  tableFileName(7, name, "MMM", ".MGR", TableFileNameKind);
  EXPECT_EQ(openTableFile(&cursor, goodsTable, OpenTableFileKind, name, 1, ReservedArgument), 0);
  EXPECT_EQ(nextRecord(&cursor), 0);
  closeTableFile(&cursor);
  EXPECT_TRUE(events.empty());
}

}  // namespace
