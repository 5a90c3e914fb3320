// libFuzzer target: arbitrary bytes as the goods file of the warehouse in one whole
// repricing run with a fixed price file, with the checks of fuzz_run.h. The records
// can hold anything: texts without their terminating zero, prices that are no numbers
// or huge, VAT codes outside the host's table, a partial record at the end. Beyond the
// shared checks, only a record whose key (in the field the options choose) is a line
// of the price file with a usable price may change, and then to that line's price.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/fuzz_run.h"
#include "host/mazovia.h"
#include "hostsim/services/dialogs.h"

namespace {

// The price file (Velmora's TAB-separated export, Mazovia, CR LF): keys of the sample
// shop's symbols, indexes and remarks, short keys, and lines whose price is no number,
// no finite number or below zero, which must never reach a record.
const std::string PriceFile = std::string(Mz("KAWA-500\tKawa ziarnista Arabica 500 g\tszt\t23\t42,99\r\n"
                                             "HERB-100\tHerbata czarna 100 torebek\tszt\t23\t14,99\r\n"
                                             "MLEKO-32\tMleko świeże 3,2% 1 l\tszt\t5\t3,49\r\n"
                                             "5900001000011\tChleb żytni\tszt\t5\t4,49\r\n"
                                             "półka A1\tTowar z półki\tszt\t8\t1,00\r\n"
                                             "A\tTowar A\tszt\t23\t0\r\n"
                                             "JAJA-M10\tJaja\tszt\t5\t99999999999\r\n"
                                             "5900001000042\tMasło\tszt\t5\tabc\r\n"
                                             "lodówka 1\tZ lodówki\tszt\t5\t1e400\r\n"
                                             "B\tTowar B\tszt\t8\t-5,49\r\n"));

// The keys whose price may be stored, with that price in ten-thousandths.
struct KeyPrice {
  const char* key;  // Mazovia
  double price;
};
const KeyPrice Usable[] = {
    {"KAWA-500", 429900.0},   {"HERB-100", 149900.0}, {"MLEKO-32", 34900.0},
    {"5900001000011", 44900.0}, {Mz("półka A1"), 10000.0}, {"A", 0.0},
    {"JAJA-M10", 999999999990000.0},
};

using Field = GoodsField;
constexpr Field Symbol = GoodsSymbol, Index = GoodsIndex, Remarks = GoodsRemarks;

struct Choice {
  bool gross, copy;
  Field key;
};
Choice choice;

// Keys are the same when they differ at most in the letter case of A-Z.
bool SameKey(const std::string& a, const std::string& b) {
  auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (fold(a[i]) != fold(b[i])) return false;
  return true;
}

// What a changed record must hold: a key with a usable price, and that price as its
// gross (gross prices) or net price.
std::string ChangedRecordProblem(const std::string&, const std::string& now) {
  std::string key(now.data() + choice.key.offset, strnlen(now.data() + choice.key.offset, choice.key.size));
  for (const KeyPrice& k : Usable) {
    if (!SameKey(key, k.key)) continue;
    double stored = run_checks::PriceAt(now, choice.gross ? run_checks::GrossAt : run_checks::NetAt);
    if (stored != k.price) return "stored " + std::to_string(stored) + " for key " + key;
    return "";
  }
  return "changed although its key \"" + key + "\" has no usable price in the price file";
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_run::EnterWorkFolder("goods_file_fuzz");
  fuzz_run::WriteDiskFile("towary.txt", PriceFile);
  return 0;
}

// The first byte chooses the options (bit 0 gross, bits 1-2 the key: symbol, index,
// remarks, symbol; bit 3 names copied), the rest is the goods file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string goodsBefore(reinterpret_cast<const char*>(data) + 1, size - 1);
  fuzz_run::FreshHost();
  hostsim::WriteHostFile(hostsim::GoodsFileName(1), goodsBefore);
  uint8_t bits = data[0];
  choice.gross = bits & 1;
  choice.copy = bits & 8;
  const char key = "SIUS"[(bits >> 1) & 3];
  choice.key = key == 'I' ? Index : key == 'U' ? Remarks : Symbol;
  hostsim::dialogs.script.push_back(std::string("type towary.txt; choose ") + (choice.gross ? "B" : "N") +
                                    "; choose " + key + (choice.copy ? "; tick" : "; clear") + "; F12");
  hostsim::dialogs.warehouseScript.push_back(1);
  fuzz_run::RunCommand();
  fuzz_run::CheckReports();
  fuzz_run::CheckGoods(goodsBefore, fuzz_run::HostFile(hostsim::GoodsFileName(1)), choice.copy, true,
                       ChangedRecordProblem);
  fuzz_run::CheckGivenBack();
  return 0;
}
