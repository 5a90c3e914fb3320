// One whole repricing run over a generated warehouse, timed (a program, not a test):
//   whole_run GOODS LINES [refuse-index] [clock] [backup] [shuffled]
// in the current folder, which it fills with the goods file MMM1.MGR and towary.txt.
// Goods i has symbol S<i>; line i of the price file names S<i>, and every second
// line changes the price. Natively it calls the repricing logic linked in; the Win32
// build loads PRZECENA.DLL and chooses its menu command, as the host does. With
// refuse-index the host's memory budget holds the price list but not its index, so
// every lookup is the plain search. With clock the time inside the stand-in's file
// services is measured too, the clock read around every call (which slows the run it
// measures: the run's own time comes from a run without it). With backup the stand-in
// makes its backup of the goods file before the first store and keeps the reports
// (kopie/), as hostsim.exe does. With shuffled the price file's lines come in an order
// unlike the goods file's (line k names S<k * step mod LINES>, step prime to LINES), so
// no lookup finds its entry right after the previous one. Prints one line of key=value
// figures.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <string>

#include "host/records.h"
#include "host/services.h"
#include "hostsim/base/host_files.h"
#include "hostsim/base/transcript.h"
#include "hostsim/goods/goods_backup.h"
#include "hostsim/goods/goods_csv.h"
#include "hostsim/services/dialogs.h"
#include "hostsim/services/goods.h"
#include "hostsim/services/memory.h"
#include "hostsim/services/plugin_call.h"
#include "hostsim/services/reset.h"
#include "hostsim/services/service_clock.h"
#include "hostsim/services/svc_settings.h"
#include "reprice/price_list.h"

#ifdef PRZECENA_DLL
#include <windows.h>
#include <psapi.h>

#include "hostsim/win32/host.h"
#else
#include <sys/resource.h>

#include "reprice/goods_table.h"
#include "reprice/run.h"
#endif

namespace {

// A step prime to lines near 0.618 lines (the golden ratio's part), so that k * step
// mod lines visits every line once and far from the last; 1 for a single line.
long long ShuffleStep(int lines) {
  long long step = static_cast<long long>(lines * 0.6180339887) | 1;
  while (lines > 1 && std::gcd(step, static_cast<long long>(lines)) != 1) step += 2;
  return lines > 1 ? step % lines : 1;
}

// Writes the goods file and the price file of the run; false when one cannot be written.
bool WriteShop(int goods, int lines, bool shuffled) {
  std::FILE* f = std::fopen(hostsim::GoodsFileName(1).c_str(), "wb");
  if (!f) return false;
  std::string record, error;
  for (int i = 0; i < goods; ++i) {
    std::string number = std::to_string(i);
    hostsim::GoodsRow row{std::string(1, 'S') + number, number, std::string("Towar ") + number, 1, 10, 12.30, ""};
    hostsim::GoodsRecordBytes(row, record, error);
    std::fwrite(record.data(), 1, record.size(), f);
  }
  std::fclose(f);
  f = std::fopen("towary.txt", "wb");
  if (!f) return false;
  long long step = shuffled ? ShuffleStep(lines) : 1;
  for (int k = 0; k < lines; ++k) {
    int i = static_cast<int>(k * step % lines);
    std::fprintf(f, "S%d\tTowar %d\tszt\t23\t%s\r\n", i, i, i % 2 ? "12,30" : "13,53");
  }
  return std::fclose(f) == 0;
}

// The process's peak memory in bytes, as the system counts it.
double PeakProcessBytes() {
#ifdef PRZECENA_DLL
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return static_cast<double>(counters.PeakWorkingSetSize);
#else
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) * 1024.0;
#endif
}

// One run through the menu command, as the host makes it; false when it did not complete.
bool RunOnce() {
#ifdef PRZECENA_DLL
  return hostsim::ChooseMenuCommand(RepricingCommand).completed;
#else
  hostsim::EnterPluginCall();
  RunRepricing();
  hostsim::LeavePluginCall();
  return true;
#endif
}

// Loads the plug-in as the host does (natively: takes the goods table); false when it fails.
bool Load() {
#ifdef PRZECENA_DLL
  if (!hostsim::LoadPluginLibrary(PRZECENA_DLL)) return false;
  char name[64];
  hostsim::CallOutcome o = hostsim::LoadCall(name);
  return o.completed && o.result == 0;
#else
  goodsTable = tableDescriptor(GoodsTableNumber);
  return goodsTable != nullptr;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: whole_run GOODS LINES [refuse-index] [clock] [backup] [shuffled]\n");
    return 2;
  }
  int goods = std::atoi(argv[1]), lines = std::atoi(argv[2]);
  bool refuseIndex = false, clock = false, backup = false, shuffled = false;
  for (int i = 3; i < argc; ++i) {
    refuseIndex |= std::string(argv[i]) == "refuse-index";
    clock |= std::string(argv[i]) == "clock";
    backup |= std::string(argv[i]) == "backup";
    shuffled |= std::string(argv[i]) == "shuffled";
  }
  hostsim::ResetHostSim();
  hostsim::backupsMade = backup;  // the stand-in's undo copies are no part of the run timed but when asked
  hostsim::EraseSettings();
  hostsim::StoreSetting("Przecenamag", "Pytaj", "1");  // no first-run notice
  if (!WriteShop(goods, lines, shuffled)) {
    std::fprintf(stderr, "whole_run: cannot write the shop's files\n");
    return 1;
  }
  if (!Load()) {
    std::fprintf(stderr, "whole_run: the plug-in did not load\n");
    return 1;
  }
  hostsim::dialogs.script.push_back("type towary.txt; choose B; choose S; clear; F12");
  hostsim::dialogs.warehouseScript.push_back(1);
  // The list grows by 1000 entries: the budget holds its last size and no index.
  double listBytes = static_cast<double>((lines + 999) / 1000 * 1000) * sizeof(PriceEntry);
  if (refuseIndex) hostsim::memory.byteBudget = static_cast<int64_t>(listBytes);
  hostsim::serviceClock = {};
  if (clock) hostsim::MeasureClockReads();
  hostsim::serviceClock.on = clock;
  auto start = std::chrono::steady_clock::now();
  bool completed = RunOnce();
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  hostsim::serviceClock.on = false;
  // What the list needs at the least: its entries and the index the lookup builds from
  // 64 entries on (one and a half slots of 8 bytes per entry, whole cache lines of 8
  // slots less one, and 63 bytes to align them).
  double slots = std::floor(1.5 * lines / 8) * 8 - 8;
  double indexBytes = refuseIndex || lines < 64 ? 0 : slots * 8 + 63;
  double neededBytes = static_cast<double>(lines) * sizeof(PriceEntry) + indexBytes;
  for (const hostsim::Shown& shown : hostsim::Transcript())  // what the backup said when it failed
    if (backup && (shown.service == "storeRecord" || shown.service == "closeTableFile"))
      std::fprintf(stderr, "whole_run: %s: %s\n", shown.title.c_str(), shown.text.c_str());
  std::printf("goods=%d lines=%d refuse_index=%d clock=%d completed=%d seconds=%.6f service_seconds=%.6f "
              "service_calls=%lld clock_read_ns=%.1f stores=%d peak_list_bytes=%zu needed_list_bytes=%.0f "
              "peak_process_bytes=%.0f\n",
              goods, lines, refuseIndex ? 1 : 0, clock ? 1 : 0, completed ? 1 : 0, seconds, hostsim::ServiceSeconds(),
              static_cast<long long>(hostsim::serviceClock.calls), hostsim::serviceClock.readCost * 1e9,
              hostsim::goodsCounters.stores, hostsim::memory.peakBytes, neededBytes, PeakProcessBytes());
  return completed ? 0 : 1;
}
