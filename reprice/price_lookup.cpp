// Finding a price entry by key: the first entry in list order whose symbol equals the
// key with A-Z compared case-blind. Large lists are searched through a hash index of
// compact slots (a symbol's hash and its entry number side by side, eight to a cache
// line, open addressing with linear probing); when the host has no memory for the
// index the list is searched from the front instead.
//
// Price files are mostly exported in the order of the goods file, so a lookup first
// tries the entry after the one it found last. That entry is the answer when its symbol
// is the key and no earlier entry has the same symbol (the index marks such entries
// `shadowed` as it is built); then no probe into the index is needed, whose slots are
// spread over the whole index and rarely in the cache.
#include <cstdint>

#include "host/services.h"
#include "reprice/price_index.h"
#include "reprice/price_list.h"

namespace {

// Below this many entries a front-to-back search is as quick as building an index.
constexpr int32_t SmallList = 64;
constexpr int32_t EmptySlot = -1;

// One slot of the index: a lookup compares the hash and reads the entry only when
// the hashes agree.
struct IndexSlot {
  uint32_t hash;  // FoldedHash of the entry's symbol
  int32_t entry;  // its position in the list, EmptySlot when the slot is free
};
static_assert(sizeof(IndexSlot) == 8);
constexpr uint32_t CacheLine = 64;
constexpr uint32_t SlotsPerLine = CacheLine / sizeof(IndexSlot);

struct PriceIndex {
  void* block;                // host memory holding the slots, null when none
  IndexSlot* slots;           // the slots, from the first cache line boundary of block
  uint32_t slotCount;         // a multiple of SlotsPerLine, about 1.5 per entry
  const PriceEntry* entries;  // the list the index was built for
  int32_t count;              // and its entry count
  int32_t lastFound;          // the entry the last lookup found, -1 when none
  bool unavailable;           // no memory for this list: search linearly
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

// The slot where the probe for hash starts: the hash scaled to the slot count.
uint32_t HomeSlot(uint32_t hash) { return static_cast<uint32_t>((uint64_t{hash} * priceIndex.slotCount) >> 32); }

// Enters entry `entry` of hash `hash` into the index, or marks it shadowed when an
// earlier entry of its probe path has the same symbol.
void InsertEntry(uint32_t hash, int32_t entry) {
  PriceEntry& e = priceList.entries[entry];
  uint32_t s = HomeSlot(hash);
  for (; priceIndex.slots[s].entry != EmptySlot; s = s + 1 == priceIndex.slotCount ? 0 : s + 1) {
    const IndexSlot slot = priceIndex.slots[s];
    if (slot.hash == hash && SameFolded(priceList.entries[slot.entry].symbol, e.symbol)) {
      e.shadowed = true;  // the earlier entry is the one every lookup finds
      return;
    }
  }
  priceIndex.slots[s] = {hash, entry};
}

// Entries go into the index this many at a time: first their hashes, each with a
// prefetch of its home slot, then the insertions, whose slots have arrived meanwhile;
// one by one, every insertion would wait for its own cache miss.
constexpr int32_t InsertBatch = 16;

// Builds the index for the list as it stands; false when the host has no memory. The
// entries go in in list order, so of two equal symbols the earlier one is entered and
// the later one marked shadowed. Entries in StatusSymbolTooLong never match and are
// left out. One and a half slots per entry, less one cache line, keep the index within
// 12 bytes per entry, its alignment included.
bool BuildPriceIndex() {
  uint64_t slotCount = (uint64_t(priceList.count) * 3 / 2) / SlotsPerLine * SlotsPerLine - SlotsPerLine;
  uint64_t bytes = slotCount * sizeof(IndexSlot) + CacheLine - 1;
  void* block = bytes <= UINT32_MAX ? reallocMemory(nullptr, static_cast<uint32_t>(bytes)) : nullptr;
  priceIndex.entries = priceList.entries;
  priceIndex.count = priceList.count;
  priceIndex.lastFound = -1;
  if (!block) {
    priceIndex.unavailable = true;
    return false;
  }
  priceIndex.block = block;
  uintptr_t first = (reinterpret_cast<uintptr_t>(block) + CacheLine - 1) & ~uintptr_t{CacheLine - 1};
  priceIndex.slots = reinterpret_cast<IndexSlot*>(first);
  priceIndex.slotCount = static_cast<uint32_t>(slotCount);
  for (uint32_t s = 0; s < priceIndex.slotCount; ++s) priceIndex.slots[s] = {0, EmptySlot};
  uint32_t hashes[InsertBatch];
  for (int32_t start = 0; start < priceList.count; start += InsertBatch) {
    int32_t end = start + InsertBatch < priceList.count ? start + InsertBatch : priceList.count;
    for (int32_t i = start; i < end; ++i) {
      int length;
      hashes[i - start] = FoldedHash(priceList.entries[i].symbol, LongestStored, length);
      __builtin_prefetch(&priceIndex.slots[HomeSlot(hashes[i - start])], 1);
    }
    for (int32_t i = start; i < end; ++i)
      if (priceList.entries[i].status != StatusSymbolTooLong) InsertEntry(hashes[i - start], i);
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

// Whether entry is the one a lookup of key finds: its symbol is the key and it is the
// first entry of that symbol. Entries in StatusSymbolTooLong never are.
bool IsFoundBy(const PriceEntry& entry, const char* key) {
  return entry.status != StatusSymbolTooLong && !entry.shadowed && SameFolded(entry.symbol, key);
}

// The lookup through the index; null when no entry has the key.
PriceEntry* FindIndexed(const char* key) {
  int32_t next = priceIndex.lastFound + 1;
  if (next < priceList.count && IsFoundBy(priceList.entries[next], key)) {
    priceIndex.lastFound = next;
    return &priceList.entries[next];
  }
  int length;
  uint32_t hash = FoldedHash(key, LongestStored, length);
  if (length > LongestStored) return nullptr;  // longer than any stored symbol
  // The slots hold fewer entries than there are slots, so every probe meets a free one.
  for (uint32_t s = HomeSlot(hash);; s = s + 1 == priceIndex.slotCount ? 0 : s + 1) {
    const IndexSlot slot = priceIndex.slots[s];
    if (slot.entry == EmptySlot) return nullptr;
    if (slot.hash != hash) continue;
    // No entry in StatusSymbolTooLong has a slot; an equal hash may still be another symbol.
    PriceEntry& entry = priceList.entries[slot.entry];
    if (SameFolded(entry.symbol, key)) {
      priceIndex.lastFound = slot.entry;
      return &entry;
    }
  }
}

}  // namespace

void FreePriceIndex() {
  if (priceIndex.block) freeMemory(priceIndex.block);
  priceIndex = {};
}

PriceEntry* FindPriceEntry(const char* key) {
  if (priceList.count < SmallList) return FindLinear(key);
  if (priceIndex.entries != priceList.entries || priceIndex.count != priceList.count) {
    FreePriceIndex();
    BuildPriceIndex();
  }
  return priceIndex.unavailable ? FindLinear(key) : FindIndexed(key);
}
