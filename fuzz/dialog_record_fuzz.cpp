// libFuzzer target: the bytes that the host's dialog service leaves in the options
// record (the dialog's data record) and the commands it answers, in one whole
// repricing run with the checks of fuzz_run.h. A host may write anything there: a
// path without its terminating zero, radio values outside their groups, any check box
// value, and answer any command, OK, "Zmień plik" (then the file chooser gives the
// price file or -1), the dialog left, or one of its own.
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/fuzz_run.h"
#include "hostsim/services/dialogs.h"
#include "hostsim/services/svc_settings.h"

namespace {

constexpr std::size_t RecordBytes = 135;  // the options record the dialog lays out
constexpr std::size_t PathBytes = 129;    // its first field, the price file's path
constexpr int16_t CommandOk = 20481, CommandLeft = 20482, CommandChangeFile = 1000;
std::string goodsBefore;

constexpr const char* PriceFile =
    "A\tTowar A nowy\tszt\t23\t13,50\r\n"
    "B\tTowar B nowy\tszt\t8\t9,99\r\n"
    "1\tJeden nowy\tszt\t23\t0,02\r\n";

// The input, read showing by showing.
const uint8_t* input;
std::size_t inputLeft;

// One showing: a byte that chooses the command (bits 0-1: OK, "Zmień plik", left, or
// the command of the next two bytes; bit 2: the file chooser, if it follows, gives -1),
// then up to 135 bytes written over the record. An input used up leaves the dialog.
// A path that leaves the work folder ('/' or '\') leaves the dialog as well: the run
// would read whatever file it names.
int16_t Showing(const hostsim::DialogDescription& dialog, unsigned char* record) {
  if (dialog.dataSize != static_cast<int>(RecordBytes)) fuzz_run::Fail("the options dialog lays out another record");
  if (inputLeft == 0) return CommandLeft;
  uint8_t choice = *input++;
  --inputLeft;
  int16_t command = (choice & 3) == 0 ? CommandOk : (choice & 3) == 1 ? CommandChangeFile : CommandLeft;
  if ((choice & 3) == 3 && inputLeft >= 2) {
    command = static_cast<int16_t>(input[0] | input[1] << 8);
    input += 2;
    inputLeft -= 2;
  }
  hostsim::dialogs.chooserScript.assign(1, (choice & 4) ? "-1" : "towary.txt");
  std::size_t n = inputLeft < RecordBytes ? inputLeft : RecordBytes;
  std::memcpy(record, input, n);
  input += n;
  inputLeft -= n;
  std::size_t pathLength = strnlen(reinterpret_cast<const char*>(record), PathBytes);
  if (std::memchr(record, '/', pathLength) || std::memchr(record, '\\', pathLength)) return CommandLeft;
  return command;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_run::EnterWorkFolder("dialog_record_fuzz");
  fuzz_run::WriteDiskFile("towary.txt", PriceFile);
  goodsBefore = fuzz_run::GoodsFile(fuzz_run::SmallShopCsv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  fuzz_run::FreshHost();
  hostsim::WriteHostFile(hostsim::GoodsFileName(1), goodsBefore);
  input = data;
  inputLeft = size;
  hostsim::dialogs.writeRecord = Showing;
  hostsim::dialogs.warehouseScript.push_back(1);
  fuzz_run::RunCommand();
  fuzz_run::CheckReports();
  fuzz_run::CheckGoods(goodsBefore, fuzz_run::HostFile(hostsim::GoodsFileName(1)), true);
  fuzz_run::CheckGivenBack();
  fuzz_run::CheckSettingsWritten();
  return 0;
}
