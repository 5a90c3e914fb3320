// The stand-in's files through its services, kept on disk or in memory: lines appended
// inside a plug-in call reach the file when the call returns or before a file is
// shown, no file stays open between calls, and a goods cursor that reads and writes by
// blocks leaves exactly the stores it accepted. Every row runs in both places.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "host/arguments.h"
#include "host/goods_record.h"
#include "host/records.h"
#include "host/services.h"
#include "hostsim/base/data_folder.h"
#include "hostsim/base/host_files.h"
#include "hostsim/base/system_reason.h"
#include "hostsim/base/transcript.h"
#include "hostsim/services/files.h"
#include "hostsim/services/goods.h"
#include "hostsim/services/plugin_call.h"
#include "hostsim/services/reset.h"
#include "hostsim/services/svc_settings.h"

namespace {

constexpr std::size_t RecordSize = GoodsRecordLength;

struct Place {
  const char* label;
  bool inMemory;
};
constexpr Place Places[] = {{"on disk", false}, {"in memory", true}};

class HostFilesTest : public ::testing::Test {
 protected:
  void Use(const Place& place) {
    hostsim::KeepFilesInMemory(false);
    hostsim::ResetHostSim();
    for (const char* f : {"R.TXT", "S.TXT", "MMM1.MGR", hostsim::PriceJournalName}) std::remove(f);
    hostsim::EraseSettings();
    hostsim::KeepFilesInMemory(place.inMemory);
  }
  void TearDown() override {
    hostsim::LeavePluginCall();
    hostsim::KeepFilesInMemory(false);
  }
  static std::string Bytes(const std::string& name) {
    std::string bytes;
    hostsim::ReadWholeFile(name, bytes);
    return bytes;
  }
  static bool Exists(const std::string& name) { return hostsim::HostFileBytes(name) >= 0; }
};

TEST_F(HostFilesTest, LinesAppendedInACallAreInTheFileWhenItReturns) {
  for (const Place& place : Places) {
    SCOPED_TRACE(place.label);
    Use(place);
    hostsim::EnterPluginCall();
    appendLine("R.TXT", "a");
    appendLine("S.TXT", "c");
    appendLine("R.TXT", "bb");
    hostsim::LeavePluginCall();
    EXPECT_EQ(Bytes("R.TXT"), "a\r\nbb\r\n");
    EXPECT_EQ(Bytes("S.TXT"), "c\r\n");
    // Between calls nothing is held open: the plug-in deletes its reports itself
    // (Windows, and Wine, refuse to delete an open file).
    if (place.inMemory) {
      EXPECT_TRUE(hostsim::RemoveHostFile("R.TXT"));
    } else {
      EXPECT_EQ(std::remove("R.TXT"), 0);
    }
    std::string gone;
    EXPECT_FALSE(hostsim::ReadWholeFile("R.TXT", gone));
    hostsim::EnterPluginCall();
    appendLine("R.TXT", "new");
    hostsim::LeavePluginCall();
    EXPECT_EQ(Bytes("R.TXT"), "new\r\n");
  }
}

TEST_F(HostFilesTest, AFileShownInACallHoldsEveryLineAppendedBefore) {
  for (const Place& place : Places) {
    SCOPED_TRACE(place.label);
    Use(place);
    hostsim::EnterPluginCall();
    appendLine("R.TXT", "one");
    appendLine("R.TXT", "two");
    showTextFile("R.TXT");
    appendLine("R.TXT", "three");
    showTextFile("R.TXT");
    hostsim::LeavePluginCall();
    ASSERT_EQ(hostsim::Transcript().size(), 2u);
    EXPECT_EQ(hostsim::Transcript()[0].text, "one\ntwo\n");
    EXPECT_EQ(hostsim::Transcript()[1].text, "one\ntwo\nthree\n");
  }
}

TEST_F(HostFilesTest, ALineLongerThanTheServicesBufferIsAppendedWhole) {
  for (const Place& place : Places) {
    SCOPED_TRACE(place.label);
    Use(place);
    std::string line(3000, 'x');
    hostsim::EnterPluginCall();
    appendLine("R.TXT", line.c_str());
    hostsim::LeavePluginCall();
    EXPECT_EQ(Bytes("R.TXT"), line + "\r\n");
  }
}

// More appended files in one call than are held open at once: each gets its lines.
TEST_F(HostFilesTest, NineFilesAppendedInOneCallEachGetTheirLines) {
  const char* const names[] = {"F1.TXT", "F2.TXT", "F3.TXT", "F4.TXT", "F5.TXT", "F6.TXT", "F7.TXT", "F8.TXT", "F9.TXT"};
  for (const Place& place : Places) {
    SCOPED_TRACE(place.label);
    Use(place);
    for (const char* name : names) std::remove(name);
    hostsim::EnterPluginCall();
    for (const char* name : names) appendLine(name, name);
    appendLine("F1.TXT", "again");
    hostsim::LeavePluginCall();
    EXPECT_EQ(Bytes("F1.TXT"), "F1.TXT\r\nagain\r\n");
    EXPECT_EQ(Bytes("F9.TXT"), "F9.TXT\r\n");
  }
}

// A file read in blocks from an offset, copied from an offset, and its length.
TEST_F(HostFilesTest, BlocksAndCopiesStartAtTheirOffset) {
  for (const Place& place : Places) {
    SCOPED_TRACE(place.label);
    Use(place);
    ASSERT_TRUE(hostsim::WriteHostFile("R.TXT", "abcdefghij"));
    std::string blocks, looked;
    EXPECT_TRUE(hostsim::ReadHostFileInBlocks("R.TXT", 3, 4, [&](std::string_view b) { blocks += std::string(b) + "|"; }));
    EXPECT_EQ(blocks, "defg|hij|");
    EXPECT_TRUE(hostsim::CopyHostFile("R.TXT", 2, "S.TXT", [&](std::string_view b) { looked += b; }));
    EXPECT_EQ(looked, "cdefghij");
    EXPECT_EQ(Bytes("S.TXT"), "cdefghij");
    EXPECT_EQ(hostsim::HostFileBytes("S.TXT"), 8);
  }
}

// Each file operation on a file that is not there, or into a folder that is not there
// (memory has no folders: there such a file is made); -1 or 0 for a failure, 1 done.
TEST_F(HostFilesTest, WhatIsNotThereFailsOnDiskAndInMemory) {
  const std::string missing = "no_folder/X.TXT";
  auto ignore = [](std::string_view) {};
  std::string bytes;
  const struct {
    const char* label;
    std::function<long long()> call;
    long long onDisk, inMemory;
  } rows[] = {
      {"read", [&] { return hostsim::ReadHostFile(missing, bytes); }, 0, 0},
      {"write", [&] { return hostsim::WriteHostFile(missing, "x"); }, 0, 1},
      {"append", [&] { return hostsim::AppendHostFile(missing, "x"); }, 0, 1},
      {"append inside a call",
       [&] {
         hostsim::HoldAppendedFiles(true);
         bool appended = hostsim::AppendHostFile(missing, "x");
         hostsim::HoldAppendedFiles(false);
         hostsim::CloseHeldFiles();
         return appended;
       },
       0, 1},
      {"read in blocks", [&] { return hostsim::ReadHostFileInBlocks(missing, 0, 4, ignore); }, 0, 0},
      {"copy from", [&] { return hostsim::CopyHostFile(missing, 0, "S.TXT", ignore) || Exists("S.TXT"); }, 0, 0},
      {"copy into", [&] { return hostsim::CopyHostFile("R.TXT", 0, missing, ignore); }, 0, 1},
      {"length", [&] { return hostsim::HostFileBytes(missing); }, -1, -1},
      {"remove", [&] { return hostsim::RemoveHostFile(missing); }, 0, 0},
      {"a memory file", [&] { return hostsim::MemoryFile(missing, true) != nullptr; }, 0, 1},
  };
  for (const Place& place : Places) {
    for (const auto& row : rows) {
      SCOPED_TRACE(std::string(place.label) + ": " + row.label);
      Use(place);
      ASSERT_TRUE(hostsim::WriteHostFile("R.TXT", "r"));
      EXPECT_EQ(row.call(), place.inMemory ? row.inMemory : row.onDisk);
    }
  }
}

// A record of pattern bytes that differ from record to record.
std::string PatternRecord(int number) {
  std::string r(RecordSize, '\0');
  for (std::size_t i = 0; i < RecordSize; ++i) r[i] = static_cast<char>((number * 7 + i * 13) % 251);
  return r;
}

// Opens warehouse 1's goods file for update (52278) with buffer as the goods table's
// record buffer; the service's result.
int OpenGoodsForUpdate(GoodsCursor& cursor, unsigned char* buffer) {
  unsigned char descriptor[16] = {};
  void* pointer = buffer;
  std::memcpy(descriptor + GoodsTableRecordBufferOffset, &pointer, sizeof pointer);
  return openTableFile(&cursor, descriptor, OpenTableFileKind, hostsim::GoodsFileName(1).c_str(), 1, ReservedArgument);
}

TEST_F(HostFilesTest, ACursorOverManyBlocksLeavesExactlyTheAcceptedStores) {
  constexpr int Records = 600;  // more than two of the cursor's blocks
  const std::string tail(100, 'p');
  for (const Place& place : Places) {
    SCOPED_TRACE(place.label);
    Use(place);
    std::string before;
    for (int i = 0; i < Records; ++i) before += PatternRecord(i);
    before += tail;
    ASSERT_TRUE(hostsim::WriteHostFile(hostsim::GoodsFileName(1), before));
    hostsim::failingStoreRecords = {300};  // in the second block
    unsigned char buffer[RecordSize];
    GoodsCursor cursor{};
    ASSERT_EQ(OpenGoodsForUpdate(cursor, buffer), 1);
    std::string expected = before;
    int fetched = 0, accepted = 0;
    for (; nextRecord(&cursor) == 1; ++fetched) {
      ASSERT_EQ(std::string(reinterpret_cast<char*>(buffer), RecordSize), PatternRecord(fetched)) << fetched;
      if (fetched % 3) continue;
      std::memset(buffer + GoodsNetPrice.offset, 0x11 + fetched % 50, GoodsNetPrice.size);
      if (storeRecord(&cursor) != 1) continue;
      ++accepted;
      expected.replace(static_cast<std::size_t>(fetched) * RecordSize, RecordSize,
                       reinterpret_cast<char*>(buffer), RecordSize);
    }
    closeTableFile(&cursor);
    EXPECT_EQ(fetched, Records);
    EXPECT_EQ(accepted, Records / 3 - 1);
    EXPECT_EQ(hostsim::goodsCounters.storesFailed, 1);
    EXPECT_TRUE(Bytes(hostsim::GoodsFileName(1)) == expected) << "the goods file differs";
  }
}

TEST_F(HostFilesTest, ARefusedStoreWritesNothingWhateverItsBlock) {
  for (const Place& place : Places) {
    SCOPED_TRACE(place.label);
    Use(place);
    std::string before;
    for (int i = 0; i < 300; ++i) before += PatternRecord(i);
    ASSERT_TRUE(hostsim::WriteHostFile(hostsim::GoodsFileName(1), before));
    hostsim::failingStoreRecords = {0, 255, 256, 299};
    unsigned char buffer[RecordSize];
    GoodsCursor cursor{};
    ASSERT_EQ(OpenGoodsForUpdate(cursor, buffer), 1);
    while (nextRecord(&cursor) == 1) {
      std::memset(buffer, 'Z', RecordSize);
      storeRecord(&cursor);
    }
    closeTableFile(&cursor);
    std::string after = Bytes(hostsim::GoodsFileName(1));
    ASSERT_EQ(after.size(), before.size());
    for (int i = 0; i < 300; ++i) {
      bool refused = i == 0 || i == 255 || i == 256 || i == 299;
      std::string record = after.substr(static_cast<std::size_t>(i) * RecordSize, RecordSize);
      EXPECT_EQ(record == PatternRecord(i), refused) << "record " << i;
    }
    EXPECT_EQ(hostsim::goodsCounters.storesFailed, 4);
  }
}

TEST_F(HostFilesTest, TheStoresOfACursorLeftOpenAreInTheFileWhenTheCallReturns) {
  for (const Place& place : Places) {
    SCOPED_TRACE(place.label);
    Use(place);
    ASSERT_TRUE(hostsim::WriteHostFile(hostsim::GoodsFileName(1), PatternRecord(0) + PatternRecord(1)));
    unsigned char buffer[RecordSize];
    GoodsCursor cursor{};
    hostsim::EnterPluginCall();
    ASSERT_EQ(OpenGoodsForUpdate(cursor, buffer), 1);
    nextRecord(&cursor);
    nextRecord(&cursor);
    std::memset(buffer, 'Q', RecordSize);
    ASSERT_EQ(storeRecord(&cursor), 1);
    hostsim::LeavePluginCall();  // as when an exception ends the run inside the walk
    EXPECT_TRUE(Bytes(hostsim::GoodsFileName(1)) == PatternRecord(0) + std::string(RecordSize, 'Q'));
    closeTableFile(&cursor);
    EXPECT_TRUE(Bytes(hostsim::GoodsFileName(1)) == PatternRecord(0) + std::string(RecordSize, 'Q'));
  }
}

std::string FixedClock() { return "2026-01-02 03:04:05"; }

TEST_F(HostFilesTest, TheJournalAndTheSettingsLiveWhereTheFilesDo) {
  for (const Place& place : Places) {
    SCOPED_TRACE(place.label);
    Use(place);
    hostsim::journalClock = FixedClock;
    std::string record(RecordSize, '\0');
    record.replace(GoodsSymbol.offset, 4, "KAWA");
    ASSERT_TRUE(hostsim::WriteHostFile(hostsim::GoodsFileName(1), record));
    unsigned char buffer[RecordSize], before[RecordSize];
    GoodsCursor cursor{};
    hostsim::EnterPluginCall();
    ASSERT_EQ(OpenGoodsForUpdate(cursor, buffer), 1);
    ASSERT_EQ(nextRecord(&cursor), 1);
    std::memcpy(before, buffer, RecordSize);
    double net = 123400.0;
    std::memcpy(buffer + GoodsNetPrice.offset, &net, sizeof net);
    notePriceChange(buffer, before, ReservedArgument, NotePriceChangeKind, "Przecena");
    ASSERT_EQ(storeRecord(&cursor), 1);
    closeTableFile(&cursor);
    hostsim::StoreSetting("Przecena", "Mag", "3");
    hostsim::LeavePluginCall();
    EXPECT_EQ(Bytes(hostsim::PriceJournalName),
              "--- 2026-01-02 03:04:05; magazyn 1 (MMM1.MGR)\r\n"
              "Przecena: KAWA; netto 0.00 -> 12.34; brutto 0.00 -> 0.00\r\n");
    EXPECT_EQ(hostsim::StoredSetting("Przecena", "Mag"), "3");
    std::FILE* onDisk = std::fopen(hostsim::SettingsFileName, "rb");
    EXPECT_EQ(onDisk != nullptr, !place.inMemory) << "the settings file on disk";
    if (onDisk) std::fclose(onDisk);
  }
}

// A file of the data folder: the folder, one separator (its own when it ends in one),
// the name; no folder, the name alone.
TEST(DataFolder, PathsJoinTheFolderAndTheName) {
  const struct {
    const char* folder;
    const char* path;
  } rows[] = {{"", "x.txt"}, {"/d", "/d/x.txt"}, {"/d/", "/d/x.txt"}, {"C:\\d\\", "C:\\d\\x.txt"}};
  const std::string kept = hostsim::dataFolder;
  for (const auto& row : rows) {
    hostsim::dataFolder = row.folder;
    EXPECT_EQ(hostsim::DataPath("x.txt"), row.path) << row.folder;
  }
  hostsim::dataFolder = kept;
}

#ifndef _WIN32
// The phrases for the C runtime's errors (the Win32 build names the system's codes).
TEST(SystemReason, EachErrorInWords) {
  const struct {
    int error;
    const char* reason;
  } rows[] = {{ENOENT, "no such file"},
              {EACCES, "access denied"},
              {EPERM, "not permitted"},
              {EROFS, "the file system is read-only"},
              {EBUSY, "in use by another program"},
              {ETXTBSY, "in use by another program"},
              {ENOSPC, "the disk is full"},
              {EISDIR, "a folder, not a file"},
              {EINVAL, "Invalid argument"}};
  for (const auto& row : rows) {
    errno = row.error;
    EXPECT_EQ(hostsim::SystemReason("x.txt"), row.reason) << row.error;
  }
}
#endif

}  // namespace
