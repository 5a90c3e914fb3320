// Backups of the goods files the runs store into, and the index of those runs, from
// which --undo puts a goods file back (goods_undo.h). In the data folder:
//   kopie/MMM1.MGR.20260304-050607      the goods file as it was before the run's
//                                       first store ("-2", "-3" after a second run
//                                       within the same second)
//   kopie/MMM1.MGR.20260304-050607.crc  one CRC-32 per record as the run left the file
//   kopie/MMM1.MGR.20260304-050607.INFO.TXT (and .INFO2.TXT, .INFO3.TXT, .INFO4.TXT)
//                                       the reports the run wrote, kept when the plug-in
//                                       call ends (the next run deletes the originals)
//   kopie/MMM1.MGR.20260304-050607.ZMIANYCEN.TXT  the run's lines of the journal
//   kopie/INDEKS.TXT                    one line per run, oldest first
// Files are copied and checked in blocks: a run never holds a goods file in memory.
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

// The endings of the files kept beside a run's backup, named by the backup's name and
// the ending; pruned with it.
inline constexpr const char* KeptFileEndings[] = {".crc", ".INFO.TXT", ".INFO2.TXT", ".INFO3.TXT", ".INFO4.TXT",
                                                  ".ZMIANYCEN.TXT"};

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
  // From the kept reports: price lines read (INFO4.TXT's lines), records changed (the
  // journal's lines), failed changes (INFO.TXT's "Źle zmianiono cenę" lines); -1 each
  // until they are kept. The field "<read> <changed> <failed>" or "-"; an index line of
  // the eight fields before it has none.
  long long linesRead = -1, changed = -1, failed = -1;
};

// CRC-32 (the one of zip and PNG) of bytes; given the CRC-32 of the bytes before
// them, that of both together.
uint32_t Crc32(std::string_view bytes, uint32_t before = 0);

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

// At the end of a plug-in call, after RecordOpenGoodsRuns: keeps the reports of every
// run of the call (INFO*.TXT of the current folder, where the plug-in writes them, and
// the run's journal lines) beside its backup and their counts in the index; the
// transcript says so when that fails.
void KeepRunReports();

// No open runs, backupsKept 10, backups made.
void ResetGoodsBackups();

}  // namespace hostsim
