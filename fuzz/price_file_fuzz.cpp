// libFuzzer target: arbitrary bytes as the price file of one whole repricing run over
// a small warehouse, with the stand-in's services linked in. Beyond what the
// sanitizers catch, every run must keep the report lines within 255 bytes, store no
// price that is no number or below zero (nor -0), change nothing of a goods record but
// its name and prices, and give back the host's memory and cursors. The host's files
// are kept in memory and the price file lies in a folder on a memory file system where
// there is one, so a run touches the disk as little as it can. Built and run by
// fuzz/run.sh (which links it with -Wl,--wrap=remove, see hostsim/memory_remove.cpp).
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "host/records.h"
#include "host/services.h"
#include "host/goods_record.h"
#include "hostsim/services/dialogs.h"
#include "hostsim/services/files.h"
#include "hostsim/services/goods.h"
#include "hostsim/services/goods_csv.h"
#include "hostsim/services/host_files.h"
#include "hostsim/services/memory.h"
#include "hostsim/services/reset.h"
#include "reprice/goods_table.h"
#include "reprice/run.h"

namespace {

constexpr std::size_t RecordSize = GoodsRecordLength;

// Whether byte i of a record lies in the field.
bool Within(std::size_t i, GoodsField field) { return i >= field.offset && i < field.offset + field.size; }

// Keys a fuzzed line can hit by chance: empty, one letter, the whole 16-letter symbol
// field, a digit, Polish letters; index and remarks carry the same keys.
const char* const WarehouseCsv =
    "symbol,index,name,vat,net,gross,remarks\n"
    "A,A,Towar A,1,10.00,12.30,A\n"
    "B,B,Towar B,2,10.00,10.80,B\n"
    ",,Bez symbolu,3,1.00,1.05,\n"
    "AAAAAAAAAAAAAAAA,AAAAAAAAAAAAAAAA,Długi,4,1.00,1.00,AAAAAAAAAAAAAAAA\n"
    "1,1,Jeden,1,0.01,0.01,1\n"
    "ŁÓDŹ,ŁÓDŹ,Polskie litery,1,5.00,6.15,ŁÓDŹ\n";

std::string goodsBefore;

void Fail(const char* what) {
  std::fprintf(stderr, "price_file_fuzz: %s\n", what);
  std::abort();
}

// A host file's bytes (from memory); empty when there is none.
std::string Bytes(const std::string& name) {
  std::string bytes;
  hostsim::ReadWholeFile(name, bytes);
  return bytes;
}

void WriteBytes(const std::string& name, const uint8_t* data, std::size_t size) {
  std::FILE* f = std::fopen(name.c_str(), "wb");
  if (!f) Fail("cannot write a file in the work folder");
  if (size) std::fwrite(data, 1, size, f);
  std::fclose(f);
}

void CheckReports() {
  for (const char* file : {"INFO.TXT", "INFO2.TXT", "INFO3.TXT", "INFO4.TXT"}) {
    std::string bytes = Bytes(file);
    for (std::size_t from = 0; from < bytes.size();) {
      std::size_t end = bytes.find("\r\n", from);
      if (end == std::string::npos) Fail("a report line without its line end");
      if (end - from > 255) Fail("a report line longer than 255 bytes");
      from = end + 2;
    }
  }
}

void CheckGoods(bool namesCopied) {
  std::string after = Bytes(hostsim::GoodsFileName(1));
  if (after.size() != goodsBefore.size()) Fail("the goods file changed its size");
  for (std::size_t at = 0; at + RecordSize <= after.size(); at += RecordSize)
    for (std::size_t i = 0; i < RecordSize; ++i) {
      bool name = Within(i, GoodsName), price = Within(i, GoodsNetPrice) || Within(i, GoodsGrossPrice);
      if (after[at + i] == goodsBefore[at + i]) continue;
      if (!name && !price) Fail("a byte outside the name and the prices changed");
      if (name && !namesCopied) Fail("a name changed although names are not copied");
      double net, gross;
      std::memcpy(&net, after.data() + at + GoodsNetPrice.offset, sizeof net);
      std::memcpy(&gross, after.data() + at + GoodsGrossPrice.offset, sizeof gross);
      if (!std::isfinite(net) || !std::isfinite(gross)) Fail("a price that is no number was stored");
      if (std::signbit(net) || std::signbit(gross)) Fail("a price below zero, or -0, was stored");
    }
}

char memoryFolder[] = "/dev/shm/przecena-fuzz-XXXXXX";
char diskFolder[] = "/tmp/przecena-fuzz-XXXXXX";
char* workFolder;

// The work folder and the price file in it, removed when the fuzzer ends.
void RemoveWorkFolder() {
  hostsim::KeepFilesInMemory(false);
  std::remove("towary.txt");
  rmdir(workFolder);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  workFolder = mkdtemp(memoryFolder) ? memoryFolder : mkdtemp(diskFolder);
  if (!workFolder || chdir(workFolder) != 0) Fail("no work folder");
  std::atexit(RemoveWorkFolder);
  std::string error;
  if (!hostsim::GoodsFileFromCsv(WarehouseCsv, goodsBefore, error)) Fail(error.c_str());
  return 0;
}

// The first byte also chooses the options: bit 0 gross, bits 1-2 the key (symbol,
// index, remarks), bit 3 names copied.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  hostsim::ResetHostSim();
  hostsim::KeepFilesInMemory(true);  // no reports, journal or settings of an earlier run
  hostsim::WriteHostFile(hostsim::GoodsFileName(1), goodsBefore);
  WriteBytes("towary.txt", data, size);
  uint8_t choice = size ? data[0] : 0;
  bool gross = choice & 1, copy = choice & 8;
  const char key = "SIUS"[(choice >> 1) & 3];
  hostsim::dialogs.script.push_back(std::string("type towary.txt; choose ") + (gross ? "B" : "N") + "; choose " + key +
                                    (copy ? "; tick" : "; clear") + "; F12");
  hostsim::dialogs.warehouseScript.push_back(1);
  goodsTable = tableDescriptor(GoodsTableNumber);
  hostsim::EnterPluginCall();
  RunRepricing();
  hostsim::LeavePluginCall();
  goodsTable = nullptr;
  CheckReports();
  CheckGoods(copy);
  if (!hostsim::memory.blocks.empty()) Fail("host memory left after the run");
  if (hostsim::goodsCounters.openCursors != 0) Fail("a goods cursor left open");
  return 0;
}
