// What every fuzzer shares: a work folder, one whole repricing run as one call of the
// host with the host's files in memory, and the checks every such run must pass
// (tests/support/run_checks.h; prices of zero or more where the host's VAT table has no
// rate below zero). A failed check names itself on standard error and aborts, which
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
#include "tests/support/run_checks.h"

namespace fuzz_run {

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

// The checks every run must pass (tests/support/run_checks.h), each failing the fuzzer.
inline void CheckReports() {
  if (std::string problem = run_checks::ReportProblem(); !problem.empty()) Fail(problem);
}

using run_checks::ChangedRecordCheck;
inline void CheckGoods(const std::string& before, const std::string& after, bool namesCopied,
                       bool signChecked = true, const ChangedRecordCheck& changed = {}) {
  if (std::string problem = run_checks::GoodsProblem(before, after, namesCopied, signChecked, changed);
      !problem.empty())
    Fail(problem);
}

inline void CheckGivenBack() {
  if (std::string problem = run_checks::GivenBackProblem(); !problem.empty()) Fail(problem);
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
