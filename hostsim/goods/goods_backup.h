// Backups of the goods files the runs store into, and the index of those runs, from
// which --undo puts a goods file back (goods_undo.h). In the data folder:
//   kopie/MMM1.MGR.20260304-050607      the goods file as it was before the run's
//                                       first store ("-2", "-3" after a second run
//                                       within the same second)
//   kopie/MMM1.MGR.20260304-050607.crc  one CRC-32 per record as the run left the file
//   kopie/INDEKS.TXT                    one line per run, oldest first
// A run is one goods cursor opened for update; one that stores nothing, or nothing but
// records as they are (a repeated run), makes no backup.
// The stand-in keeps no backups while its files live in memory (KeepFilesInMemory):
// those programs make thousands of runs and never take one back.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hostsim {

inline constexpr const char* BackupFolderName = "kopie";
inline constexpr const char* BackupIndexName = "INDEKS.TXT";
inline constexpr int DefaultBackupsKept = 10;

// The runs whose backups are kept, per warehouse (the newest; older ones are deleted
// with their index lines when a run is added). At least 1.
extern int backupsKept;

// false: no backups and no index at all (the benchmark, which times the plug-in's run
// against the I/O floor, turns them off). Reset to true.
extern bool backupsMade;

// One line of the index: TAB-separated fields in this order, CR LF at the end.
struct BackupRun {
  std::string time;       // "YYYY-MM-DD HH:MM:SS" of the first store (journalClock)
  std::string warehouse;  // "1" for MMM1.MGR, "?" for a file named otherwise
  std::string goodsFile;  // the goods file's name in the data folder
  std::string backup;     // the backup's name in the backup folder
  long long bytesBefore;  // the goods file before the run: length and CRC-32
  uint32_t crcBefore;
  long long bytesAfter;   // as the run left it; -1 while the run's cursor is open
  uint32_t crcAfter;
  std::string state;      // "open", "done" or "undone <date time>"
  std::string priceFile;  // the settings' price file (Mazovia), "" when unknown
};

// CRC-32 (the one of zip and PNG) of bytes.
uint32_t Crc32(std::string_view bytes);

// A name in the backup folder of the data folder ("" gives the folder itself).
std::string BackupPath(const std::string& name);

// The index's runs, oldest first; an index that does not exist has none (found false).
// false with the line's number and what is wrong when a line cannot be read.
bool ReadBackupIndex(std::vector<BackupRun>& runs, bool& found, std::string& error);

// Writes the index (a comment header, then the runs); false when it cannot be written.
bool WriteBackupIndex(const std::vector<BackupRun>& runs);

// The goods services' hooks. `run` names the open goods file of one cursor.
// Before a store into goodsFile is carried out that changes its record: the first of the
// run copies the file to
// the backup folder and adds the run to the index (state "open"), pruning the
// warehouse's oldest runs beyond backupsKept. When the backup cannot be made the run
// goes on, and the transcript says so once, before that first store.
void BackUpBeforeStore(const void* run, const std::string& goodsFile);

// The run's file was closed: records its length and CRC-32 (and a CRC-32 per record)
// as the run left it; the run is "done". Nothing for a run that made no backup.
void FinishGoodsRun(const void* run);

// At the end of a plug-in call: records the same for the runs whose cursor is still
// open (a run ended by an exception), which stay open.
void RecordOpenGoodsRuns();

// No open runs, backupsKept 10, backups made.
void ResetGoodsBackups();

}  // namespace hostsim
