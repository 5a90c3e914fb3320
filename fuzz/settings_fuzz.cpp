// libFuzzer target: the stored settings of section "Przecena" as the settings store
// gives them to one whole repricing run, with the checks of fuzz_run.h. Every key may
// be present or absent and hold any bytes the store can keep (anything but a line
// end); the user confirms the dialog as it opens (or, as chosen, types the price file's
// name) and takes the warehouse offered. After the run the settings written back must
// be what the plug-in can have read (fuzz_run::CheckSettingsWritten).
#include <cstdint>
#include <string>

#include "fuzz/fuzz_run.h"
#include "hostsim/services/dialogs.h"
#include "hostsim/services/svc_settings.h"

namespace {

constexpr const char* Keys[] = {"Path", "Index", "Brutto", "Opis", "Mag"};
constexpr int Warehouses = 2;  // goods files for warehouses 0 (the default) and 1
std::string goodsBefore;

// The price file: one line for each key of the small shop.
constexpr const char* PriceFile =
    "A\tTowar A nowy\tszt\t23\t13,50\r\n"
    "B\tTowar B nowy\tszt\t8\t9,99\r\n"
    "1\tJeden nowy\tszt\t23\t0,02\r\n";

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_run::EnterWorkFolder("settings_fuzz");
  fuzz_run::WriteDiskFile("towary.txt", PriceFile);
  goodsBefore = fuzz_run::GoodsFile(fuzz_run::SmallShopCsv);
  return 0;
}

// The first byte: bits 0-4 which of Path, Index, Brutto, Opis and Mag are stored, bit 5
// the user types "towary.txt" into the dialog. The rest: the stored values in that
// order, separated by line feeds. A stored path that leaves the work folder ('/' or
// '\') is not an input of interest: the run would read whatever file it names.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string values(reinterpret_cast<const char*>(data) + 1, size - 1);
  fuzz_run::FreshHost();
  for (int w = 0; w < Warehouses; ++w) hostsim::WriteHostFile(hostsim::GoodsFileName(w), goodsBefore);
  bool typed = data[0] & 0x20;
  std::size_t from = 0;
  for (int k = 0; k < 5; ++k) {
    if (!(data[0] & (1 << k))) continue;
    std::size_t end = values.find('\n', from);
    if (end == std::string::npos) end = values.size();
    std::string value = values.substr(std::min(from, values.size()), end - std::min(from, values.size()));
    from = end + 1;
    if (k == 0 && !typed && value.find_first_of("/\\") != std::string::npos) return -1;
    hostsim::StoreSetting("Przecena", Keys[k], value);
  }
  hostsim::dialogs.script.push_back(typed ? "type towary.txt; F12" : "F12");
  fuzz_run::RunCommand();
  fuzz_run::CheckReports();
  for (int w = 0; w < Warehouses; ++w) {
    std::string after = fuzz_run::HostFile(hostsim::GoodsFileName(w));
    // The options come from the stored values, which the checks do not parse: a name
    // may have changed wherever a price did.
    fuzz_run::CheckGoods(goodsBefore, after, true);
  }
  fuzz_run::CheckGivenBack();
  fuzz_run::CheckSettingsWritten();
  return 0;
}
