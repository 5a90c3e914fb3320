// The report step after both passes and the summary that closes a run.
#pragma once
#include <cstdint>

// The five numbers of the summary.
struct RunCounters {
  int32_t entriesRead;        // entries in the price list
  int32_t unidentifiedCount;  // StatusNotFound
  int32_t tooLongCount;       // StatusSymbolTooLong
  int32_t changeErrorCount;   // StatusChangeFailed and StatusBadPrice
  int32_t samePriceCount;     // StatusSamePrice
};

// With the wait message on screen, writes every entry's "INFO4.TXT" line and the line
// its status calls for in "INFO2.TXT" or "INFO.TXT", and counts the statuses. Changes
// no entry; call it before the list is cleared.
RunCounters WriteReports(int32_t warehouse);

// Shows the summary message with the five counters.
void ShowSummary(const RunCounters& counters);

// True when the run shows "INFO.TXT" after the summary: some entry missing from the
// warehouse or with an unchanged price.
bool ShowsInfoFile(const RunCounters& counters);
