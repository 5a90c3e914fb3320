// The price list: one entry per accepted line of the price file, in file order.
// Its memory comes from the host (21286/21287); it is empty before and after a run.
#pragma once
#include <cstdint>

// Prices are doubles in ten-thousandths of the currency unit.
inline constexpr double PriceScale = 10000.0;
// The step of the host's rounding (52179) for every price it is given: whole hundredths.
inline constexpr int PriceRoundingStep = 100;
// Two prices are equal when they differ by less than this (both bounds exclusive).
inline constexpr double PriceTolerance = 0.00001;

enum PriceStatus : int32_t {
  StatusNotFound = 0,       // no goods record matched the entry
  StatusRepriced = 1,       // a goods record matched and was repriced
  StatusSamePrice = 2,      // the new gross price equals the old one
  StatusSymbolTooLong = 3,  // field 0 longer than 25 characters; never matches
  StatusChangeFailed = 4,   // the stored record does not hold the expected price
  StatusBadPrice = 5,       // matched, but its price is unusable: nothing was applied
};

struct PriceEntry {
  char name[121];   // field 1, at most 119 characters
  double price;     // field 4 times PriceScale, rounded by the host
  char symbol[30];  // field 0, at most 25 characters (a too-long one: its first 24)
  int32_t status;   // a PriceStatus
  bool badPrice;    // field 4 held no number, or one below zero: never applied
  bool checked;     // the check pass found a goods record of this entry
  bool shadowed;    // an earlier entry has the same symbol, A-Z case-blind: never found
                    // (marked when the lookup's index is built)
};

struct PriceList {
  PriceEntry* entries;  // host memory, null when nothing is allocated
  int32_t capacity;     // records allocated, a multiple of 1000
  int32_t count;        // records in use
};

extern PriceList priceList;

enum class ReadResult { Read, CannotOpen, OutOfMemory };

// Fills the empty price list from the file at path (text mode). Read also when the
// host's interruption check stopped the reading. OutOfMemory: "Za mało pamięci" was
// shown, the file closed and the list cleared.
ReadResult ReadPriceFile(const char* path);

// Copies field k (from 0) of line into out (256 bytes); 0 when the field exists,
// 1 when it does not. Turns every CR and LF of line into a TAB, in place.
int GetLineField(int k, char* line, char* out);

// Replaces every comma of text by a full stop, in place.
void CommaToPoint(char* text);

// The fields of line that make it an entry, each into its buffer of 256 bytes: 0 the
// symbol, 4 the price, 1 the name; false when one of them does not exist (the line is
// then skipped). Changes the line as GetLineField does.
bool EntryFields(char* line, char* symbol, char* priceText, char* name);

// The price field's number in ten-thousandths, before the host's rounding, its commas
// read as full stops (CommaToPoint, in place). noPrice: the field held no number, or
// one below zero, which no goods record may take.
double PriceFieldValue(char* priceText, bool& noPrice);

// Appends one entry; 0 when added, 1 when memory ran out (list unchanged, message shown).
// badPrice marks a price the file did not give as a number of zero or more: the entry
// still matches goods records, but the passes never apply it.
int AddPriceEntry(double price, const char* name, const char* symbol, bool badPrice = false);

// The first entry whose symbol equals key, A-Z compared case-blind, skipping entries
// in StatusSymbolTooLong; null if none.
PriceEntry* FindPriceEntry(const char* key);

// Gives the array back to the host and empties the list.
void ClearPriceList();
