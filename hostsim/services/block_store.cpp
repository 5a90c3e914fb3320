// Blocks with hidden room to grow (see block_store.h). Each block is preceded by a
// header holding its capacity; the header is 16 bytes, so the address handed out keeps
// the alignment of the C runtime's malloc.
#include "hostsim/services/block_store.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace hostsim {
namespace {

constexpr std::size_t HeaderBytes = 16;

// The capacity recorded in the header of a block handed out.
std::size_t& CapacityOf(void* block) {
  return *reinterpret_cast<std::size_t*>(static_cast<char*>(block) - HeaderBytes);
}

}  // namespace

void* ResizeBlock(void* block, std::size_t oldSize, std::size_t newSize) {
  if (block && newSize <= CapacityOf(block) && (!BlocksMoveOnEveryGrowth || newSize <= oldSize)) return block;
  if (newSize > SIZE_MAX - HeaderBytes) return nullptr;
  if (block && !BlocksMoveOnEveryGrowth) {
    // Growing: realloc, which for a large block can remap its pages rather than copy
    // them, with room for the next steps; then the exact size, which may still fit.
    char* header = static_cast<char*>(block) - HeaderBytes;
    std::size_t capacity = newSize <= (SIZE_MAX - HeaderBytes) / 3 * 2 ? newSize + newSize / 2 : newSize;
    char* fresh = static_cast<char*>(std::realloc(header, HeaderBytes + capacity));
    if (!fresh && capacity != newSize) fresh = static_cast<char*>(std::realloc(header, HeaderBytes + (capacity = newSize)));
    if (!fresh) return nullptr;  // the old block stays as it was
    fresh += HeaderBytes;
    CapacityOf(fresh) = capacity;
    return fresh;
  }
  char* fresh = static_cast<char*>(std::malloc(HeaderBytes + newSize));
  if (!fresh) return nullptr;
  fresh += HeaderBytes;
  CapacityOf(fresh) = newSize;
  if (block) {
    std::memcpy(fresh, block, oldSize < newSize ? oldSize : newSize);
    FreeBlock(block);
  }
  return fresh;
}

void FreeBlock(void* block) {
  if (block) std::free(static_cast<char*>(block) - HeaderBytes);
}

}  // namespace hostsim
