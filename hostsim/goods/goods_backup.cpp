// Backups before a run's first store, and the index of the runs.
#include "hostsim/goods/goods_backup.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <new>

#include "host/goods_record.h"
#include "host/mazovia.h"
#include "hostsim/base/data_folder.h"
#include "hostsim/base/host_files.h"
#include "hostsim/base/settings_file.h"
#include "hostsim/base/text.h"
#include "hostsim/base/transcript.h"
#include "hostsim/base/utf8_path.h"
#include "hostsim/goods/price_journal.h"

namespace hostsim {

int backupsKept = DefaultBackupsKept;
bool backupsMade = true;

namespace {

// CRC-32, reflected, polynomial 0xEDB88320; the table is made at compile time.
constexpr std::array<uint32_t, 256> CrcTable = [] {
  std::array<uint32_t, 256> table{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[i] = c;
  }
  return table;
}();

// A run whose cursor is open in this process.
struct OpenRun {
  std::string goodsFile;  // its path
  bool backedUp;          // false: no backup could be made, nothing is recorded
  std::string backup;     // the backup's name
  long long journalFrom;  // where its lines begin in the journal
};
std::map<const void*, OpenRun> openRuns;
std::vector<OpenRun> endedRuns;  // backed-up runs whose cursor closed in this call

// Goods files are read by this many whole records at a time.
constexpr std::size_t RecordsPerBlock = 1024;

// The plug-in's report files, in its current folder.
constexpr const char* ReportNames[] = {"INFO.TXT", "INFO2.TXT", "INFO3.TXT", "INFO4.TXT"};

const char* const IndexHeader =
    "# hostsim: runs that stored into a goods file, oldest first; TAB-separated:\r\n"
    "# time, warehouse, goods file, backup, bytes and CRC-32 before the run, after it, state, price file, "
    "lines read changed failed\r\n";

// "<bytes> <CRC-32 in 8 hex digits>", or "-" for a length not known.
std::string SizeText(long long bytes, uint32_t crc) {
  if (bytes < 0) return "-";
  char text[40];
  std::snprintf(text, sizeof text, "%lld %08X", bytes, static_cast<unsigned>(crc));
  return text;
}

// SizeText read back; false when the text is neither.
bool ParseSize(const std::string& text, long long& bytes, uint32_t& crc) {
  bytes = -1;
  crc = 0;
  if (text == "-") return true;
  unsigned value = 0;
  char end = 0;
  if (std::sscanf(text.c_str(), "%lld %8x%c", &bytes, &value, &end) != 2 || bytes < 0) return false;
  crc = value;
  return true;
}

// "<read> <changed> <failed>", or "-" while they are not known.
std::string CountsText(const BackupRun& r) {
  if (r.linesRead < 0) return "-";
  return std::to_string(r.linesRead) + " " + std::to_string(r.changed) + " " + std::to_string(r.failed);
}

// CountsText read back; false when the text is neither.
bool ParseCounts(const std::string& text, BackupRun& r) {
  if (text == "-") return true;
  char end = 0;
  return std::sscanf(text.c_str(), "%lld %lld %lld%c", &r.linesRead, &r.changed, &r.failed, &end) == 3 &&
         r.linesRead >= 0 && r.changed >= 0 && r.failed >= 0;
}

// The fields of a line split at TABs.
std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields(1);
  for (char c : line) {
    if (c == '\t') fields.emplace_back();
    else fields.back() += c;
  }
  return fields;
}

// "2026-03-04 05:06:07" as "20260304-050607".
std::string Stamp(const std::string& time) {
  std::string stamp;
  for (char c : time) {
    if (c >= '0' && c <= '9') stamp += c;
    if (c == ' ') stamp += '-';
  }
  return stamp;
}

// A backup name for the goods file at that time that neither the index nor the
// folder holds yet.
std::string UniqueBackupName(const std::string& base, const std::string& time, const std::vector<BackupRun>& runs) {
  std::string stem = base + "." + Stamp(time);
  for (int n = 1;; ++n) {
    std::string name = n == 1 ? stem : stem + "-" + std::to_string(n);
    bool taken = false;
    for (const BackupRun& r : runs) taken = taken || r.backup == name;
    std::error_code error;
    if (!taken && !std::filesystem::exists(Utf8Path(BackupPath(name)), error)) return name;
  }
}

// Drops the warehouse's oldest runs beyond backupsKept from runs; their names in gone.
void Prune(std::vector<BackupRun>& runs, const std::string& warehouse, std::vector<std::string>& gone) {
  int count = 0;
  for (const BackupRun& r : runs) count += r.warehouse == warehouse;
  int keep = backupsKept < 1 ? 1 : backupsKept;
  for (auto it = runs.begin(); it != runs.end() && count > keep;) {
    if (it->warehouse != warehouse) {
      ++it;
      continue;
    }
    gone.push_back(it->backup);
    it = runs.erase(it);
    --count;
  }
}

// Copies the goods file into the backup folder and adds its run to the index; false
// with the reason when either cannot be done (then neither is left behind).
bool MakeBackup(const std::string& goodsFile, std::string& backup, std::string& error) {
  std::error_code code;
  std::filesystem::create_directory(Utf8Path(BackupPath("")), code);
  if (!std::filesystem::is_directory(Utf8Path(BackupPath("")), code)) {
    error = "the backup folder " + BackupPath("") + " cannot be made";
    return false;
  }
  std::vector<BackupRun> runs;
  bool found = false;
  if (!ReadBackupIndex(runs, found, error)) return false;  // never overwrite an index we cannot read
  std::string base = BaseName(goodsFile);
  BackupRun run{journalClock(), GoodsFileWarehouse(base), base, "", 0, 0, -1, 0, "open",
                StoredSetting("Przecena", "Path").value_or("")};
  run.backup = UniqueBackupName(base, run.time, runs);
  if (HostFileBytes(goodsFile) < 0) {
    error = goodsFile + " cannot be read";
    return false;
  }
  auto sum = [&](std::string_view block) {
    run.bytesBefore += static_cast<long long>(block.size());
    run.crcBefore = Crc32(block, run.crcBefore);
  };
  if (!CopyHostFile(goodsFile, 0, BackupPath(run.backup), sum)) {
    error = BackupPath(run.backup) + " cannot be written";
    return false;
  }
  runs.push_back(run);
  std::vector<std::string> gone;
  Prune(runs, run.warehouse, gone);
  if (!WriteBackupIndex(runs)) {
    RemoveHostFile(BackupPath(run.backup));
    error = BackupPath(BackupIndexName) + " cannot be written";
    return false;
  }
  for (const std::string& name : gone) {
    RemoveHostFile(BackupPath(name));
    for (const char* ending : KeptFileEndings) RemoveHostFile(BackupPath(name + ending));
  }
  backup = run.backup;
  return true;
}

// Records the goods file as the run left it: its CRC-32 per record in <backup>.crc, its
// length and CRC-32 in the index, and the state "done"; says in the transcript when
// that fails (an --undo of the run is then refused).
void RecordRunEnd(const OpenRun& run) {
  std::string crcFile = BackupPath(run.backup + ".crc");
  long long bytes = 0;
  uint32_t crc = 0;
  bool written = WriteHostFile(crcFile, "");
  auto sum = [&](std::string_view block) {
    std::string sums;
    for (std::size_t at = 0; at < block.size(); at += GoodsRecordLength) {
      char line[16];
      std::snprintf(line, sizeof line, "%08X\r\n", static_cast<unsigned>(Crc32(block.substr(at, GoodsRecordLength))));
      sums += line;
    }
    written = written && AppendHostFile(crcFile, sums);
    bytes += static_cast<long long>(block.size());
    crc = Crc32(block, crc);
  };
  bool read = ReadHostFileInBlocks(run.goodsFile, 0, RecordsPerBlock * GoodsRecordLength, sum);
  std::vector<BackupRun> runs;
  bool found = false, recorded = false;
  std::string error;
  if (read && written && ReadBackupIndex(runs, found, error)) {
    for (BackupRun& r : runs) {
      if (r.backup != run.backup) continue;
      r.bytesAfter = bytes;
      r.crcAfter = crc;
      r.state = "done";
      recorded = WriteBackupIndex(runs);
    }
  }
  if (!recorded)
    Show("closeTableFile", BaseName(run.goodsFile).c_str(),
         ("the file as the run left it could not be recorded in " + BackupPath(BackupIndexName) +
          ": --undo will refuse to take the run back")
             .c_str(),
         0);
}

// Counts the lines of a text given in blocks (a line ends at LF; a last one without
// counts too): all of them, those that begin with `head`, those that end with `tail`
// (before a CR).
struct LineCount {
  std::string head, tail;
  long long lines = 0, headed = 0, tailed = 0;
  std::string line;  // the current line, its middle dropped beyond a few hundred bytes

  void Add(std::string_view block) {
    for (char c : block) {
      if (c == '\n') {
        EndLine();
      } else {
        line += c;
        if (line.size() > 512) line.erase(head.size(), line.size() - 256);
      }
    }
  }
  void EndLine() {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    ++lines;
    headed += line.rfind(head, 0) == 0;
    tailed += line.size() >= tail.size() && line.compare(line.size() - tail.size(), tail.size(), tail) == 0;
    line.clear();
  }
  void Finish() {
    if (!line.empty()) EndLine();
  }
};

// Copies the run's reports and journal lines beside its backup and puts their counts
// into the index; false with the reason when something could not be kept.
bool KeepReportsOf(const OpenRun& run, std::string& error) {
  BackupRun counts{};
  for (const char* report : ReportNames) {
    std::string kept = BackupPath(run.backup + "." + report);
    LineCount count{"", Mz(" - Źle zmianiono cenę"), 0, 0, 0, ""};
    RemoveHostFile(kept);
    if (HostFileBytes(report) < 0) continue;  // the run wrote none
    if (!CopyHostFile(report, 0, kept, [&](std::string_view b) { count.Add(b); })) {
      error = kept + " cannot be written";
      return false;
    }
    count.Finish();
    if (std::string(report) == "INFO4.TXT") counts.linesRead = count.lines;
    if (std::string(report) == "INFO.TXT") counts.failed = count.tailed;
  }
  LineCount journal{"--- ", "", 0, 0, 0, ""};
  std::string kept = BackupPath(run.backup + ".ZMIANYCEN.TXT");
  if (!CopyHostFile(DataPath(PriceJournalName), run.journalFrom, kept, [&](std::string_view b) { journal.Add(b); })) {
    error = kept + " cannot be written";
    return false;
  }
  journal.Finish();
  std::vector<BackupRun> runs;
  bool found = false;
  if (!ReadBackupIndex(runs, found, error)) return false;
  for (BackupRun& r : runs) {
    if (r.backup != run.backup) continue;
    r.linesRead = counts.linesRead < 0 ? 0 : counts.linesRead;
    r.changed = journal.lines - journal.headed;
    r.failed = counts.failed < 0 ? 0 : counts.failed;
  }
  if (!WriteBackupIndex(runs)) {
    error = BackupPath(BackupIndexName) + " cannot be written";
    return false;
  }
  return true;
}

}  // namespace

uint32_t Crc32(std::string_view bytes, uint32_t before) {
  uint32_t c = before ^ 0xFFFFFFFFu;
  for (unsigned char b : bytes) c = CrcTable[(c ^ b) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::string BackupPath(const std::string& name) {
  return DataPath(std::string(BackupFolderName) + (name.empty() ? "" : "/" + name));
}

bool ReadBackupIndex(std::vector<BackupRun>& runs, bool& found, std::string& error) {
  runs.clear();
  std::string text;
  found = ReadHostFile(BackupPath(BackupIndexName), text);
  std::vector<std::string> lines = TextLines(text);
  for (std::size_t number = 1; number <= lines.size(); ++number) {
    const std::string& line = lines[number - 1];
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> f = SplitTabs(line);
    BackupRun r{};
    bool read = (f.size() == 8 || f.size() == 9) && ParseSize(f[4], r.bytesBefore, r.crcBefore) &&
                r.bytesBefore >= 0 && ParseSize(f[5], r.bytesAfter, r.crcAfter) && !f[3].empty() &&
                (f.size() == 8 || ParseCounts(f[8], r));
    if (!read) {
      error = BackupPath(BackupIndexName) + ", line " + std::to_string(number) +
              ": not a run (8 or 9 TAB-separated fields)";
      return false;
    }
    r.time = f[0], r.warehouse = f[1], r.goodsFile = f[2], r.backup = f[3], r.state = f[6], r.priceFile = f[7];
    runs.push_back(r);
  }
  return true;
}

bool WriteBackupIndex(const std::vector<BackupRun>& runs) {
  std::string text = IndexHeader;
  for (const BackupRun& r : runs)
    text += r.time + "\t" + r.warehouse + "\t" + r.goodsFile + "\t" + r.backup + "\t" +
            SizeText(r.bytesBefore, r.crcBefore) + "\t" + SizeText(r.bytesAfter, r.crcAfter) + "\t" + r.state +
            "\t" + r.priceFile + "\t" + CountsText(r) + "\r\n";
  return WriteHostFile(BackupPath(BackupIndexName), text);
}

void BackUpBeforeStore(const void* run, const std::string& goodsFile) {
  if (!backupsMade || FilesInMemory() || openRuns.count(run)) return;
  OpenRun& open = openRuns[run];
  open.goodsFile = goodsFile;
  std::string error;
  open.journalFrom = LastJournalRunStart();
  try {
    open.backedUp = MakeBackup(goodsFile, open.backup, error);
  } catch (const std::bad_alloc&) {
    open.backedUp = false;
    error = "not enough memory";
  }
  if (!open.backedUp)
    Show("storeRecord", BaseName(goodsFile).c_str(),
         ("no backup before the first store of this run: " + error +
          "; the run goes on, and --undo cannot take it back")
             .c_str(),
         0);
}

void FinishGoodsRun(const void* run) {
  auto it = openRuns.find(run);
  if (it == openRuns.end()) return;
  if (it->second.backedUp) {
    RecordRunEnd(it->second);
    endedRuns.push_back(it->second);
  }
  openRuns.erase(it);
}

void RecordOpenGoodsRuns() {
  for (const auto& [run, open] : openRuns)
    if (open.backedUp) RecordRunEnd(open);
}

void KeepRunReports() {
  std::vector<OpenRun> runs = endedRuns;
  endedRuns.clear();
  for (const auto& [cursor, open] : openRuns)
    if (open.backedUp) runs.push_back(open);
  for (const OpenRun& run : runs) {
    std::string error;
    if (!KeepReportsOf(run, error))
      Show("closeTableFile", BaseName(run.goodsFile).c_str(),
           ("the run's reports could not be kept beside its backup: " + error).c_str(), 0);
  }
}

void ResetGoodsBackups() {
  openRuns.clear();
  endedRuns.clear();
  backupsKept = DefaultBackupsKept;
  backupsMade = true;
}

}  // namespace hostsim
