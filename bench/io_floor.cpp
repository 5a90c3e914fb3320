// The I/O floor of a whole run (a program, not a test): the same reads and writes
// with nothing else, to set a run's time against.
//   io_floor GOODS_FILE REPORT_BYTES
// Reads the goods file twice in blocks of 256 records, in the first pass writing every
// second record back in place (each block's changed span in one write; the bytes stay
// as they were), then writes REPORT_BYTES bytes to a scratch file in 64 KB writes and
// deletes it. Prints one line of key=value figures.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "host/records.h"

namespace {

constexpr long RecordSize = GoodsRecordLength;
constexpr long BlockRecords = 256;

// One pass over the file; with writeBack every second record of each block goes back
// in place. false when the file cannot be read or written.
bool Pass(std::FILE* f, bool writeBack, long& records) {
  std::vector<char> block(RecordSize * BlockRecords);
  records = 0;
  for (long first = 0;; first += BlockRecords) {
    if (std::fseek(f, first * RecordSize, SEEK_SET) != 0) return false;
    long n = static_cast<long>(std::fread(block.data(), 1, block.size(), f)) / RecordSize;
    if (n == 0) return true;
    records += n;
    if (writeBack && n > 0) {
      long last = (n - 1) / 2 * 2;  // records 0, 2, 4, ... of the block; the span 0..last
      std::size_t bytes = static_cast<std::size_t>((last + 1) * RecordSize);
      if (std::fseek(f, first * RecordSize, SEEK_SET) != 0 || std::fwrite(block.data(), 1, bytes, f) != bytes)
        return false;
    }
    if (n < BlockRecords) return true;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: io_floor GOODS_FILE REPORT_BYTES\n");
    return 2;
  }
  long long reportBytes = std::atoll(argv[2]);
  auto start = std::chrono::steady_clock::now();
  std::FILE* f = std::fopen(argv[1], "r+b");
  if (!f) {
    std::fprintf(stderr, "io_floor: cannot open %s\n", argv[1]);
    return 1;
  }
  long records = 0, again = 0;
  bool ok = Pass(f, true, records);
  ok = std::fclose(f) == 0 && ok;
  f = std::fopen(argv[1], "rb");
  ok = f && Pass(f, false, again) && ok;
  if (f) std::fclose(f);
  std::FILE* out = std::fopen("io_floor.tmp", "wb");
  std::vector<char> chunk(64 * 1024, 'x');
  for (long long left = reportBytes; out && left > 0;) {
    std::size_t n = left < static_cast<long long>(chunk.size()) ? static_cast<std::size_t>(left) : chunk.size();
    ok = std::fwrite(chunk.data(), 1, n, out) == n && ok;
    left -= static_cast<long long>(n);
  }
  ok = out && std::fclose(out) == 0 && ok;
  std::remove("io_floor.tmp");
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("records=%ld report_bytes=%lld seconds=%.6f ok=%d\n", records, reportBytes, seconds, ok ? 1 : 0);
  return ok ? 0 : 1;
}
