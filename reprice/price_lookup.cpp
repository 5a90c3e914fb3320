// Finding a price entry by key: the first entry in list order whose symbol equals the
// key with A-Z compared case-blind. Large lists are searched through a hash index of
// chains in list order, so the first match in a chain is the first in the list; when
// the host has no memory for the index the list is searched from the front instead.
#include <cstdint>

#include "host/services.h"
#include "reprice/price_index.h"
#include "reprice/price_list.h"

namespace {

// Below this many entries a front-to-back search is as quick as building an index.
constexpr int32_t SmallList = 64;
constexpr int32_t EndOfChain = -1;

struct PriceIndex {
  int32_t* slots;              // host memory: bucketMask + 1 chain heads, then one link per entry
  uint32_t bucketMask;         // bucket count - 1, a power of two minus one
  const PriceEntry* entries;   // the list the index was built for
  int32_t count;               // and its entry count
  bool unavailable;            // no memory for this list: search linearly
};
PriceIndex priceIndex;

// c with A-Z turned into a-z; every other byte as it is.
unsigned char Folded(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

// FNV-1a over the folded bytes; length receives the text's length, at most limit + 1.
uint32_t FoldedHash(const char* text, int limit, int& length) {
  uint32_t hash = 2166136261u;
  int i = 0;
  for (; i <= limit && text[i]; ++i) hash = (hash ^ Folded(static_cast<unsigned char>(text[i]))) * 16777619u;
  length = i;
  return hash;
}

// Whether the two zero-terminated texts are equal with A-Z compared case-blind.
bool SameFolded(const char* symbol, const char* key) {
  for (;; ++symbol, ++key) {
    if (Folded(static_cast<unsigned char>(*symbol)) != Folded(static_cast<unsigned char>(*key))) return false;
    if (!*symbol) return true;
  }
}

constexpr int LongestStored = static_cast<int>(sizeof(PriceEntry::symbol)) - 1;

// Builds the index for the list as it stands; false when the host has no memory.
bool BuildPriceIndex() {
  uint64_t buckets = 64;
  while (buckets < uint64_t(priceList.count) * 2) buckets *= 2;
  uint64_t bytes = (buckets + uint64_t(priceList.count)) * sizeof(int32_t);
  void* block = bytes <= UINT32_MAX ? reallocMemory(nullptr, static_cast<uint32_t>(bytes)) : nullptr;
  priceIndex.entries = priceList.entries;
  priceIndex.count = priceList.count;
  if (!block) {
    priceIndex.unavailable = true;
    return false;
  }
  priceIndex.slots = static_cast<int32_t*>(block);
  priceIndex.bucketMask = static_cast<uint32_t>(buckets - 1);
  int32_t* heads = priceIndex.slots;
  int32_t* links = heads + buckets;
  for (uint64_t b = 0; b < buckets; ++b) heads[b] = EndOfChain;
  for (int32_t i = priceList.count - 1; i >= 0; --i) {  // from the back: chains in list order
    int length;
    uint32_t bucket = FoldedHash(priceList.entries[i].symbol, LongestStored, length) & priceIndex.bucketMask;
    links[i] = heads[bucket];
    heads[bucket] = i;
  }
  return true;
}

// FindPriceEntry without the index: the list searched from the front.
PriceEntry* FindLinear(const char* key) {
  for (int32_t i = 0; i < priceList.count; ++i) {
    PriceEntry& entry = priceList.entries[i];
    if (entry.status != StatusSymbolTooLong && SameFolded(entry.symbol, key)) return &entry;
  }
  return nullptr;
}

}  // namespace

void FreePriceIndex() {
  if (priceIndex.slots) freeMemory(priceIndex.slots);
  priceIndex = {};
}

PriceEntry* FindPriceEntry(const char* key) {
  if (priceList.count < SmallList) return FindLinear(key);
  if (priceIndex.entries != priceList.entries || priceIndex.count != priceList.count) {
    FreePriceIndex();
    BuildPriceIndex();
  }
  if (priceIndex.unavailable) return FindLinear(key);
  int length;
  uint32_t bucket = FoldedHash(key, LongestStored, length) & priceIndex.bucketMask;
  if (length > LongestStored) return nullptr;  // longer than any stored symbol
  const int32_t* links = priceIndex.slots + priceIndex.bucketMask + 1;
  for (int32_t i = priceIndex.slots[bucket]; i != EndOfChain; i = links[i]) {
    PriceEntry& entry = priceList.entries[i];
    if (entry.status != StatusSymbolTooLong && SameFolded(entry.symbol, key)) return &entry;
  }
  return nullptr;
}
