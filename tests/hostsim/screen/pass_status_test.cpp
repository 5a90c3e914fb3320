// The status line: the records the goods cursor visits and the price file's lines,
// drawn at most ten times a second by a fake clock, taken away when the cursor closes,
// never in the transcript. And what a console run costs per service call: the calls
// into a fake console, counted.
#include <string>
#include <vector>

#include "host/arguments.h"
#include "host/services.h"
#include "hostsim/base/settings_file.h"
#include "hostsim/base/transcript.h"
#include "hostsim/screen/console_pace.h"
#include "hostsim/screen/pass_status.h"
#include "hostsim/services/console_shows.h"
#include "hostsim/services/memory.h"
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

TEST_F(PassStatusTest, ThePriceFilesLinesThenAPassWhoseChecksAreNoLines) {
  auto priceFile = [] { return std::string("towary.txt"); };  // named without a folder
  for (int64_t t : {1000, 1100}) {
    fakeNow = t;
    hostsim::PriceLineChecked(priceFile);  // before line 1, before line 2
  }
  hostsim::PassStatusOpened("C:\\sklep\\MMM1.MGR", true);
  fakeNow = 1200;
  hostsim::PriceLineChecked(priceFile);
  fakeNow = 1300;
  hostsim::PassStatusFetched();
  hostsim::clearPassStatus = nullptr;
  hostsim::PassStatusClosed();
  fakeNow = 1400;
  hostsim::PassStatusFetched();  // no cursor open
  EXPECT_EQ(events, (std::vector<std::string>{"towary.txt: 0 lines read", "towary.txt: 1 line read", "(cleared)",
                                              "MMM1.MGR, update pass: 1 record visited"}));
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

// A console that counts what is asked of it: key questions (a key pressed at the
// polls listed), status lines drawn, transcript lines written, files viewed.
struct CountingConsole {
  int polls = 0, draws = 0, lines = 0, viewed = 0;
  std::vector<int> pressedAt;  // the polls (from 1) at which a key was pressed
  std::string lastDraw;
};
CountingConsole counted;

class ConsoleCostTest : public WarehouseFixture {
 protected:
  void SetUp() override {
    WarehouseFixture::SetUp();
    counted = {};
    fakeNow = 5000;
    hostsim::consoleClock = hostsim::passStatusClock = FakeClock;
    hostsim::consoleKeyPoll = [] {
      ++counted.polls;
      for (int at : counted.pressedAt)
        if (at == counted.polls) return true;
      return false;
    };
    hostsim::keyPressed = hostsim::PacedKeyPressed;
    hostsim::drawPassStatus = [](const hostsim::PassStatus& s) {
      ++counted.draws;
      counted.lastDraw = hostsim::PassStatusText(s);
    };
    hostsim::clearPassStatus = [] {};
    hostsim::echo = true;
    hostsim::writeLine = [](const std::string&) { ++counted.lines; };
    hostsim::consoleShows.textFile = [](const std::string&) { ++counted.viewed; };
    hostsim::StoreSetting("Przecena", "Path", "C:\\ceny\\towary.txt");
  }
  void TearDown() override {
    hostsim::EraseSettings();
    hostsim::echo = false;
    hostsim::writeLine = nullptr;
    hostsim::keyPressed = nullptr;
    hostsim::ResetConsolePace();
    WarehouseFixture::TearDown();
  }
};

TEST_F(ConsoleCostTest, TheInterruptionCheckAsksTheConsoleAtMostEvery50Milliseconds) {
  struct Row {
    const char* label;
    int checks;
    int64_t step;  // milliseconds between two checks
    int polls, draws;
    std::string lastDraw;
  } rows[] = {
      {"10,000 lines, 1 ms apart", 10000, 1, 200, 100, "towary.txt: 9900 lines read"},
      {"10,000 lines while the clock stands", 10000, 0, 1, 1, "towary.txt: 0 lines read"},
      {"1,000 lines, 50 ms apart", 1000, 50, 1000, 500, "towary.txt: 998 lines read"},
      {"100 lines, 49 ms apart", 100, 49, 50, 34, "towary.txt: 99 lines read"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    SetUp();
    for (int i = 0; i < row.checks; ++i, fakeNow += row.step) ASSERT_EQ(stopRequested(), 0);
    EXPECT_EQ(counted.polls, row.polls);
    EXPECT_EQ(counted.draws, row.draws);
    EXPECT_EQ(counted.lastDraw, row.lastDraw);
    EXPECT_EQ(counted.lines, 0);  // the transcript hears of no check
    TearDown();
  }
}

TEST_F(ConsoleCostTest, AKeyStopsTheReadingAtTheNextQuestion) {
  counted.pressedAt = {3};
  std::vector<int> stopped;
  for (int i = 1; i <= 200; ++i, fakeNow += 1)
    if (stopRequested()) stopped.push_back(i);
  EXPECT_EQ(stopped, std::vector<int>{101});  // polls at checks 1, 51, 101, 151
  EXPECT_EQ(counted.polls, 4);
}

TEST_F(ConsoleCostTest, AFileShownInTheViewerPutsTwoLinesIntoTheTranscript) {
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "Mag:1 X" + std::to_string(i) + " - Brak towaru\r\n";
  std::FILE* f = std::fopen("INFO.TXT", "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
  showTextFile("INFO.TXT");
  EXPECT_EQ(counted.viewed, 1);
  EXPECT_EQ(counted.lines, 2);  // "[showTextFile] INFO.TXT", "    (5000 lines, shown in the viewer)"
  ASSERT_EQ(hostsim::Transcript().size(), 1u);
  EXPECT_EQ(hostsim::Transcript()[0].text.size(), text.size() - 5000);  // kept whole, line feeds only
}

}  // namespace
