// Backups before a run's first store, and the index of the runs.
#include "hostsim/goods/goods_backup.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <map>

#include "host/goods_record.h"
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
};
std::map<const void*, OpenRun> openRuns;

const char* const IndexHeader =
    "# hostsim: runs that stored into a goods file, oldest first; TAB-separated:\r\n"
    "# time, warehouse, goods file, backup, bytes and CRC-32 before the run, after it, state, price file\r\n";

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
  std::string bytes;
  if (!ReadHostFile(goodsFile, bytes)) {
    error = goodsFile + " cannot be read";
    return false;
  }
  std::vector<BackupRun> runs;
  bool found = false;
  if (!ReadBackupIndex(runs, found, error)) return false;  // never overwrite an index we cannot read
  std::string base = BaseName(goodsFile);
  BackupRun run{journalClock(), GoodsFileWarehouse(base), base, "", static_cast<long long>(bytes.size()),
                Crc32(bytes), -1, 0, "open", StoredSetting("Przecena", "Path").value_or("")};
  run.backup = UniqueBackupName(base, run.time, runs);
  if (!WriteHostFile(BackupPath(run.backup), bytes)) {
    RemoveHostFile(BackupPath(run.backup));
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
    RemoveHostFile(BackupPath(name + ".crc"));
  }
  backup = run.backup;
  return true;
}

// Records the goods file as the run left it: its CRC-32 per record in <backup>.crc, its
// length and CRC-32 in the index, and the state "done"; says in the transcript when
// that fails (an --undo of the run is then refused).
void RecordRunEnd(const OpenRun& run) {
  std::string bytes, sums;
  bool read = ReadHostFile(run.goodsFile, bytes);
  for (std::size_t at = 0; at < bytes.size(); at += GoodsRecordLength) {
    char line[16];
    std::snprintf(line, sizeof line, "%08X\r\n",
                  static_cast<unsigned>(Crc32(std::string_view(bytes).substr(at, GoodsRecordLength))));
    sums += line;
  }
  std::vector<BackupRun> runs;
  bool found = false, recorded = false;
  std::string error;
  if (read && ReadBackupIndex(runs, found, error) && WriteHostFile(BackupPath(run.backup + ".crc"), sums)) {
    for (BackupRun& r : runs) {
      if (r.backup != run.backup) continue;
      r.bytesAfter = static_cast<long long>(bytes.size());
      r.crcAfter = Crc32(bytes);
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

}  // namespace

uint32_t Crc32(std::string_view bytes) {
  uint32_t c = 0xFFFFFFFFu;
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
    bool read = f.size() == 8 && ParseSize(f[4], r.bytesBefore, r.crcBefore) && r.bytesBefore >= 0 &&
                ParseSize(f[5], r.bytesAfter, r.crcAfter) && !f[3].empty();
    if (!read) {
      error = BackupPath(BackupIndexName) + ", line " + std::to_string(number) + ": not a run (8 TAB-separated fields)";
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
            "\t" + r.priceFile + "\r\n";
  return WriteHostFile(BackupPath(BackupIndexName), text);
}

void BackUpBeforeStore(const void* run, const std::string& goodsFile) {
  if (!backupsMade || FilesInMemory() || openRuns.count(run)) return;
  OpenRun& open = openRuns[run];
  open.goodsFile = goodsFile;
  std::string error;
  open.backedUp = MakeBackup(goodsFile, open.backup, error);
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
  if (it->second.backedUp) RecordRunEnd(it->second);
  openRuns.erase(it);
}

void RecordOpenGoodsRuns() {
  for (const auto& [run, open] : openRuns)
    if (open.backedUp) RecordRunEnd(open);
}

void ResetGoodsBackups() {
  openRuns.clear();
  backupsKept = DefaultBackupsKept;
  backupsMade = true;
}

}  // namespace hostsim
