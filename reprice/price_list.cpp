// Growing and emptying the price list; its memory belongs to the host.
#include <cstdint>
#include <cstring>

#include "host/mazovia.h"
#include "host/services.h"
#include "reprice/price_index.h"
#include "reprice/price_list.h"

namespace {

constexpr int32_t GrowthStep = 1000;
constexpr int MessageOrdinary = 1;

// Symbols up to this length are stored whole; longer ones are marked too long and
// kept as their first TooLongKept characters for the reports.
constexpr std::size_t LongestSymbol = 25;
constexpr int TooLongKept = 24;
constexpr int LongestName = 119;
static_assert(sizeof(PriceEntry::symbol) > LongestSymbol);
static_assert(sizeof(PriceEntry::name) > LongestName);
// The flags live in what was the record's padding: a million entries stay 176 MB.
static_assert(sizeof(PriceEntry) == 176);

// Room for GrowthStep more records from the host. False, with the list unchanged,
// when the host has no memory or the new size would not fit its 32-bit size.
bool Grow() {
  int64_t capacity = int64_t{priceList.capacity} + GrowthStep;
  uint64_t bytes = static_cast<uint64_t>(capacity) * sizeof(PriceEntry);
  // Within 32 bits of bytes, the capacity stays within 32 bits as well.
  static_assert(sizeof(PriceEntry) > 1);
  if (bytes > UINT32_MAX) return false;
  void* block = reallocMemory(priceList.entries, static_cast<uint32_t>(bytes));
  if (!block) return false;
  priceList.entries = static_cast<PriceEntry*>(block);
  priceList.capacity = static_cast<int32_t>(capacity);
  return true;
}

}  // namespace

int AddPriceEntry(double price, const char* name, const char* symbol, bool badPrice) {
  if (priceList.count >= priceList.capacity && !Grow()) {
    messageBox(Mz("uwaga"), Mz("Za mało pamięci"), MessageOrdinary);
    return 1;
  }
  PriceEntry& entry = priceList.entries[priceList.count];
  bool tooLong = std::strlen(symbol) > LongestSymbol;
  entry.price = price;
  copyText(entry.name, name, LongestName);
  copyText(entry.symbol, symbol, tooLong ? TooLongKept : static_cast<int>(LongestSymbol));
  entry.status = tooLong ? StatusSymbolTooLong : StatusNotFound;
  entry.badPrice = badPrice;
  entry.checked = false;
  entry.shadowed = false;
  ++priceList.count;
  return 0;
}

void ClearPriceList() {
  FreePriceIndex();
  if (priceList.entries) freeMemory(priceList.entries);
  priceList.entries = nullptr;
  priceList.capacity = 0;
  priceList.count = 0;
}
