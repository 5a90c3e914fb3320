// The runtime's memory: blocks of the process heap. Every call reaches the system
// through the plug-in's import slots, so through the register-preserving wrappers;
// a failure reaches the caller as a null result, as the C runtime's did.
#include <windows.h>

#include <cerrno>
#include <cstddef>

#include "frame/runtime/runtime.h"

namespace {

// The process heap, asked of the system at the first allocation.
HANDLE processHeap;

HANDLE Heap() {
  if (!processHeap) processHeap = GetProcessHeap();
  return processHeap;
}

}  // namespace

extern "C" {

// A block of `size` bytes (at least one byte is asked for), or null with errno ENOMEM.
void* malloc(size_t size) {
  void* block = HeapAlloc(Heap(), 0, size ? size : 1);
  if (!block) SetErrorNumber(ENOMEM);
  return block;
}

// A zero-filled block of count * size bytes; null when the product overflows or the
// heap has no room.
void* calloc(size_t count, size_t size) {
  if (size && count > static_cast<size_t>(-1) / size) {
    SetErrorNumber(ENOMEM);
    return nullptr;
  }
  size_t bytes = count * size;
  void* block = HeapAlloc(Heap(), HEAP_ZERO_MEMORY, bytes ? bytes : 1);
  if (!block) SetErrorNumber(ENOMEM);
  return block;
}

// `block` resized to `size` bytes, contents kept; null block acts as malloc, size 0
// frees it and returns null. On failure null, and `block` stays valid and owned by
// the caller.
void* realloc(void* block, size_t size) {
  if (!block) return malloc(size);
  if (!size) {
    HeapFree(Heap(), 0, block);
    return nullptr;
  }
  void* moved = HeapReAlloc(Heap(), 0, block, size);
  if (!moved) SetErrorNumber(ENOMEM);
  return moved;
}

// Gives a block of malloc, calloc or realloc back; null is allowed.
void free(void* block) {
  if (block) HeapFree(Heap(), 0, block);
}

}  // extern "C"
