// libFuzzer target: arbitrary bytes as the stand-in's answers file (answers.cpp,
// answer_keys.cpp). A file that is refused must be refused with a message naming its
// line; a file that is taken plays one whole repricing run with what it answers (the
// dialog, the file chooser, the warehouse, the host's VAT table, failing stores and
// allocations, a memory budget, a stop, no goods table at all), with the checks of
// fuzz_run.h. Answers that name a file outside the work folder ('/' or '\') are not
// inputs of interest: the run would read whatever file they name.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_run.h"
#include "hostsim/player/answers.h"
#include "hostsim/services/goods.h"

namespace {

constexpr int Warehouses = 2;  // goods files for warehouses 0 (offered first) and 1
std::string goodsBefore;

constexpr const char* PriceFile =
    "A\tTowar A nowy\tszt\t1\t13,50\r\n"
    "B\tTowar B nowy\tszt\t2\t9,99\r\n"
    "1\tJeden nowy\tszt\t1\t0,02\r\n"
    "AAAAAAAAAAAAAAAA\tDługi nowy\tszt\t4\t7\r\n";

// A refusal's message begins with "answers:LINE: ", LINE a line of the text.
void CheckRefusal(const std::string& text, const std::string& error) {
  constexpr std::string_view Source = "answers:";
  if (error.compare(0, Source.size(), Source) != 0) fuzz_run::Fail("a refusal that names no source: " + error);
  char* end = nullptr;
  long line = std::strtol(error.c_str() + Source.size(), &end, 10);
  long lines = 1;
  for (char c : text) lines += c == '\n';
  if (line < 1 || line > lines || std::string_view(end).substr(0, 2) != ": ")
    fuzz_run::Fail("a refusal that names no line of the file: " + error);
}

bool LeavesWorkFolder(const char* key) {
  for (const std::string& value : hostsim::Answers(key))
    if (value.find_first_of("/\\") != std::string::npos) return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_run::EnterWorkFolder("answers_fuzz");
  fuzz_run::WriteDiskFile("towary.txt", PriceFile);
  goodsBefore = fuzz_run::GoodsFile(fuzz_run::SmallShopCsv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  fuzz_run::FreshHost();
  std::string error;
  if (!hostsim::ParseAnswers(text, error)) {
    CheckRefusal(text, error);
    return 0;
  }
  if (LeavesWorkFolder("dialog") || LeavesWorkFolder("choose_file")) return -1;
  hostsim::ApplyAnswers();
  for (int w = 0; w < Warehouses; ++w) hostsim::WriteHostFile(hostsim::GoodsFileName(w), goodsBefore);
  fuzz_run::RunCommand();
  fuzz_run::CheckReports();
  // A VAT rate below -100% makes the host's own conversion give prices below zero.
  bool signChecked = true;
  for (const auto& [code, rate] : hostsim::vatRates) signChecked = signChecked && rate >= -1.0;
  for (int w = 0; w < Warehouses; ++w)
    fuzz_run::CheckGoods(goodsBefore, fuzz_run::HostFile(hostsim::GoodsFileName(w)), true, signChecked);
  fuzz_run::CheckGivenBack();
  return 0;
}
