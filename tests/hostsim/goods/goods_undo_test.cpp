// Backups before a run's first store, the index of the runs, and taking runs back:
// real update and check passes over a goods file in a data folder of the test's own,
// then UndoLastRun as `hostsim.exe --undo` calls it.
#include <cmath>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "host/arguments.h"
#include "host/mazovia.h"
#include "host/services.h"
#include "hostsim/goods/goods_backup.h"
#include "hostsim/goods/goods_undo.h"
#include "hostsim/goods/price_journal.h"
#include "hostsim/goods/run_history.h"
#include "hostsim/services/plugin_call.h"
#include "hostsim/services/svc_settings.h"
#include "reprice/reports.h"
#include "reprice/warehouse.h"
#include "tests/warehouse/warehouse_fixture.h"

using namespace testing_goods;

namespace {

// A price in currency units as the host keeps it, in ten-thousandths.
double P(double units) { return std::round(units * 10000.0); }

// The clock of the runs and undos: the second of 2026-03-04 05:06 the test sets.
int second;
std::string Clock() {
  char text[32];
  std::snprintf(text, sizeof text, "2026-03-04 05:06:%02d", second);
  return text;
}

const char* const Data = "undo_data";

class UndoTest : public WarehouseFixture {
 protected:
  void SetUp() override {
    WarehouseFixture::SetUp();
    std::filesystem::remove_all(Data);
    std::filesystem::create_directory(Data);
    hostsim::dataFolder = Data;
    second = 7;
    hostsim::journalClock = Clock;
    WriteGoods(1, {Goods("KAWA", P(10.00), P(12.30)), Goods("HERBATA", P(5.00), P(6.15))});
    original = FileBytes(Goods1());
  }

  static std::string Goods1() { return hostsim::GoodsFileName(1); }

  // One run of the passes and the reports over warehouse `warehouse` with these prices
  // (gross) in one plug-in call, at the clock's second, which goes on by one afterwards.
  void Run(const std::vector<PriceEntry>& prices, int warehouse = 1) {
    entries = prices;
    UseEntries();
    for (const char* f : {ReportInfo, ReportInfo2, ReportInfo3, ReportInfo4}) std::remove(f);  // as a run does
    hostsim::EnterPluginCall();
    UpdateWarehousePrices(warehouse, 1);
    CheckWarehousePrices(warehouse, 1);
    WriteReports(warehouse);
    hostsim::LeavePluginCall();
    ++second;
  }

  // UndoLastRun's result and message.
  struct Undone {
    bool done;
    std::string message;
  };
  Undone Undo(const std::string& warehouse = "") {
    Undone u{};
    u.done = hostsim::UndoLastRun(warehouse, u.message);
    ++second;
    return u;
  }

  // A file of these bytes in the backup folder (made when there is none).
  static void WriteBackupFile(const std::string& name, const std::string& bytes) {
    std::filesystem::create_directory("undo_data/kopie");
    std::FILE* f = std::fopen(("undo_data/kopie/" + name).c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  static void WriteIndex(const std::string& bytes) { WriteBackupFile("INDEKS.TXT", bytes); }

  // The names in the backup folder, sorted.
  static std::vector<std::string> BackupFolder() {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator("undo_data/kopie"))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  // "title: text" of each entry of the transcript by one service.
  static std::vector<std::string> ShownBy(const std::string& service) {
    std::vector<std::string> shown;
    for (const hostsim::Shown& s : hostsim::Transcript())
      if (s.service == service) shown.push_back(s.title + ": " + s.text);
    return shown;
  }

  std::string original;
};

const PriceEntry Coffee = Entry("KAWA", P(24.60));   // net 20.00, gross 24.60
const PriceEntry Tea = Entry("HERBATA", P(12.30));  // net 10.00, gross 12.30

TEST_F(UndoTest, UndoPutsBackTheGoodsFileRunByRun) {
  Run({Coffee});
  std::string afterFirst = FileBytes(Goods1());
  Run({Tea});
  ASSERT_NE(FileBytes(Goods1()), afterFirst);
  struct Step {
    const char* label;
    bool done;
    std::string message;
    const std::string* goods;  // the file afterwards
  } steps[] = {
      {"the second run", true,
       "undone the run of 2026-03-04 05:06:08 of warehouse 1 (MMM1.MGR; 1 line read, 1 changed, 0 failed): MMM1.MGR is back as "
       "undo_data/kopie/MMM1.MGR.20260304-050608 holds it",
       &afterFirst},
      {"the first run", true,
       "undone the run of 2026-03-04 05:06:07 of warehouse 1 (MMM1.MGR; 1 line read, 1 changed, 0 failed): MMM1.MGR is back as "
       "undo_data/kopie/MMM1.MGR.20260304-050607 holds it",
       &original},
      {"nothing left", false,
       "no backup to undo: undo_data/kopie/INDEKS.TXT holds no run that is not undone yet", &original},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.label);
    Undone u = Undo();
    EXPECT_EQ(u.done, step.done);
    EXPECT_EQ(u.message, step.message);
    EXPECT_EQ(FileBytes(Goods1()), *step.goods);
  }
}

TEST_F(UndoTest, TheJournalRecordsTheUndoAndWhatWentBack) {
  Run({Coffee});
  ASSERT_TRUE(Undo().done);
  std::vector<std::string> journal = Lines(hostsim::DataPath(hostsim::PriceJournalName));
  ASSERT_EQ(journal.size(), 4u);
  EXPECT_EQ(journal[0], "--- 2026-03-04 05:06:07; magazyn 1 (MMM1.MGR)");
  EXPECT_EQ(journal[2], std::string(Mz("--- 2026-03-04 05:06:08; magazyn 1 (MMM1.MGR); cofnięcie przebiegu z "
                                       "2026-03-04 05:06:07 (kopia MMM1.MGR.20260304-050607)")));
  EXPECT_EQ(journal[3], std::string(Mz("Cofnięcie przebiegu: KAWA; netto 20.00 -> 10.00; brutto 24.60 -> 12.30")));
}

TEST_F(UndoTest, RefusedUndosLeaveEverythingAsItWas) {
  struct Row {
    const char* label;
    std::function<void()> prepare;
    std::string warehouse;
    std::string message;
  } rows[] = {
      {"no run made", [] {}, "",
       "no backup to undo: there is no undo_data/kopie/INDEKS.TXT (a run makes one before its first store)"},
      {"a run that stored nothing", [this] { Run({Entry("KAWA", P(12.30))}); }, "",
       "no backup to undo: there is no undo_data/kopie/INDEKS.TXT (a run makes one before its first store)"},
      {"a run that stored its records as they were",
       [this] {
         repricingOptions.copyName = 1;  // names copied: the record is stored for its name
         Run({Entry("KAWA", P(12.30), "Towar")});
         ASSERT_EQ(hostsim::goodsCounters.storesWritten, 1);
       },
       "",
       "no backup to undo: there is no undo_data/kopie/INDEKS.TXT (a run makes one before its first store)"},
      {"backups turned off",
       [this] {
         hostsim::backupsMade = false;
         Run({Coffee});
       },
       "", "no backup to undo: there is no undo_data/kopie/INDEKS.TXT (a run makes one before its first store)"},
      {"no run of that warehouse", [this] { Run({Coffee}); }, "2",
       "no backup to undo: undo_data/kopie/INDEKS.TXT holds no run of warehouse 2 that is not undone yet"},
      {"the goods file changed since the run",
       [this] {
         Run({Coffee});
         std::string bytes = FileBytes(Goods1());
         bytes[769 + 2] = 'h';  // the second record's name: "Towar" -> "howar"
         WriteGoods(1, {}, bytes);
       },
       "1",
       "cannot undo the run of 2026-03-04 05:06:07 of warehouse 1 (MMM1.MGR; 1 line read, 1 changed, 0 failed): MMM1.MGR has changed since "
       "(1538 bytes, CRC-32 C7C1E0D9; the run left 1538 bytes, CRC-32 4E12770D); nothing was put back\n"
       "  record 2 (HERBATA) differs\n"},
      {"a record added since the run",
       [this] {
         Run({Coffee});
         WriteGoods(1, {Goods("SOK", P(3.00), P(3.69))}, FileBytes(Goods1()));
       },
       "",
       "cannot undo the run of 2026-03-04 05:06:07 of warehouse 1 (MMM1.MGR; 1 line read, 1 changed, 0 failed): MMM1.MGR has changed since "
       "(2307 bytes, CRC-32 4BB8BFC7; the run left 1538 bytes, CRC-32 4E12770D); nothing was put back\n"
       "  record 1 (SOK) differs\n  record 2 (KAWA) differs\n  1 record added at the end\n"},
      {"the goods file deleted", [this] {
         Run({Coffee});
         std::filesystem::remove(Goods1());
       },
       "",
       "cannot undo the run of 2026-03-04 05:06:07 of warehouse 1 (MMM1.MGR; 1 line read, 1 changed, 0 failed): "
       "undo_data/MMM1.MGR cannot be read (no such file); nothing was put back"},
      {"the goods file cut inside its second record's symbol",
       [this] {
         Run({Coffee});
         WriteGoods(1, {}, FileBytes(Goods1()).substr(0, 769 + 100));
       },
       "",
       "cannot undo the run of 2026-03-04 05:06:07 of warehouse 1 (MMM1.MGR; 1 line read, 1 changed, 0 failed): MMM1.MGR has changed since "
       "(869 bytes, CRC-32 9B3BC43B; the run left 1538 bytes, CRC-32 4E12770D); nothing was put back\n"
       "  record 2 differs\n"},
      {"the second record cut off",
       [this] {
         Run({Coffee});
         WriteGoods(1, {}, FileBytes(Goods1()).substr(0, 769));
       },
       "",
       "cannot undo the run of 2026-03-04 05:06:07 of warehouse 1 (MMM1.MGR; 1 line read, 1 changed, 0 failed): MMM1.MGR has changed since "
       "(769 bytes, CRC-32 D4456B2B; the run left 1538 bytes, CRC-32 4E12770D); nothing was put back\n"
       "  1 record missing at the end\n"},
      {"the goods file changed, the run's checksums lost",
       [this] {
         Run({Coffee});
         std::string bytes = FileBytes(Goods1());
         bytes[769 + 2] = 'h';
         WriteGoods(1, {}, bytes);
         std::filesystem::remove("undo_data/kopie/MMM1.MGR.20260304-050607.crc");
       },
       "",
       "cannot undo the run of 2026-03-04 05:06:07 of warehouse 1 (MMM1.MGR; 1 line read, 1 changed, 0 failed): MMM1.MGR has changed since "
       "(1538 bytes, CRC-32 C7C1E0D9; the run left 1538 bytes, CRC-32 4E12770D); nothing was put back\n"},
      {"23 records changed since the run: the first 20 named, the rest counted",
       [this] {
         std::vector<GoodsRecord> goods;
         for (int i = 1; i <= 25; ++i) {
           char symbol[8];
           std::snprintf(symbol, sizeof symbol, "T%02d", i);  // T01 ... T25
           goods.push_back(Goods(symbol, P(1.00), P(1.23)));
         }
         WriteGoods(1, goods);
         Run({Entry("T01", P(2.46))});
         std::string bytes = FileBytes(Goods1());
         for (int record = 3; record <= 25; ++record) bytes[(record - 1) * 769 + 2] = 'h';
         WriteGoods(1, {}, bytes);
       },
       "",
       "cannot undo the run of 2026-03-04 05:06:07 of warehouse 1 (MMM1.MGR; 1 line read, 1 changed, 0 failed): MMM1.MGR has changed since "
       "(19225 bytes, CRC-32 955F2F7C; the run left 19225 bytes, CRC-32 7499FBDC); nothing was put back\n"
       "  record 3 (T03) differs\n  record 4 (T04) differs\n  record 5 (T05) differs\n  record 6 (T06) differs\n"
       "  record 7 (T07) differs\n  record 8 (T08) differs\n  record 9 (T09) differs\n  record 10 (T10) differs\n"
       "  record 11 (T11) differs\n  record 12 (T12) differs\n  record 13 (T13) differs\n  record 14 (T14) differs\n"
       "  record 15 (T15) differs\n  record 16 (T16) differs\n  record 17 (T17) differs\n  record 18 (T18) differs\n"
       "  record 19 (T19) differs\n  record 20 (T20) differs\n  record 21 (T21) differs\n  record 22 (T22) differs\n"
       "  and 3 records more\n"},
      {"a byte of the backup changed",
       [this] {
         Run({Coffee});
         std::string backup = FileBytes("undo_data/kopie/MMM1.MGR.20260304-050607");
         backup[769 + 2] = 'h';
         WriteBackupFile("MMM1.MGR.20260304-050607", backup);
       },
       "",
       "cannot undo the run of 2026-03-04 05:06:07 of warehouse 1 (MMM1.MGR; 1 line read, 1 changed, 0 failed): the backup "
       "undo_data/kopie/MMM1.MGR.20260304-050607 is missing or not as it was made (1538 bytes, CRC-32 "
       "66997B0D); nothing was put back"},
      {"the backup cut short",
       [this] {
         Run({Coffee});
         std::filesystem::resize_file("undo_data/kopie/MMM1.MGR.20260304-050607", 769);
       },
       "",
       "cannot undo the run of 2026-03-04 05:06:07 of warehouse 1 (MMM1.MGR; 1 line read, 1 changed, 0 failed): the backup "
       "undo_data/kopie/MMM1.MGR.20260304-050607 is missing or not as it was made (1538 bytes, CRC-32 "
       "66997B0D); nothing was put back"},
      {"the backup deleted",
       [this] {
         Run({Coffee});
         std::filesystem::remove("undo_data/kopie/MMM1.MGR.20260304-050607");
       },
       "",
       "cannot undo the run of 2026-03-04 05:06:07 of warehouse 1 (MMM1.MGR; 1 line read, 1 changed, 0 failed): the backup "
       "undo_data/kopie/MMM1.MGR.20260304-050607 is missing or not as it was made (1538 bytes, CRC-32 "
       "66997B0D); nothing was put back"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    SetUp();
    row.prepare();
    std::string goods = FileBytes(Goods1());
    std::string index = FileBytes("undo_data/kopie/INDEKS.TXT");
    Undone u = Undo(row.warehouse);
    EXPECT_FALSE(u.done);
    EXPECT_EQ(u.message, row.message);
    EXPECT_EQ(FileBytes(Goods1()), goods);
    EXPECT_EQ(FileBytes("undo_data/kopie/INDEKS.TXT"), index);
  }
}

TEST_F(UndoTest, TheIndexHasOneLinePerRunWithTheChecksumsAndTheState) {
  hostsim::StoreSetting("Przecena", "Path", "C:\\CENY\\TOWARY.TXT");
  Run({Coffee});
  Run({Tea});
  ASSERT_TRUE(Undo().done);
  hostsim::EraseSettings();
  EXPECT_EQ(Lines("undo_data/kopie/INDEKS.TXT"),
            (std::vector<std::string>{
                "# hostsim: runs that stored into a goods file, oldest first; TAB-separated:",
                "# time, warehouse, goods file, backup, bytes and CRC-32 before the run, after it, state, price file, "
                "lines read changed failed",
                "2026-03-04 05:06:07\t1\tMMM1.MGR\tMMM1.MGR.20260304-050607\t1538 66997B0D\t1538 4E12770D\tdone\t"
                "C:\\CENY\\TOWARY.TXT\t1 1 0",
                "2026-03-04 05:06:08\t1\tMMM1.MGR\tMMM1.MGR.20260304-050608\t1538 4E12770D\t1538 067381BA\t"
                "undone 2026-03-04 05:06:09\tC:\\CENY\\TOWARY.TXT\t1 1 0",
            }));
  EXPECT_EQ(FileBytes("undo_data/kopie/MMM1.MGR.20260304-050607"), original);
  // One CRC-32 per record of the file as the first run left it.
  EXPECT_EQ(FileBytes("undo_data/kopie/MMM1.MGR.20260304-050607.crc"), "D4456B2B\r\n30CA79C3\r\n");
}

// A file already named as the backup would be (left by hand) is not overwritten.
TEST_F(UndoTest, AFileInTheWayOfTheBackupNameStaysAsItIs) {
  WriteBackupFile("MMM1.MGR.20260304-050607", "kept");
  Run({Coffee});
  EXPECT_EQ(FileBytes("undo_data/kopie/MMM1.MGR.20260304-050607"), "kept");
  EXPECT_EQ(FileBytes("undo_data/kopie/MMM1.MGR.20260304-050607-2"), original);
}

TEST_F(UndoTest, TwoRunsWithinOneSecondGetTwoBackups) {
  Run({Coffee});
  second = 7;
  Run({Tea});
  EXPECT_EQ(FileBytes("undo_data/kopie/MMM1.MGR.20260304-050607"), original);
  EXPECT_TRUE(Exists("undo_data/kopie/MMM1.MGR.20260304-050607-2"));
  ASSERT_TRUE(Undo().done);
  ASSERT_TRUE(Undo().done);
  EXPECT_EQ(FileBytes(Goods1()), original);
}

TEST_F(UndoTest, KeepPrunesTheOldestRunsOfTheSameWarehouseOnly) {
  hostsim::backupsKept = 2;
  WriteGoods(2, {Goods("KAWA", P(10.00), P(12.30))});
  Run({Coffee}, 2);                      // 05:06:07, warehouse 2
  Run({Entry("KAWA", P(1.23))});         // 05:06:08
  Run({Entry("KAWA", P(2.46))});         // 05:06:09
  Run({Entry("KAWA", P(3.69))});         // 05:06:10
  EXPECT_EQ(BackupFolder(), (std::vector<std::string>{
                         "INDEKS.TXT", "MMM1.MGR.20260304-050609", "MMM1.MGR.20260304-050609.INFO3.TXT",
                         "MMM1.MGR.20260304-050609.INFO4.TXT", "MMM1.MGR.20260304-050609.ZMIANYCEN.TXT",
                         "MMM1.MGR.20260304-050609.crc", "MMM1.MGR.20260304-050610",
                         "MMM1.MGR.20260304-050610.INFO3.TXT", "MMM1.MGR.20260304-050610.INFO4.TXT",
                         "MMM1.MGR.20260304-050610.ZMIANYCEN.TXT", "MMM1.MGR.20260304-050610.crc",
                         "MMM2.MGR.20260304-050607", "MMM2.MGR.20260304-050607.INFO3.TXT",
                         "MMM2.MGR.20260304-050607.INFO4.TXT", "MMM2.MGR.20260304-050607.ZMIANYCEN.TXT",
                         "MMM2.MGR.20260304-050607.crc"}));
  std::vector<std::string> index = Lines("undo_data/kopie/INDEKS.TXT");
  ASSERT_EQ(index.size(), 5u);
  EXPECT_EQ(index[2].substr(0, 44), "2026-03-04 05:06:07\t2\tMMM2.MGR\tMMM2.MGR.2026");
  EXPECT_EQ(index[3].substr(0, 44), "2026-03-04 05:06:09\t1\tMMM1.MGR\tMMM1.MGR.2026");
  EXPECT_EQ(index[4].substr(0, 44), "2026-03-04 05:06:10\t1\tMMM1.MGR\tMMM1.MGR.2026");
}

// No backup can be made: the backup folder's name is taken by a file, or the index
// cannot be read (and is never overwritten). The run goes on (the host stores what the
// plug-in asks; refusing every store would make the plug-in report each change as
// failed and hide why) and the transcript says so once, before the first store;
// nothing is recorded, so --undo refuses.
TEST_F(UndoTest, AnUnwritableBackupFolderLetsTheRunGoOnAndSaysSoBeforeTheFirstStore) {
  const struct {
    const char* label;
    std::function<void()> prepare;
    std::string why, undo, index;  // the index afterwards
  } rows[] = {
      {"a file named as the folder",
       [] {
         std::FILE* f = std::fopen("undo_data/kopie", "wb");
         ASSERT_NE(f, nullptr);
         std::fclose(f);
       },
       "the backup folder undo_data/kopie cannot be made",
       "no backup to undo: there is no undo_data/kopie/INDEKS.TXT (a run makes one before its first store)", ""},
      {"an index that holds no run", [] { WriteIndex("x\r\n"); },
       "undo_data/kopie/INDEKS.TXT, line 1: not a run (8 or 9 TAB-separated fields)",
       "cannot undo: undo_data/kopie/INDEKS.TXT, line 1: not a run (8 or 9 TAB-separated fields)", "x\r\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    SetUp();
    row.prepare();
    hostsim::failingStoreRecords = {0};  // the store of KAWA fails: HERBATA's is the first carried out
    Run({Coffee, Tea});
    EXPECT_EQ(ShownBy("storeRecord"),
              (std::vector<std::string>{"MMM1.MGR: no backup before the first store of this run: " + row.why +
                                        "; the run goes on, and --undo cannot take it back"}));
    EXPECT_EQ(hostsim::goodsCounters.storesWritten, 1);
    EXPECT_EQ(ReadGoods(1)[1].grossPrice, P(12.30));
    Undone u = Undo();
    EXPECT_FALSE(u.done);
    EXPECT_EQ(u.message, row.undo);
    EXPECT_EQ(FileBytes("undo_data/kopie/INDEKS.TXT"), row.index);
  }
}

// The plug-in's call ends with its cursor open after a store whose backup could not be
// made: the store reaches the file, and nothing is recorded or kept for the run.
TEST_F(UndoTest, ACursorLeftOpenAfterAFailedBackupLeavesNoRecordOfTheRun) {
  WriteIndex("x\r\n");
  GoodsCursor cursor{};
  char name[256];
  tableFileName(1, name, "MMM", ".MGR", TableFileNameKind);
  hostsim::EnterPluginCall();
  ASSERT_EQ(openTableFile(&cursor, goodsTable, OpenTableFileKind, name, 1, ReservedArgument), 1);
  ASSERT_EQ(nextRecord(&cursor), 1);
  reinterpret_cast<GoodsRecord*>(recordBuffer)->grossPrice = P(24.60);
  ASSERT_EQ(storeRecord(&cursor), 1);
  hostsim::LeavePluginCall();
  EXPECT_EQ(+ReadGoods(1)[0].grossPrice, P(24.60));
  EXPECT_EQ(ShownBy("storeRecord").size(), 1u);  // no backup before the first store
  EXPECT_EQ(ShownBy("closeTableFile"), std::vector<std::string>{});
  EXPECT_EQ(BackupFolder(), std::vector<std::string>{"INDEKS.TXT"});
  EXPECT_EQ(FileBytes("undo_data/kopie/INDEKS.TXT"), "x\r\n");
  closeTableFile(&cursor);
}

// A folder (not empty) where a kept report goes: the transcript names it when the call
// ends, and the run, recorded before its reports are kept, can still be undone (its
// counts, taken from the kept reports, unknown).
TEST_F(UndoTest, AReportThatCannotBeKeptIsNamedAndTheRunCanStillBeUndone) {
  std::filesystem::create_directories("undo_data/kopie/MMM1.MGR.20260304-050607.INFO3.TXT/x");
  Run({Coffee});
  EXPECT_EQ(ShownBy("closeTableFile"), (std::vector<std::string>{
                       "MMM1.MGR: the run's reports could not be kept beside its backup: "
                       "undo_data/kopie/MMM1.MGR.20260304-050607.INFO3.TXT cannot be written"}));
  Undone u = Undo();
  EXPECT_TRUE(u.done);
  EXPECT_EQ(u.message,
            "undone the run of 2026-03-04 05:06:07 of warehouse 1 (MMM1.MGR): MMM1.MGR is back as "
            "undo_data/kopie/MMM1.MGR.20260304-050607 holds it");
  EXPECT_EQ(FileBytes(Goods1()), original);
}

// Its line has no size after the run, no price file and no counts (the eight fields of
// an older index); an empty line before it is no run.
TEST_F(UndoTest, ARunWhoseCursorNeverClosedCannotBeUndone) {
  WriteIndex("\r\n2026-03-04 05:06:07\t1\tMMM1.MGR\tMMM1.MGR.20260304-050607\t1538 66997B0D\t-\topen\t\r\n");
  Undone u = Undo();
  EXPECT_FALSE(u.done);
  EXPECT_EQ(u.message,
            "cannot undo the run of 2026-03-04 05:06:07 of warehouse 1 (MMM1.MGR): the run never ended, so what it "
            "left is not known; nothing was put back");
  std::string text, error;
  ASSERT_TRUE(hostsim::RunHistory(text, error));
  EXPECT_EQ(text,
            "date and time        warehouse  price file     read  changed  failed  undone                     "
            "backup in undo_data/kopie\n"
            "2026-03-04 05:06:07  1          ?                 ?        ?       ?  no (never ended)           "
            "MMM1.MGR.20260304-050607\n");
}

TEST_F(UndoTest, HistoryWithoutAnIndexSaysThereAreNoRuns) {
  std::string text, error;
  ASSERT_TRUE(hostsim::RunHistory(text, error));
  EXPECT_EQ(text, "no runs yet: there is no undo_data/kopie/INDEKS.TXT (a run makes one before its first store)\n");
}

// Neither --undo nor --history reads on past a line it cannot take for a run.
TEST_F(UndoTest, AnIndexLineThatIsNoRunIsRefusedByNumber) {
  const std::string run = "2026-03-04 05:06:07\t1\tMMM1.MGR\tMMM1.MGR.20260304-050607\t";
  const struct {
    const char* label;
    std::string line;
  } rows[] = {
      {"three fields", "2026-03-04 05:06:07\t1\tMMM1.MGR"},
      {"ten fields", run + "1538 66997B0D\t1538 4E12770D\tdone\t\t1 1 0\tx"},
      {"no backup named", "2026-03-04 05:06:07\t1\tMMM1.MGR\t\t1538 66997B0D\t1538 4E12770D\tdone\t\t1 1 0"},
      {"a size that is no number", run + "abc\t1538 4E12770D\tdone\t\t1 1 0"},
      {"a size below zero", run + "-5 66997B0D\t1538 4E12770D\tdone\t\t1 1 0"},
      {"no size before the run", run + "-\t1538 4E12770D\tdone\t\t1 1 0"},
      {"a size after the run that is no number", run + "1538 66997B0D\tx\tdone\t\t1 1 0"},
      {"two counts", run + "1538 66997B0D\t1538 4E12770D\tdone\t\t1 1"},
      {"lines read below zero", run + "1538 66997B0D\t1538 4E12770D\tdone\t\t-1 1 0"},
      {"changed below zero", run + "1538 66997B0D\t1538 4E12770D\tdone\t\t1 -1 0"},
      {"failed below zero", run + "1538 66997B0D\t1538 4E12770D\tdone\t\t1 1 -1"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    SetUp();
    WriteIndex("# comment\r\n" + row.line + "\r\n");
    Undone u = Undo();
    EXPECT_FALSE(u.done);
    EXPECT_EQ(u.message, "cannot undo: undo_data/kopie/INDEKS.TXT, line 2: not a run (8 or 9 TAB-separated fields)");
    std::string text, error;
    EXPECT_FALSE(hostsim::RunHistory(text, error));
    EXPECT_EQ(error, "undo_data/kopie/INDEKS.TXT, line 2: not a run (8 or 9 TAB-separated fields)");
    EXPECT_EQ(FileBytes(Goods1()), original);
  }
}

// Each run keeps the reports it wrote and its own lines of the journal beside its
// backup: the next run's deletion of the reports takes nothing of the record.
TEST_F(UndoTest, EachRunKeepsItsReportsAndItsJournalLinesBesideItsBackup) {
  Run({Coffee});
  Run({Entry("KAWA", P(24.60)), Tea, Entry("SOK", P(3.69))});
  const std::string run2 = "undo_data/kopie/MMM1.MGR.20260304-050608";
  struct Row {
    std::string file;
    std::vector<std::string> lines;
  } rows[] = {
      {run2 + ".INFO.TXT", {"Mag:1 KAWA                      - Ta sama cena towaru                24.60"}},
      {run2 + ".INFO2.TXT", {"Mag:1 SOK                       - Brak towaru na magazynie"}},
      {run2 + ".INFO3.TXT",
       {"Mag:1 KAWA                      -      20.00->     20.00",
        "Mag:1 HERBATA                   -       5.00->     10.00 zmiana ceny"}},
      {run2 + ".INFO4.TXT",
       {"[KAWA]      24.60 Nowa nazwa", "[HERBATA]      12.30 Nowa nazwa", "[SOK]       3.69 Nowa nazwa"}},
      {run2 + ".ZMIANYCEN.TXT",
       {"--- 2026-03-04 05:06:08; magazyn 1 (MMM1.MGR)",
        Mz("Przecena wtyczką: PRZECENA: HERBATA; netto 5.00 -> 10.00; brutto 6.15 -> 12.30")}},
  };
  for (const Row& row : rows) EXPECT_EQ(Lines(row.file), row.lines) << row.file;
}

TEST_F(UndoTest, HistoryListsTheRunsNewestFirstAndUndoNamesTheRunItTakesBack) {
  hostsim::StoreSetting("Przecena", "Path", Mz("C:\\CENY\\ŻÓŁW.TXT"));
  Run({Coffee});
  Run({Tea, Entry("SOK", P(3.69))});
  Undone u = Undo();
  EXPECT_EQ(u.message,
            "undone the run of 2026-03-04 05:06:08 of warehouse 1 (MMM1.MGR; price file C:\\CENY\\ŻÓŁW.TXT; 2 lines "
            "read, 1 changed, 0 failed): MMM1.MGR is back as undo_data/kopie/MMM1.MGR.20260304-050608 holds it");
  std::string text, error;
  ASSERT_TRUE(hostsim::RunHistory(text, error));
  EXPECT_EQ(text,
            "date and time        warehouse  price file           read  changed  failed  undone                     "
            "backup in undo_data/kopie\n"
            "2026-03-04 05:06:08  1          C:\\CENY\\ŻÓŁW.TXT        2        1       0  yes, 2026-03-04 05:06:09   "
            "MMM1.MGR.20260304-050608\n"
            "2026-03-04 05:06:07  1          C:\\CENY\\ŻÓŁW.TXT        1        1       0  no                         "
            "MMM1.MGR.20260304-050607\n");
  hostsim::EraseSettings();
}

}  // namespace
