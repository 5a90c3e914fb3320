// What every fuzzer shares: a work folder, one whole repricing run as one call of the
// host with the host's files in memory, and the checks every such run must pass. The
// reports' lines stay within 255 bytes and end in CR LF; the goods file keeps its size
// and its partial tail; a stored record differs from the one before only in its name
// and prices, holds prices that are numbers (of zero or more where the host's VAT
// table has no rate below zero) and a terminated name; the host's memory and cursors
// are given back. A failed check names itself on standard error and aborts, which
// libFuzzer reports as a crash with the input that caused it.
#pragma once
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>

#include "host/goods_record.h"
#include "host/records.h"
#include "host/services.h"
#include "hostsim/base/host_files.h"
#include "hostsim/goods/goods_csv.h"
#include "hostsim/services/files.h"
#include "hostsim/services/goods.h"
#include "hostsim/services/memory.h"
#include "hostsim/services/plugin_call.h"
#include "hostsim/services/reset.h"
#include "hostsim/services/svc_settings.h"
#include "reprice/goods_table.h"
#include "reprice/run.h"

namespace fuzz_run {

// The host's goods record, as far as the checks look into it.
inline constexpr std::size_t RecordSize = GoodsRecordLength;
inline constexpr std::size_t NameAt = GoodsName.offset, NameSize = GoodsName.size;
inline constexpr std::size_t NetAt = GoodsNetPrice.offset, GrossAt = GoodsGrossPrice.offset;
inline constexpr std::size_t PriceSize = GoodsNetPrice.size;

// A small shop whose keys a fuzzed input can hit by chance: empty, one letter, the
// whole 16-letter symbol field, a digit, Polish letters; index and remarks carry the
// same keys (UTF-8, turned into the host's goods file by GoodsFile).
inline constexpr const char* SmallShopCsv =
    "symbol,index,name,vat,net,gross,remarks\n"
    "A,A,Towar A,1,10.00,12.30,A\n"
    "B,B,Towar B,2,10.00,10.80,B\n"
    ",,Bez symbolu,3,1.00,1.05,\n"
    "AAAAAAAAAAAAAAAA,AAAAAAAAAAAAAAAA,Długi,4,1.00,1.00,AAAAAAAAAAAAAAAA\n"
    "1,1,Jeden,1,0.01,0.01,1\n"
    "ŁÓDŹ,ŁÓDŹ,Polskie litery,1,5.00,6.15,ŁÓDŹ\n";

// Names the fuzzer in the messages of its failed checks.
inline const char* fuzzerName = "fuzzer";

// The work folder that EnterWorkFolder makes, and its removal with the price file.
namespace detail {
inline char memoryFolder[] = "/dev/shm/przecena-fuzz-XXXXXX";
inline char diskFolder[] = "/tmp/przecena-fuzz-XXXXXX";
inline char* workFolder;

inline void RemoveWorkFolder() {
  hostsim::KeepFilesInMemory(false);
  std::remove("towary.txt");
  rmdir(workFolder);
}
}  // namespace detail

// Names the failed check and aborts, which libFuzzer reports as a crash, keeping the
// input; the work folder goes first, since an abort skips the exit handlers.
[[noreturn]] inline void Fail(const std::string& what) {
  std::fprintf(stderr, "%s: %s\n", fuzzerName, what.c_str());
  if (detail::workFolder) detail::RemoveWorkFolder();
  std::abort();
}

// A host file's bytes (from memory); empty when there is none.
inline std::string HostFile(const std::string& name) {
  std::string bytes;
  hostsim::ReadHostFile(name, bytes);
  return bytes;
}

// A file of the work folder on disk (the price file, which the plug-in reads with the
// C runtime).
inline void WriteDiskFile(const char* name, std::string_view bytes) {
  std::FILE* f = std::fopen(name, "wb");
  if (!f) Fail("cannot write a file in the work folder");
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

// The goods file of a CSV (goods_csv.h); a refused CSV is a fault of the fuzzer.
inline std::string GoodsFile(const char* csv) {
  std::string file, error;
  if (!hostsim::GoodsFileFromCsv(csv, file, error)) Fail("goods CSV refused: " + error);
  return file;
}

// Makes a fresh work folder the current one, on a memory file system where there is
// one, removed (with the price file "towary.txt" in it) when the fuzzer ends. Called
// once, from LLVMFuzzerInitialize.
inline void EnterWorkFolder(const char* name) {
  fuzzerName = name;
  using namespace detail;
  workFolder = mkdtemp(memoryFolder) ? memoryFolder : mkdtemp(diskFolder);
  if (!workFolder || chdir(workFolder) != 0) Fail("no work folder");
  std::atexit(RemoveWorkFolder);
}

// The stand-in as fresh, its files in memory: no goods, reports, journal or settings
// of an earlier run.
inline void FreshHost() {
  hostsim::ResetHostSim();
  hostsim::KeepFilesInMemory(true);
}

// The menu command, as one call of the host into the plug-in.
inline void RunCommand() {
  goodsTable = tableDescriptor(GoodsTableNumber);
  hostsim::EnterPluginCall();
  RunRepricing();
  hostsim::LeavePluginCall();
  goodsTable = nullptr;
}

inline void CheckReports() {
  for (const char* file : {"INFO.TXT", "INFO2.TXT", "INFO3.TXT", "INFO4.TXT"}) {
    std::string bytes = HostFile(file);
    for (std::size_t from = 0; from < bytes.size();) {
      std::size_t end = bytes.find("\r\n", from);
      if (end == std::string::npos) Fail(std::string(file) + ": a line without its line end");
      if (end - from > 255) Fail(std::string(file) + ": a line longer than 255 bytes");
      from = end + 2;
    }
  }
}

inline double PriceAt(const std::string& record, std::size_t at) {
  double d;
  std::memcpy(&d, record.data() + at, sizeof d);
  return d;
}

// Checks one goods file after a run against the file before it. signChecked: a stored
// price must not be below zero nor -0. changed, when given, checks each record that
// changed (the record before and after) and returns what is wrong, or "".
using ChangedRecordCheck = std::function<std::string(const std::string& was, const std::string& now)>;
inline void CheckGoods(const std::string& before, const std::string& after, bool namesCopied,
                       bool signChecked = true, const ChangedRecordCheck& changed = {}) {
  if (after.size() != before.size()) Fail("the goods file changed its size");
  std::size_t whole = before.size() / RecordSize * RecordSize;
  if (after.compare(whole, std::string::npos, before, whole, std::string::npos) != 0)
    Fail("the partial record at the end changed");
  for (std::size_t at = 0; at < whole; at += RecordSize) {
    std::string was = before.substr(at, RecordSize), now = after.substr(at, RecordSize);
    if (was == now) continue;
    std::string where = "record " + std::to_string(at / RecordSize + 1) + ": ";
    for (std::size_t i = 0; i < RecordSize; ++i) {
      bool name = i >= NameAt && i < NameAt + NameSize;
      bool price = (i >= NetAt && i < NetAt + PriceSize) || (i >= GrossAt && i < GrossAt + PriceSize);
      if (!name && !price && was[i] != now[i]) Fail(where + "byte " + std::to_string(i) + " changed");
    }
    double net = PriceAt(now, NetAt), gross = PriceAt(now, GrossAt);
    if (!std::isfinite(net) || !std::isfinite(gross)) Fail(where + "a price that is no number was stored");
    if (signChecked && (std::signbit(net) || std::signbit(gross)))
      Fail(where + "a price below zero, or -0, was stored");
    if (was.compare(NameAt, NameSize, now, NameAt, NameSize) != 0) {
      if (!namesCopied) Fail(where + "the name changed although names are not copied");
      if (strnlen(now.data() + NameAt, NameSize) >= NameSize) Fail(where + "the copied name has no terminator");
    }
    if (changed)
      if (std::string problem = changed(was, now); !problem.empty()) Fail(where + problem);
  }
}

// The host's memory and goods cursors are given back, and no block it never handed out
// came back to it.
inline void CheckGivenBack() {
  if (!hostsim::memory.blocks.empty()) Fail("host memory left after the run");
  if (hostsim::memory.unknownBlocks != 0) Fail("a memory block the host never handed out came back");
  if (hostsim::goodsCounters.openCursors != 0) Fail("a goods cursor left open");
}

// Every setting of section "Przecena" the run wrote is one it can have read back: the
// path within 128 characters, "Index", "Brutto" and "Opis" 16-bit numbers, "Mag" a
// number from 0 to 65535. (A write the store refused left the old value, which the run
// never wrote.)
inline void CheckSettingsWritten() {
  for (const hostsim::SettingCall& call : hostsim::settingCalls) {
    if (call.section != "Przecena" || (call.mode != SettingWriteInt && call.mode != SettingWriteText))
      continue;
    if (call.key == "Path") {
      if (call.value.size() > 128) Fail("setting Path written longer than 128 characters");
      continue;
    }
    long low = call.key == "Mag" ? 0 : -32768, high = call.key == "Mag" ? 65535 : 32767;
    char* end = nullptr;
    long n = std::strtol(call.value.c_str(), &end, 10);
    if (call.value.empty() || *end || n < low || n > high)
      Fail("setting " + call.key + " written as \"" + call.value + "\"");
  }
}

}  // namespace fuzz_run
