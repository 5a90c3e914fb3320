// libFuzzer target: arbitrary bytes as the price file of one whole repricing run over
// a small warehouse, with the checks of fuzz_run.h. The price file lies in the work
// folder (on a memory file system where there is one); the host's files are in memory.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_run.h"
#include "hostsim/services/dialogs.h"

namespace {

std::string goodsBefore;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_run::EnterWorkFolder("price_file_fuzz");
  goodsBefore = fuzz_run::GoodsFile(fuzz_run::SmallShopCsv);
  return 0;
}

// The first byte also chooses the options: bit 0 gross, bits 1-2 the key (symbol,
// index, remarks), bit 3 names copied.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  fuzz_run::FreshHost();
  hostsim::WriteHostFile(hostsim::GoodsFileName(1), goodsBefore);
  fuzz_run::WriteDiskFile("towary.txt", std::string_view(reinterpret_cast<const char*>(data), size));
  uint8_t choice = size ? data[0] : 0;
  bool gross = choice & 1, copy = choice & 8;
  const char key = "SIUS"[(choice >> 1) & 3];
  hostsim::dialogs.script.push_back(std::string("type towary.txt; choose ") + (gross ? "B" : "N") + "; choose " + key +
                                    (copy ? "; tick" : "; clear") + "; F12");
  hostsim::dialogs.warehouseScript.push_back(1);
  fuzz_run::RunCommand();
  fuzz_run::CheckReports();
  fuzz_run::CheckGoods(goodsBefore, fuzz_run::HostFile(hostsim::GoodsFileName(1)), copy);
  fuzz_run::CheckGivenBack();
  return 0;
}
