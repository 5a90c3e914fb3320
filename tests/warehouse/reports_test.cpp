// The report step and the summary: the bytes of every line kind, the counters, the
// wait message and the summary text, through the stand-in's files and transcript.

#include "host/mazovia.h"
#include "hostsim/player/failure_plan.h"
#include "reprice/reports.h"
#include "tests/warehouse/warehouse_fixture.h"

using namespace testing_goods;

namespace {

class ReportsTest : public WarehouseFixture {
 protected:
  RunCounters Write(int warehouse) {
    UseEntries();
    return WriteReports(warehouse);
  }
};

TEST_F(ReportsTest, EachStatusGivesItsLineInItsFile) {
  const std::string price = "     12.50";
  struct Row {
    const char* label;
    int32_t status;
    const char* file;  // null: no line beyond INFO4.TXT
    std::string line;
  } rows[] = {
      {"not found", StatusNotFound, ReportInfo2, "Mag:3 ABC" + std::string(22, ' ') + " - Brak towaru na magazynie"},
      {"same price", StatusSamePrice, ReportInfo,
       "Mag:3 ABC" + std::string(22, ' ') + " - Ta sama cena towaru" + std::string(16, ' ') + "12.50"},
      {"too long", StatusSymbolTooLong, ReportInfo,
       "Mag:3 ABC" + std::string(22, ' ') + Mz(" - Za długi symbol towaru")},
      {"change failed", StatusChangeFailed, ReportInfo,
       "Mag:3 ABC" + std::string(22, ' ') + Mz(" - Źle zmianiono cenę")},
      {"bad price", StatusBadPrice, ReportInfo,
       "Mag:3 ABC" + std::string(22, ' ') + Mz(" - Błędna cena w pliku")},
      {"repriced", StatusRepriced, nullptr, ""},
      {"a value no pass sets", 7, nullptr, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    SetUp();
    entries = {Entry("ABC", 125000.0, "Kawa", row.status)};
    Write(3);
    EXPECT_EQ(Lines(ReportInfo4), (std::vector<std::string>{"[ABC] " + price + " Kawa"}));
    for (const char* file : {ReportInfo, ReportInfo2, ReportInfo3}) {
      if (row.file && std::string(file) == row.file)
        EXPECT_EQ(Lines(file), (std::vector<std::string>{row.line}));
      else
        EXPECT_FALSE(Exists(file)) << file;
    }
  }
}

TEST_F(ReportsTest, CountersCountEntriesByTheirFinalStatus) {
  entries = {Entry("A", 1, "a", StatusRepriced),    Entry("B", 1, "b", StatusNotFound),
             Entry("C", 1, "c", StatusNotFound),    Entry("D", 1, "d", StatusSymbolTooLong),
             Entry("E", 1, "e", StatusChangeFailed), Entry("F", 1, "f", StatusSamePrice),
             Entry("G", 1, "g", StatusSamePrice),   Entry("H", 1, "h", StatusSamePrice)};
  RunCounters c = Write(-2);
  EXPECT_EQ(c.entriesRead, 8);
  EXPECT_EQ(c.unidentifiedCount, 2);
  EXPECT_EQ(c.tooLongCount, 1);
  EXPECT_EQ(c.changeErrorCount, 1);
  EXPECT_EQ(c.samePriceCount, 3);
  EXPECT_EQ(Lines(ReportInfo4).size(), 8u);
  EXPECT_EQ(Lines(ReportInfo2).size(), 2u);
  auto info = Lines(ReportInfo);
  ASSERT_EQ(info.size(), 5u);
  EXPECT_EQ(info[0].substr(0, 9), "Mag:-2 D ");  // file order, the kinds mixed
  EXPECT_EQ(info[1].substr(0, 9), "Mag:-2 E ");
}

// An entry whose bad price was refused is a failed change, reported at its place among
// the other INFO.TXT lines; INFO.TXT is shown only for the missing and unchanged ones.
TEST_F(ReportsTest, ABadPriceCountsAsAFailedChangeAtItsPlaceInInfo) {
  entries = {Entry("F", 61500, "f", StatusSamePrice),   Entry("A", -54900, "a", StatusBadPrice),
             Entry("D", 1, "d", StatusSymbolTooLong),   Entry("E", 1, "e", StatusChangeFailed),
             Entry("B", 0, "b", StatusBadPrice),        Entry("R", 1, "r", StatusRepriced)};
  RunCounters c = Write(1);
  EXPECT_EQ(c.entriesRead, 6);
  EXPECT_EQ(c.unidentifiedCount, 0);
  EXPECT_EQ(c.tooLongCount, 1);
  EXPECT_EQ(c.changeErrorCount, 3);
  EXPECT_EQ(c.samePriceCount, 1);
  EXPECT_EQ(Lines(ReportInfo), (std::vector<std::string>{
                                   "Mag:1 F" + std::string(24, ' ') + " - Ta sama cena towaru" +
                                       std::string(17, ' ') + "6.15",
                                   "Mag:1 A" + std::string(24, ' ') + Mz(" - Błędna cena w pliku"),
                                   "Mag:1 D" + std::string(24, ' ') + Mz(" - Za długi symbol towaru"),
                                   "Mag:1 E" + std::string(24, ' ') + Mz(" - Źle zmianiono cenę"),
                                   "Mag:1 B" + std::string(24, ' ') + Mz(" - Błędna cena w pliku"),
                               }));
  EXPECT_EQ(Lines(ReportInfo4), (std::vector<std::string>{"[F]       6.15 f", "[A]      -5.49 a", "[D]       0.00 d",
                                                          "[E]       0.00 e", "[B]       0.00 b", "[R]       0.00 r"}));
  EXPECT_FALSE(Exists(ReportInfo2));
  EXPECT_TRUE(ShowsInfoFile(c));
  c.samePriceCount = 0;
  EXPECT_FALSE(ShowsInfoFile(c));  // bad prices alone do not show it
}

TEST_F(ReportsTest, TheWaitMessageFramesTheWritingAndAFailedAppendStillCounts) {
  entries = {Entry("A", 1, "a", StatusNotFound), Entry("B", 1, "b", StatusNotFound)};
  hostsim::PlanFailure(hostsim::FailingService::Append, 2);  // the first entry's INFO2.TXT line
  RunCounters c = Write(1);
  EXPECT_EQ(c.unidentifiedCount, 2);
  EXPECT_EQ(Lines(ReportInfo2).size(), 1u);
  auto& shown = hostsim::Transcript();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].service, "messageBox");
  EXPECT_EQ(shown[0].title, "uwaga");
  EXPECT_EQ(shown[0].text, "Proszę czekać. Tworzenie raportu.");
  EXPECT_EQ(shown[0].mode, 512);
  EXPECT_EQ(shown[1].service, "closeWaitMessage");
}

TEST_F(ReportsTest, AnEmptyListWritesNoFile) {
  RunCounters c = Write(1);
  EXPECT_EQ(c.entriesRead + c.unidentifiedCount + c.tooLongCount + c.changeErrorCount + c.samePriceCount, 0);
  for (const char* file : {ReportInfo, ReportInfo2, ReportInfo3, ReportInfo4}) EXPECT_FALSE(Exists(file)) << file;
  EXPECT_FALSE(ShowsInfoFile(c));
}

TEST_F(ReportsTest, SummaryHasFiveLinesWithTheNumbersInColumn37) {
  ShowSummary({120, 3, 1, 0, 42});
  auto& shown = hostsim::Transcript();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].service, "messageBoxFormat");
  EXPECT_EQ(shown[0].title, "uwaga");
  EXPECT_EQ(shown[0].mode, 1);
  EXPECT_EQ(shown[0].text,
            "Ilość towarów odczytana z pliku:    120\n"
            "Ilość niezidentyfikowanych towarów: 3\n"
            "Ilość za długich symboli:           1\n"
            "Błąd zmiany ceny:                   0\n"
            "Towary z takimi samymi cenami:      42");
}

TEST_F(ReportsTest, InfoFileIsShownForMissingOrSamePriceEntriesOnly) {
  struct Row {
    const char* label;
    RunCounters counters;
    bool shown;
  } rows[] = {
      {"missing entries", {5, 1, 0, 0, 0}, true},
      {"same prices", {5, 0, 0, 0, 1}, true},
      {"only too long and failed", {5, 0, 2, 3, 0}, false},
      {"nothing to tell", {5, 0, 0, 0, 0}, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(ShowsInfoFile(row.counters), row.shown);
  }
}

TEST_F(ReportsTest, LongLinesStayInTheBufferAndKeepTheirNumbersWhole) {
  std::string name(119, 'n');
  entries = {Entry("SYM", 1e200, name.c_str(), StatusSamePrice), Entry("BIG", 123456789012.0, name.c_str()),
             Entry("HUGE", 1e260, name.c_str(), StatusSamePrice)};
  Write(1);
  char number[512];
  std::snprintf(number, sizeof number, "%.2f", 1e200 / PriceScale);
  const std::size_t head = 6 + std::strlen(number) + 1;
  ASSERT_LT(head, 255u);
  auto info4 = Lines(ReportInfo4);
  ASSERT_EQ(info4.size(), 3u);
  EXPECT_EQ(info4[0], "[SYM] " + std::string(number) + " " + name.substr(0, 255 - head));  // the name gives way
  EXPECT_EQ(info4[1], "[BIG] 12345678.90 " + name);
  EXPECT_EQ(info4[2].size(), 255u);  // the price alone overflows: cut at the buffer
  auto info = Lines(ReportInfo);
  ASSERT_EQ(info.size(), 2u);
  EXPECT_EQ(info[0], "Mag:1 SYM" + std::string(22, ' ') + " - Ta sama cena towaru " + number);
  EXPECT_EQ(info[1].size(), 255u);
  char line[ReportLineSize];
  std::string hugeName(300, 'x');
  ComposeReportLine(line, "[S]   99999999999999999999.00 ", hugeName.c_str(), 0, "");
  EXPECT_EQ(std::string(line), "[S]   99999999999999999999.00 " + hugeName.substr(0, 255 - 30));
  ComposeReportLine(line, "Mag:1 ", "ABC", 25, std::string(240, '9').c_str());
  EXPECT_EQ(std::string(line), "Mag:1 ABC" + std::string(6, ' ') + std::string(240, '9'));
}

}  // namespace
