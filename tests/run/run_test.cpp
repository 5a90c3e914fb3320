// Whole repricing runs: every way a run ends and what it leaves behind (settings,
// report files, goods, messages), and the reports of a normal run byte for byte.
#include <cmath>

#include "tests/run/run_fixture.h"
#include "tests/support/windows1250.h"

using namespace testing_run;

namespace {

const std::string Shop =
    "symbol,index,name,vat,net,gross,remarks\n"
    "KAWA,100,Kawa mielona,1,10.00,12.30,półka 1\n"
    "HERB,101,Herbata czarna,1,5.00,6.15,półka 2\n"
    "CUKIER,102,Cukier biały,2,3.00,3.24,\n";

const std::vector<PriceLine> ShopPrices = {
    {"KAWA", "Kawa Arabica", "13,53"},                 // repriced
    {"HERB", "Herbata Earl Grey", "6,15"},             // the same gross price
    {"MLEKO", "Mleko 2%", "2,50"},                     // not in the warehouse
    {"BARDZO-DLUGI-SYMBOL-TOWARU-X", "Długi", "1,00"},  // symbol too long
    {"kawa", "Kawa druga", "99,99"},                   // the same key again
};

std::string Blanks(int n) { return std::string(n, ' '); }

class RunTest : public RunFixture {};

TEST_F(RunTest, ANormalRunRepricesReportsAndSummarises) {
  WriteGoods(1, Shop);
  WritePriceFile("towary.txt", ShopPrices);
  Answer({});
  Run();

  auto goods = Goods(1);
  ASSERT_EQ(goods.size(), 3u);
  EXPECT_EQ(goods[0].gross, 13.53);
  EXPECT_EQ(goods[0].net, 11.00);
  EXPECT_EQ(goods[0].name, "Kawa mielona");
  EXPECT_EQ(goods[1].gross, 6.15);
  EXPECT_EQ(goods[1].net, 5.00);
  EXPECT_EQ(goods[2].gross, 3.24);

  EXPECT_EQ(Lines("INFO3.TXT"), (std::vector<std::string>{
                                    "Mag:1 KAWA" + Blanks(21) + " -      10.00->     11.00 zmiana ceny",
                                    "Mag:1 HERB" + Blanks(21) + " -       5.00->      5.00",
                                    "Mag:1 " + Blanks(25) + " -       3.00 Brak w pliku TOWARY.TXT",
                                }));
  EXPECT_EQ(Lines("INFO4.TXT"), (std::vector<std::string>{
                                    "[KAWA]      13.53 Kawa Arabica",
                                    "[HERB]       6.15 Herbata Earl Grey",
                                    "[MLEKO]       2.50 Mleko 2%",
                                    "[BARDZO-DLUGI-SYMBOL-TOWA]       1.00 Długi",
                                    "[kawa]      99.99 Kawa druga",
                                }));
  EXPECT_EQ(Lines("INFO2.TXT"), (std::vector<std::string>{
                                    "Mag:1 MLEKO" + Blanks(20) + " - Brak towaru na magazynie",
                                    "Mag:1 kawa" + Blanks(21) + " - Brak towaru na magazynie",
                                }));
  EXPECT_EQ(Lines("INFO.TXT"), (std::vector<std::string>{
                                   "Mag:1 HERB" + Blanks(21) + " - Ta sama cena towaru" + Blanks(17) + "6.15",
                                   "Mag:1 BARDZO-DLUGI-SYMBOL-TOWA  - Za długi symbol towaru",
                               }));
  auto shown = Shown();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0], "messageBox: uwaga: Proszę czekać. Tworzenie raportu.");
  EXPECT_EQ(shown[1], "closeWaitMessage");
  EXPECT_EQ(shown[2],
            "messageBoxFormat: uwaga: Ilość towarów odczytana z pliku:    5\n"
            "Ilość niezidentyfikowanych towarów: 2\n"
            "Ilość za długich symboli:           1\n"
            "Błąd zmiany ceny:                   0\n"
            "Towary z takimi samymi cenami:      1");
  auto info = Lines("INFO.TXT");
  EXPECT_EQ(shown[3], "showTextFile: INFO.TXT: " + info[0] + "\n" + info[1] + "\n");
  ASSERT_NE(Find("messageBox"), nullptr);
  EXPECT_EQ(Find("messageBox")->mode, 512);
  EXPECT_EQ(hostsim::memory.blocks.size(), 0u);  // the price list was given back
  EXPECT_EQ(hostsim::goodsCounters.openCursors, 0);
}

std::string Mazovia(const std::string& utf8) { return hostsim::Utf8ToMazovia(utf8); }
std::string Utf8(const std::string& utf8) { return utf8; }

TEST_F(RunTest, EveryEarlyExitLeavesTheGoodsAndWritesNoReport) {
  struct Row {
    const char* label;
    std::string dialog;                         // the dialog script
    std::string chooser;                        // "" none
    std::string (*encoding)(const std::string&);  // of towary.txt
    bool failMemory;
    bool settingsSaved;
    std::vector<std::string> shown;
  } rows[] = {
      {"dialog left", "type towary.txt; choose B; leave", "", Mazovia, false, false, {}},
      {"chooser refused", "F3", "-1", Mazovia, false, false, {}},
      {"file not opened", "type brak.txt; F12", "", Mazovia, false, true,
       {"messageBox: uwaga: Nie można otworzyć pliku cen:\nbrak.txt\nTowary nie zostały zmienione."}},
      {"empty path", "F12", "", Mazovia, false, true,
       {"messageBox: uwaga: Nie można otworzyć pliku cen:\n\nTowary nie zostały zmienione."}},
      {"out of memory", "type towary.txt; F12", "", Mazovia, true, true, {"messageBox: uwaga: Za mało pamięci"}},
      {"names to copy from a file in UTF-8", "type towary.txt; tick; F12", "", Utf8, false, true,
       {"messageBox: uwaga: Plik cen nie jest zapisany w stronie kodowej Mazovia\n(wygląda na UTF-8):\n"
        "towary.txt\nTowary nie zostały zmienione."}},
      {"names to copy from a file in Windows-1250", "type towary.txt; tick; F12", "", testing_support::Cp1250, false,
       true,
       {"messageBox: uwaga: Plik cen nie jest zapisany w stronie kodowej Mazovia\n(wygląda na Windows-1250):\n"
        "towary.txt\nTowary nie zostały zmienione."}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    StartAfresh();
    WriteGoods(1, Shop);
    std::string goodsBefore = FileBytes(hostsim::GoodsFileName(1));
    WriteFile("towary.txt", row.encoding(PriceFileText(ShopPrices)));
    for (const char* f : ReportFiles) WriteFile(f, "from the run before\r\n");
    Load();
    hostsim::dialogs.script.push_back(row.dialog);
    if (!row.chooser.empty()) hostsim::dialogs.chooserScript.push_back(row.chooser);
    hostsim::dialogs.warehouseScript.push_back(1);
    if (row.failMemory) hostsim::PlanFailure(hostsim::FailingService::Memory, 1);
    Run();
    for (const char* f : ReportFiles) EXPECT_FALSE(Exists(f)) << f;
    EXPECT_TRUE(FileBytes(hostsim::GoodsFileName(1)) == goodsBefore);
    EXPECT_EQ(hostsim::goodsCounters.opens + hostsim::goodsCounters.failedOpens, 0);
    EXPECT_EQ(SettingWrites() > 0, row.settingsSaved);
    EXPECT_EQ(hostsim::dialogs.dialogCalls, 1);
    EXPECT_EQ(Shown(), row.shown);
    EXPECT_EQ(hostsim::memory.blocks.size(), 0u);
  }
}

TEST_F(RunTest, SettingsOfARunComeBackInTheNextRunsDialog) {
  WriteGoods(2, Shop);
  WritePriceFile("towary.txt", ShopPrices);
  Answer({"towary.txt", true, 'U', true, 2});
  Run();
  EXPECT_EQ(hostsim::StoredSetting("Przecena", "Path"), "towary.txt");
  EXPECT_EQ(hostsim::StoredSetting("Przecena", "Mag"), "2");
  hostsim::dialogs.script.push_back("F12");
  Run();
  ASSERT_EQ(hostsim::dialogs.showings.size(), 2u);
  const hostsim::DialogValues& opened = hostsim::dialogs.showings[1].opened;
  EXPECT_EQ(opened.inputs, (std::vector<std::string>{"towary.txt"}));
  EXPECT_EQ(opened.groups, (std::vector<int16_t>{1, 2}));
  EXPECT_EQ(opened.boxes, (std::vector<int16_t>{1}));
  EXPECT_EQ(hostsim::dialogs.lastWarehouseGiven, 2);
}

TEST_F(RunTest, ANegativeWarehouseIsNotSavedButNamedInTheReports) {
  hostsim::StoreSetting("Przecena", "Mag", "4");
  WritePriceFile("towary.txt", {{"MLEKO", "Mleko", "2,50"}});
  Answer({"towary.txt", true, 'S', false, -1});
  Run();
  EXPECT_EQ(hostsim::StoredSetting("Przecena", "Mag"), "4");
  EXPECT_FALSE(Exists("INFO3.TXT"));  // the goods file of -1 does not open
  EXPECT_EQ(Lines("INFO2.TXT"), (std::vector<std::string>{"Mag:-1 MLEKO" + Blanks(20) + " - Brak towaru na magazynie"}));
}

TEST_F(RunTest, StopRequestsEndTheReadingAndTheRunGoesOn) {
  struct Row {
    const char* label;
    int stoppingCheck;  // this check of 52460 and every later one stop; 0: none
    int read;
    int keyAfter = -1;  // the program's keyboard: a key is pressed after this many checks
  } rows[] = {{"stop before the first line", 1, 0}, {"stop after two lines", 3, 2}, {"a key pressed", 0, 3, 3}};
  static int keyChecks, keyAfter;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    StartAfresh();
    WriteGoods(1, Shop);
    WritePriceFile("towary.txt", ShopPrices);
    Load();
    hostsim::PlanFailure(hostsim::FailingService::Stop, row.stoppingCheck, true);
    keyChecks = 0;
    keyAfter = row.keyAfter;
    if (row.keyAfter >= 0) hostsim::keyPressed = [] { return ++keyChecks > keyAfter; };
    Answer({});
    Run();
    hostsim::keyPressed = nullptr;
    EXPECT_EQ(Lines("INFO4.TXT").size(), static_cast<std::size_t>(row.read));
    EXPECT_EQ(Lines("INFO3.TXT").size(), 3u);  // every goods record gets its line
    const hostsim::Shown* summary = Find("messageBoxFormat");
    ASSERT_NE(summary, nullptr);
    EXPECT_NE(summary->text.find("z pliku:    " + std::to_string(row.read) + "\n"), std::string::npos);
  }
}

TEST_F(RunTest, InfoFileIsShownOnlyForMissingOrUnchangedEntries) {
  struct Row {
    const char* label;
    std::vector<PriceLine> prices;
    int failingStoreCall;
    bool shown;
  } rows[] = {
      {"an entry missing from the warehouse", {{"MLEKO", "Mleko", "1,00"}}, 0, true},
      {"an unchanged price", {{"HERB", "Herbata", "6,15"}}, 0, true},
      {"only a too-long symbol and a failed change",
       {{"BARDZO-DLUGI-SYMBOL-TOWARU-X", "x", "1,00"}, {"KAWA", "Kawa", "20,00"}}, 1, false},
      {"everything repriced", {{"KAWA", "Kawa", "20,00"}}, 0, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    StartAfresh();
    WriteGoods(1, Shop);
    WritePriceFile("towary.txt", row.prices);
    Load();
    hostsim::PlanFailure(hostsim::FailingService::Store, row.failingStoreCall);
    Answer({});
    Run();
    EXPECT_EQ(hostsim::fileCounters.shows, row.shown ? 1 : 0);
    if (row.failingStoreCall) {
      EXPECT_EQ(Lines("INFO.TXT").back(), "Mag:1 KAWA" + Blanks(21) + " - Źle zmianiono cenę");
    }
  }
}

TEST_F(RunTest, WithoutAGoodsTableTheRunTouchesNoGoods) {
  hostsim::descriptorConfig.present = false;
  WriteGoods(1, Shop);
  std::string before = FileBytes(hostsim::GoodsFileName(1));
  WritePriceFile("towary.txt", ShopPrices);
  Answer({});
  Run();
  EXPECT_TRUE(FileBytes(hostsim::GoodsFileName(1)) == before);
  EXPECT_FALSE(Exists("INFO3.TXT"));
  EXPECT_EQ(hostsim::goodsCounters.opens + hostsim::goodsCounters.failedOpens + hostsim::goodsCounters.closes, 0);
  EXPECT_EQ(Lines("INFO2.TXT").size(), 4u);  // every entry but the too-long one is missing
  EXPECT_EQ(Lines("INFO4.TXT").size(), 5u);
}

TEST_F(RunTest, NetPricesDeriveTheGrossAndNamesAreCopied) {
  WriteGoods(1, Shop);
  WritePriceFile("towary.txt", {{"cukier", "Cukier trzcinowy ąęłńóśźż", "3,33"}});
  Answer({"towary.txt", false, 'S', true, 1});
  Run();
  auto goods = Goods(1);
  EXPECT_EQ(goods[2].net, 3.33);
  EXPECT_EQ(goods[2].gross, 3.60);  // 3.5964 at 8%
  EXPECT_EQ(goods[2].name, "Cukier trzcinowy ąęłńóśźż");
  EXPECT_EQ(Lines("INFO3.TXT")[2], "Mag:1 cukier" + Blanks(19) + " -       3.00->      3.33 zmiana ceny");
}

TEST_F(RunTest, IdentificationByIndexAndByRemarks) {
  struct Row {
    const char* label;
    char identifyBy;
    std::string key;
  } rows[] = {{"index", 'I', "101"},
              {"remarks", 'U', "PÓŁKA 2"},
              {"remarks, ASCII case differs", 'U', "pÓŁka 2"},
              {"remarks, Polish case differs", 'U', "PółKA 2"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    StartAfresh();
    WriteGoods(1, "symbol,index,name,vat,net,gross,remarks\nHERB,101,Herbata,1,5.00,6.15,PÓŁKA 2\n");
    WritePriceFile("towary.txt", {{row.key, "Herbata", "7,38"}});
    Answer({"towary.txt", true, row.identifyBy, false, 1});
    Run();
    bool found = row.key != "PółKA 2";
    EXPECT_EQ(Goods(1)[0].gross, found ? 7.38 : 6.15);
  }
}

TEST_F(RunTest, AStoredRecordChangesOnlyInItsPricesAndName) {
  std::string file, error;
  ASSERT_TRUE(hostsim::GoodsFileFromCsv(Shop, file, error)) << error;
  // Every byte the run must keep gets a mark: the unused parts of each record and the
  // text fields' bytes after their terminators.
  const std::pair<std::size_t, std::size_t> texts[] = {{2, 123}, {123, 140}, {140, 229}, {457, RecordBytes}};
  for (std::size_t record = 0; record < file.size(); record += RecordBytes) {
    for (std::size_t at : {0u, 1u}) file[record + at] = '\x5A';
    for (std::size_t at = 231; at < RecordBytes; ++at)
      if ((at < 247 || at >= 255) && (at < 327 || at >= 335) && at < 457) file[record + at] = static_cast<char>(0xC0 + at % 23);
    for (auto [from, to] : texts)
      for (std::size_t at = file.find('\0', record + from) + 1; at < record + to; ++at)
        file[at] = static_cast<char>(0xE0 + at % 13);
  }
  WriteFile(hostsim::GoodsFileName(1), file);
  WritePriceFile("towary.txt", {{"KAWA", "Kawa", "20,00"}, {"CUKIER", "Cukier", "3,24"}});
  Answer({"towary.txt", true, 'S', true, 1});
  Run();
  std::string after = FileBytes(hostsim::GoodsFileName(1));
  ASSERT_EQ(after.size(), file.size());
  auto mayChange = [](std::size_t i) {
    std::size_t at = i % RecordBytes;
    return (at >= 2 && at < 123) || (at >= 247 && at < 255) || (at >= 327 && at < 335);
  };
  int changed = 0;
  for (std::size_t i = 0; i < file.size(); ++i) {
    if (file[i] != after[i]) ++changed;
    if (mayChange(i)) continue;
    EXPECT_EQ(file[i], after[i]) << "record " << i / RecordBytes << ", byte " << i % RecordBytes;
  }
  EXPECT_GT(changed, 0);
  EXPECT_TRUE(after.substr(RecordBytes, RecordBytes) == file.substr(RecordBytes, RecordBytes));  // HERB: not in the file
  auto goods = Goods(1);
  EXPECT_EQ(goods[0].name, "Kawa");
  EXPECT_EQ(goods[0].gross, 20.00);
  EXPECT_EQ(goods[2].name, "Cukier");  // same price, stored for its name
}

TEST_F(RunTest, AnIdentificationOutOfRangeMeansBySymbol) {
  hostsim::StoreSetting("Przecena", "Index", "3");
  WriteGoods(1, "symbol,index,name,vat,net,gross,remarks\nHERB,101,Herbata,1,5.00,6.15,101\n");
  WritePriceFile("towary.txt", {{"101", "Herbata", "9,99"}, {"HERB", "Herbata", "7,38"}});
  hostsim::dialogs.script.push_back("type towary.txt; choose B; F12");
  hostsim::dialogs.warehouseScript.push_back(1);
  Run();
  EXPECT_EQ(Goods(1)[0].gross, 7.38);
  EXPECT_EQ(hostsim::StoredSetting("Przecena", "Index"), "3");
}

TEST_F(RunTest, ANetChangeWhoseGrossRoundsEqualIsReportedButNotStored) {
  WriteGoods(1, "symbol,index,name,vat,net,gross,remarks\nA,,Towar,1,10.00,12.31,\n");
  std::string before = FileBytes(hostsim::GoodsFileName(1));
  WritePriceFile("towary.txt", {{"A", "Towar", "10,01"}});  // gross 12.3123 rounds to 12.31
  Answer({"towary.txt", false, 'S', false, 1});
  Run();
  EXPECT_EQ(Lines("INFO3.TXT"), (std::vector<std::string>{"Mag:1 A" + Blanks(24) + " -      10.00->     10.01"}));
  EXPECT_EQ(Lines("INFO.TXT"),
            (std::vector<std::string>{"Mag:1 A" + Blanks(24) + " - Ta sama cena towaru" + Blanks(16) + "10.01"}));
  EXPECT_TRUE(FileBytes(hostsim::GoodsFileName(1)) == before);
}

TEST_F(RunTest, AFailedStoreIsReportedEvenWhenALaterRecordOfTheKeyTookThePrice) {
  WriteGoods(1, "symbol,index,name,vat,net,gross,remarks\nA,,Pierwszy,1,1.00,1.23,\nB,,Inny,1,1.00,1.23,\n"
                "a,,Drugi,1,1.00,1.23,\n");
  hostsim::failingStoreRecords = {0};
  WritePriceFile("towary.txt", {{"A", "Towar", "24,60"}});
  Answer({});
  Run();
  auto goods = Goods(1);
  EXPECT_EQ(goods[0].gross, 1.23);  // the store failed
  EXPECT_EQ(goods[2].gross, 24.60);
  EXPECT_EQ(Lines("INFO.TXT"), (std::vector<std::string>{"Mag:1 A" + Blanks(24) + " - Źle zmianiono cenę"}));
  const hostsim::Shown* summary = Find("messageBoxFormat");
  ASSERT_NE(summary, nullptr);
  EXPECT_NE(summary->text.find("Błąd zmiany ceny:                   1"), std::string::npos);
}

// An unchanged price with names copied is stored for its name alone; when the host drops
// that store, the record keeps its old name and the entry is a failed change. Without
// the copy nothing is stored, and the price is reported as unchanged.
TEST_F(RunTest, ANameTheHostDidNotStoreIsAFailedChange) {
  const std::string same = "Mag:1 HERB" + Blanks(21) + " - Ta sama cena towaru" + Blanks(17) + "6.15";
  struct Row {
    const char* label;
    bool copyName;
    bool storeDropped;
    bool goodsKept;    // the goods file stays byte for byte
    std::string name;  // the record's name after the run
    std::string info;
    std::string counts;  // the summary's last two lines
  } rows[] = {
      {"names copied, the store dropped", true, true, true, "Herbata czarna",
       "Mag:1 HERB" + Blanks(21) + " - Źle zmianiono cenę",
       "Błąd zmiany ceny:                   1\nTowary z takimi samymi cenami:      0"},
      {"names copied, stored", true, false, false, "Herbata Earl Grey", same,
       "Błąd zmiany ceny:                   0\nTowary z takimi samymi cenami:      1"},
      {"names not copied, the store would be dropped", false, true, true, "Herbata czarna", same,
       "Błąd zmiany ceny:                   0\nTowary z takimi samymi cenami:      1"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    StartAfresh();
    WriteGoods(1, Shop);
    std::string before = FileBytes(hostsim::GoodsFileName(1));
    WritePriceFile("towary.txt", {{"HERB", "Herbata Earl Grey", "6,15"}});
    Load();
    if (row.storeDropped) hostsim::failingStoreRecords = {1};
    Answer({"towary.txt", true, 'S', row.copyName, 1});
    Run();
    auto goods = Goods(1);
    EXPECT_EQ(goods[1].name, row.name);
    EXPECT_EQ(goods[1].gross, 6.15);
    EXPECT_EQ(FileBytes(hostsim::GoodsFileName(1)) == before, row.goodsKept);
    EXPECT_EQ(Lines("INFO3.TXT").at(1), "Mag:1 HERB" + Blanks(21) + " -       5.00->      5.00");
    EXPECT_EQ(Lines("INFO.TXT"), (std::vector<std::string>{row.info}));
    const hostsim::Shown* summary = Find("messageBoxFormat");
    ASSERT_NE(summary, nullptr);
    EXPECT_TRUE(summary->text.ends_with(row.counts)) << summary->text;
  }
}

}  // namespace

namespace {

// A price that is no number a goods record can hold (infinity from a huge price field,
// NaN or infinity from the host's conversion) is never stored: the record stays as it
// was, the entry is reported as failed, and the counts stay those of the file.
TEST_F(RunTest, PricesThatAreNoFiniteNumbersAreNeverStored) {
  struct Row {
    const char* label;
    std::string goods;  // CSV rows after the title
    std::string price;
    bool gross;
    int nanVatCode;     // 0: none; else 52289 answers NaN for this code
    std::string info3Suffix;  // "-": a line of 300-digit numbers, cut at 255 characters
  } rows[] = {
      {"a gross price of 1e400", "KAWA,100,Kawa,1,10.00,12.30,\n", "1e400", true, 0, " zmiana ceny"},
      {"a net price of 1e400", "KAWA,100,Kawa,1,10.00,12.30,\n", "1e400", false, 0, " zmiana ceny"},
      {"a net price whose gross overflows", "KAWA,100,Kawa,1,10.00,12.30,\n", "1,7e304", false, 0, "-"},
      {"the conversion answers NaN", "KAWA,100,Kawa,1,10.00,12.30,\n", "13,53", true, 1, " zmiana ceny"},
      {"NaN net beside an unchanged gross, the key's later record repriced",
       "KAWA,100,Kawa,1,10.00,12.30,\nkawa,101,Kawa 2,2,10.00,10.80,\n", "12,30", true, 1, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    StartAfresh();
    WriteGoods(1, "symbol,index,name,vat,net,gross,remarks\n" + row.goods);
    std::string before = FileBytes(hostsim::GoodsFileName(1));
    WritePriceFile("towary.txt", {{"KAWA", "Kawa", row.price}});
    Load();
    if (row.nanVatCode) hostsim::vatRates[row.nanVatCode] = std::nan("");
    Answer({"towary.txt", row.gross, 'S', true, 1});
    Run();
    std::string after = FileBytes(hostsim::GoodsFileName(1));
    ASSERT_EQ(after.size(), before.size());
    EXPECT_TRUE(after.substr(0, RecordBytes) == before.substr(0, RecordBytes)) << "the first record changed";
    auto info3 = Lines("INFO3.TXT");
    ASSERT_GE(info3.size(), 1u);
    if (row.info3Suffix == "-") {
      EXPECT_EQ(FileBytes("INFO3.TXT").find("\r\n"), 255u);
    } else {
      EXPECT_EQ(info3[0].rfind("Mag:1 KAWA" + Blanks(21) + " -      10.00->", 0), 0u) << info3[0];
      EXPECT_EQ(info3[0].ends_with(" zmiana ceny"), !row.info3Suffix.empty()) << info3[0];
    }
    EXPECT_EQ(Lines("INFO.TXT"), (std::vector<std::string>{"Mag:1 KAWA" + Blanks(21) + " - Źle zmianiono cenę"}));
    EXPECT_EQ(Lines("INFO4.TXT").size(), 1u);
    const hostsim::Shown* summary = Find("messageBoxFormat");
    ASSERT_NE(summary, nullptr);
    EXPECT_NE(summary->text.find("z pliku:    1\n"), std::string::npos);
    EXPECT_NE(summary->text.find("Błąd zmiany ceny:                   1"), std::string::npos);
    if (row.goods.find("kawa") != std::string::npos) {
      EXPECT_EQ(Goods(1)[1].gross, 12.30);  // the sound record of the key took the price
    }
  }
}

}  // namespace

#ifdef PRZECENA_DLL
#include <windows.h>

#include "hostsim/services/service_table.h"

namespace {
// A host whose line service fails once, as a structured exception, during the update
// pass: the run ends there with its price list filled.
bool appendFails;
void HOST_CDECL AppendThatFailsOnce(const char* fileName, const char* line) {
  if (appendFails) {
    appendFails = false;
    RaiseException(0xE0001111, 0, 0, nullptr);
  }
  appendLine(fileName, line);
}

TEST_F(RunTest, ARunAfterOneEndedByAnExceptionStartsWithAnEmptyList) {
  hostsim::extraServices[52407] = reinterpret_cast<void*>(&AppendThatFailsOnce);
  appendFails = true;
  WriteGoods(1, Shop);
  WritePriceFile("towary.txt", ShopPrices);
  Load();
  loadedOnce = true;
  Answer({});
  hostsim::CallOutcome first = hostsim::ChooseMenuCommand(RepricingCommand);
  ASSERT_FALSE(first.completed);
  EXPECT_EQ(first.exceptionCode, hostsim::SeExceptionCode);
  EXPECT_EQ(first.innerCode, 0xE0001111u);

  hostsim::Transcript().clear();
  Answer({});
  Run();
  const hostsim::Shown* summary = Find("messageBoxFormat");
  ASSERT_NE(summary, nullptr);
  EXPECT_NE(summary->text.find("Ilość towarów odczytana z pliku:    5\n"), std::string::npos) << summary->text;
  EXPECT_EQ(Lines("INFO4.TXT").size(), ShopPrices.size());
  hostsim::extraServices.erase(52407);
}
}  // namespace
#endif
