// --undo: the checks before a goods file is put back, the put back, the journal.
#include "hostsim/goods/goods_undo.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>
#include <vector>

#include "host/goods_record.h"
#include "hostsim/base/charset.h"
#include "hostsim/base/data_folder.h"
#include "hostsim/base/host_files.h"
#include "hostsim/base/system_reason.h"
#include "hostsim/base/utf8_path.h"
#include "hostsim/goods/goods_backup.h"
#include "hostsim/goods/price_journal.h"
#include "hostsim/goods/run_history.h"

namespace hostsim {

namespace {

constexpr std::size_t ListedRecords = 20;  // records named at most

// "<bytes> bytes, CRC-32 <hex>".
std::string SizeText(long long bytes, uint32_t crc) {
  char text[64];
  std::snprintf(text, sizeof text, "%lld bytes, CRC-32 %08X", bytes, static_cast<unsigned>(crc));
  return text;
}

// "1 record" / "3 records".
std::string Records(std::size_t n) { return std::to_string(n) + (n == 1 ? " record" : " records"); }

// Record `i` (from 0) of a goods file named for people: "record 3 (MLEKO-32)".
std::string RecordName(const std::string& file, std::size_t i) {
  std::string name = "record " + std::to_string(i + 1);
  std::size_t at = i * GoodsRecordLength + GoodsSymbol.offset;
  if (at + GoodsSymbol.size > file.size()) return name;
  return name + " (" + MazoviaToUtf8(std::string(file.data() + at, strnlen(file.data() + at, GoodsSymbol.size))) + ")";
}

// The lines that say how the goods file differs from what the run left: the records
// whose CRC-32 is not the one <backup>.crc holds, records added or missing.
std::string WhatChanged(const BackupRun& r, const std::string& now) {
  std::string sums;
  if (!ReadHostFile(BackupPath(r.backup + ".crc"), sums)) return "";
  std::vector<uint32_t> then;  // one line "XXXXXXXX" CR LF per record
  for (std::size_t at = 0; at < sums.size(); at += 10)
    then.push_back(static_cast<uint32_t>(std::strtoul(sums.substr(at, 8).c_str(), nullptr, 16)));
  std::size_t chunks = (now.size() + GoodsRecordLength - 1) / GoodsRecordLength;
  std::string lines;
  std::size_t differ = 0;
  for (std::size_t i = 0; i < std::min(chunks, then.size()); ++i) {
    std::string_view chunk = std::string_view(now).substr(i * GoodsRecordLength, GoodsRecordLength);
    if (Crc32(chunk) == then[i]) continue;
    if (++differ <= ListedRecords) lines += "  " + RecordName(now, i) + " differs\n";
  }
  if (differ > ListedRecords) lines += "  and " + Records(differ - ListedRecords) + " more\n";
  if (chunks > then.size()) lines += "  " + Records(chunks - then.size()) + " added at the end\n";
  if (chunks < then.size()) lines += "  " + Records(then.size() - chunks) + " missing at the end\n";
  return lines;
}

// Replaces the goods file with bytes through a file beside it, so that a failed write
// leaves the goods file as it was; false with the system's reason in why when it fails.
bool PutBack(const std::string& goodsFile, const std::string& bytes, std::string& why) {
  std::string temporary = goodsFile + ".undo";
  if (!WriteHostFile(temporary, bytes)) {
    why = SystemReason(temporary);
    RemoveHostFile(temporary);
    return false;
  }
  std::error_code error;
  std::filesystem::rename(Utf8Path(temporary), Utf8Path(goodsFile), error);
  if (!error) return true;
  why = error.message();
  RemoveHostFile(temporary);
  return false;
}

// UndoLastRun, but for running out of memory.
bool Undo(const std::string& warehouse, std::string& message) {
  std::vector<BackupRun> runs;
  bool found = false;
  std::string error;
  if (!ReadBackupIndex(runs, found, error)) {
    message = "cannot undo: " + error;
    return false;
  }
  if (!found) {
    message = "no backup to undo: there is no " + BackupPath(BackupIndexName) +
              " (a run makes one before its first store)";
    return false;
  }
  BackupRun* run = nullptr;
  for (BackupRun& r : runs)
    if (r.state.rfind("undone", 0) != 0 && (warehouse.empty() || r.warehouse == warehouse)) run = &r;
  if (!run) {
    message = "no backup to undo: " + BackupPath(BackupIndexName) + " holds no run" +
              (warehouse.empty() ? "" : " of warehouse " + warehouse) + " that is not undone yet";
    return false;
  }
  if (run->bytesAfter < 0) {
    message = "cannot undo " + RunName(*run) + ": the run never ended, so what it left is not known; nothing was put back";
    return false;
  }
  std::string goodsFile = DataPath(run->goodsFile), now, before;
  if (!ReadHostFile(goodsFile, now)) {
    message = "cannot undo " + RunName(*run) + ": " + goodsFile + " cannot be read (" + SystemReason(goodsFile) +
              "); nothing was put back";
    return false;
  }
  if (static_cast<long long>(now.size()) != run->bytesAfter || Crc32(now) != run->crcAfter) {
    message = "cannot undo " + RunName(*run) + ": " + run->goodsFile + " has changed since (" +
              SizeText(static_cast<long long>(now.size()), Crc32(now)) + "; the run left " +
              SizeText(run->bytesAfter, run->crcAfter) + "); nothing was put back\n" + WhatChanged(*run, now);
    return false;
  }
  if (!ReadHostFile(BackupPath(run->backup), before) ||
      static_cast<long long>(before.size()) != run->bytesBefore || Crc32(before) != run->crcBefore) {
    message = "cannot undo " + RunName(*run) + ": the backup " + BackupPath(run->backup) +
              " is missing or not as it was made (" + SizeText(run->bytesBefore, run->crcBefore) +
              "); nothing was put back";
    return false;
  }
  std::string why;
  if (!PutBack(goodsFile, before, why)) {
    message = "cannot undo " + RunName(*run) + ": " + goodsFile + " cannot be written (" + why +
              "); nothing was put back";
    return false;
  }
  bool journaled = true;
  try {
    JournalUndo(goodsFile, run->time, run->backup, now, before);
  } catch (const std::bad_alloc&) {
    journaled = false;
  }
  run->state = "undone " + journalClock();
  message = "undone " + RunName(*run) + ": " + run->goodsFile + " is back as " + BackupPath(run->backup) + " holds it";
  if (!journaled) message += "\n(not enough memory to journal it in " + std::string(PriceJournalName) + ")";
  if (!WriteBackupIndex(runs))
    message += "\n(" + BackupPath(BackupIndexName) + " could not be updated: it still lists the run as not undone)";
  return true;
}

}  // namespace

bool UndoLastRun(const std::string& warehouse, std::string& message) {
  try {
    return Undo(warehouse, message);
  } catch (const std::bad_alloc&) {  // the goods file and its backup are compared whole
    message = "cannot undo: not enough memory to compare the goods file with its backup; nothing was put back";
    return false;
  }
}

}  // namespace hostsim
