// How long one whole run takes for a big warehouse and a big price file (not a test):
//   run_benchmark [goods] [price lines]     (default 20000 and 20000)
// Every goods record is identified by a line of the file; half of the prices change.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/records.h"
#include "host/services.h"
#include "hostsim/goods/goods_csv.h"
#include "hostsim/services/dialogs.h"
#include "hostsim/services/goods.h"
#include "hostsim/services/reset.h"
#include "hostsim/services/svc_settings.h"
#include "reprice/goods_table.h"
#include "reprice/run.h"

int main(int argc, char** argv) {
  int goods = argc > 1 ? std::atoi(argv[1]) : 20000;
  int lines = argc > 2 ? std::atoi(argv[2]) : 20000;
  hostsim::ResetHostSim();
  hostsim::EraseSettings();
  std::string file, record, error;
  for (int i = 0; i < goods; ++i) {
    hostsim::GoodsRow row{"S" + std::to_string(i), std::to_string(i), "Towar " + std::to_string(i), 1, 10, 12.30, ""};
    hostsim::GoodsRecordBytes(row, record, error);
    file += record;
  }
  std::FILE* f = std::fopen(hostsim::GoodsFileName(1).c_str(), "wb");
  std::fwrite(file.data(), 1, file.size(), f);
  std::fclose(f);
  f = std::fopen("towary.txt", "wb");
  for (int i = 0; i < lines; ++i) std::fprintf(f, "S%d\tTowar %d\tszt\t23\t%s\r\n", i, i, i % 2 ? "12,30" : "13,53");
  std::fclose(f);
  goodsTable = tableDescriptor(GoodsTableNumber);
  hostsim::dialogs.script.push_back("type towary.txt; choose B; choose S; clear; F12");
  hostsim::dialogs.warehouseScript.push_back(1);
  auto start = std::chrono::steady_clock::now();
  RunRepricing();
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%d goods, %d price lines: %.3f s, %d stores\n", goods, lines, seconds, hostsim::goodsCounters.stores);
  return 0;
}
