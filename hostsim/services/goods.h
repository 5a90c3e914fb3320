// The stand-in's warehouse goods files, net/gross conversion and price-change journal
// (host services 52278-52281, 52289, 52311, 52411), with what tests configure and read.
#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "host/goods_record.h"  // GoodsRecordLength, the bytes of a record of a goods file
#include "hostsim/goods/price_journal.h"  // the journal the stores write
#include "hostsim/goods/vat_rates.h"      // DefaultVatRates

namespace hostsim {

// What the goods services did since the last reset.
struct GoodsCounters {
  int opens;          // 52278 calls that opened a file
  int failedOpens;    // 52278 calls that did not
  int openCursors;    // opened and not yet closed
  int closes;         // 52281 calls
  int fetches;        // 52279 calls that gave a record
  int stores;         // 52280 calls
  int storesWritten;  // stores that reached the file
  int storesFailed;   // stores refused (planned to fail, refused record, read-only cursor, no record)
  int notes;          // 52411 calls
  int journalLines;   // change lines journaled (a noted record whose store was carried out)
};
extern GoodsCounters goodsCounters;

// Records whose stores the host refuses, as it does a record another workstation
// holds (numbers from 0 in file order). Which calls of the services fail is the
// failure plan's (player/failure_plan.h).
extern std::set<int> failingStoreRecords;

// VAT code -> rate (0.23 for 23%); a code that is not in the table has rate 0.
extern std::map<int, double> vatRates;


// Every call of 52289, in order.
struct Conversion {
  int mode;      // 1 gross to net, 2 net to gross
  int vatCode;
  double price;  // as the plug-in passed it
};
extern std::vector<Conversion> conversions;


// The goods file of a warehouse as 52311 names it ("MMM", number, ".MGR" in the data
// folder); a negative warehouse has no file, so the name is empty.
std::string GoodsFileName(int warehouse, const std::string& prefix = "MMM",
                          const std::string& extension = ".MGR");

// Back to the defaults: counters zero, no failing store, VAT 1: 23%, 2: 8%, 3: 5%, 4: 0%,
// no held price-change note, the journal's real clock, no open run, 10 backups kept.
void ResetGoods();

// Takes the keys "vat" ("code percent", one value per code; they replace the default
// table) and "fail_store" (record numbers from 1) from the answers file.
void ApplyAnswersGoods();

}  // namespace hostsim
