// Goods files read and written by blocks of records, or in memory.
#include "hostsim/goods/goods_blocks.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "host/goods_record.h"
#include "hostsim/base/host_files.h"
#include "hostsim/base/system_reason.h"
#include "hostsim/base/utf8_path.h"

namespace hostsim {

namespace {

constexpr int32_t BlockRecords = 256;  // about 197 KB a block
constexpr std::size_t BlockBytes = BlockRecords * static_cast<std::size_t>(GoodsRecordLength);

std::vector<GoodsBlocks*> openOnDisk;  // every goods file open on disk

}  // namespace

struct GoodsBlocks {
  bool update;
  std::string* memory;     // the memory file, or null on disk
  std::FILE* file;         // on disk
  int32_t first;           // number of the block's first record
  int32_t count;           // whole records in the block (0: none read yet)
  bool lost;               // some put record could not be written
  std::string whyLost;     // the system's reason for the first that could not
  long bytes;              // the file's length at the open, -1 unknown
  std::vector<char> dirty;            // per record of the block: put, not yet written
  std::vector<unsigned char> data;    // the block's records (BlockBytes, on disk only)
  std::string name;                   // as opened
};

namespace {

long Offset(int32_t record) { return static_cast<long>(record) * GoodsRecordLength; }

// Writes the block's put records back in one write, from the first put record to the
// last; the records between go back with the bytes read, so the file holds exactly the
// stores (no other cursor writes the file while this one is open).
bool WriteBack(GoodsBlocks* g) {
  int32_t from = 0, to = g->count;
  while (from < to && !g->dirty[from]) ++from;
  while (to > from && !g->dirty[to - 1]) --to;
  if (from == to) return true;
  std::fill(g->dirty.begin() + from, g->dirty.begin() + to, 0);
  std::size_t bytes = static_cast<std::size_t>(to - from) * GoodsRecordLength;
  bool written = std::fseek(g->file, Offset(g->first + from), SEEK_SET) == 0 &&
                 std::fwrite(g->data.data() + static_cast<std::size_t>(from) * GoodsRecordLength, 1, bytes,
                             g->file) == bytes;
  if (!written && !g->lost) g->whyLost = SystemReason(g->name);
  if (!written) g->lost = true;
  return written;
}

// Makes the block the one that holds `record`, reading it from there on; false
// (block written back but then empty) when the record is not whole in the file.
bool LoadBlockOf(GoodsBlocks* g, int32_t record) {
  WriteBack(g);
  g->first = record;
  g->count = 0;
  if (std::fseek(g->file, Offset(record), SEEK_SET) != 0) return false;
  std::size_t n = std::fread(g->data.data(), 1, BlockBytes, g->file);
  g->count = static_cast<int32_t>(n / GoodsRecordLength);
  return g->count > 0;
}

}  // namespace

GoodsBlocks* OpenGoodsBlocks(const char* fileName, bool update, std::string& why) {
  why = NoSuchFile;
  if (!fileName || !*fileName) return nullptr;
  std::string* memory = nullptr;
  std::FILE* file = nullptr;
  if (FilesInMemory()) {
    memory = MemoryFile(fileName, false);
    if (!memory) return nullptr;
  } else {
    CloseHeldFiles();
    file = OpenUtf8(fileName, update ? "r+b" : "rb");
    if (!file) {
      why = SystemReason(fileName);
      return nullptr;
    }
  }
  long bytes = memory ? static_cast<long>(memory->size()) : -1;
  if (file && std::fseek(file, 0, SEEK_END) == 0) bytes = std::ftell(file);
  why.clear();
  auto* g = new GoodsBlocks{update, memory, file, 0, 0, false, {}, bytes, {}, {}, fileName};
  if (file) {
    g->dirty.assign(BlockRecords, 0);
    g->data.resize(BlockBytes);
    openOnDisk.push_back(g);
  }
  return g;
}

const std::string& GoodsBlocksName(const GoodsBlocks* g) { return g->name; }

long GoodsFileBytes(const GoodsBlocks* g) { return g ? g->bytes : -1; }

const unsigned char* GoodsBlockRecord(GoodsBlocks* g, int32_t record) {
  if (!g || record < 0) return nullptr;
  if (g->memory) {
    std::size_t at = static_cast<std::size_t>(record) * GoodsRecordLength;
    if (at + GoodsRecordLength > g->memory->size()) return nullptr;
    return reinterpret_cast<const unsigned char*>(g->memory->data() + at);
  }
  bool inBlock = record >= g->first && record < g->first + g->count;
  if (!inBlock && !LoadBlockOf(g, record)) return nullptr;
  return g->data.data() + static_cast<std::size_t>(record - g->first) * GoodsRecordLength;
}

bool PutGoodsBlockRecord(GoodsBlocks* g, int32_t record, const unsigned char* bytes) {
  if (!g || !g->update || !GoodsBlockRecord(g, record)) return false;
  if (g->memory) {
    std::memcpy(g->memory->data() + static_cast<std::size_t>(record) * GoodsRecordLength, bytes,
                GoodsRecordLength);
    return true;
  }
  int32_t i = record - g->first;
  std::memcpy(g->data.data() + static_cast<std::size_t>(i) * GoodsRecordLength, bytes, GoodsRecordLength);
  g->dirty[i] = 1;
  return true;
}

bool CloseGoodsBlocks(GoodsBlocks* g, std::string& why) {
  why.clear();
  if (!g) return true;
  bool written = true;
  if (g->file) {
    WriteBack(g);
    bool closed = std::fclose(g->file) == 0;
    if (!closed && !g->lost) g->whyLost = SystemReason(g->name);
    written = closed && !g->lost;
    why = g->whyLost;
    openOnDisk.erase(std::find(openOnDisk.begin(), openOnDisk.end(), g));
  }
  delete g;
  return written;
}

void WriteOpenGoodsBlocks() {
  for (GoodsBlocks* g : openOnDisk)
    if (WriteBack(g) && std::fflush(g->file) != 0 && !g->lost) {
      g->whyLost = SystemReason(g->name);
      g->lost = true;
    }
}

void CloseOpenGoodsBlocks() {
  std::string why;  // a reset has no one to tell
  while (!openOnDisk.empty()) CloseGoodsBlocks(openOnDisk.back(), why);
}

}  // namespace hostsim
