#include <cmath>
#include <cstring>

#include "host/arguments.h"
#include "host/goods_record.h"
#include "host/mazovia.h"
#include "host/records.h"
#include "host/services.h"
#include "reprice/goods_table.h"
#include "reprice/options.h"
#include "reprice/price_list.h"
#include "reprice/report_line.h"
#include "reprice/warehouse.h"

namespace {

constexpr int CopiedNameLimit = 120;

// One pass over a warehouse: the cursor, the file's name and the host's record buffer.
struct Pass {
  GoodsCursor cursor;
  char fileName[256];
  GoodsRecord* record;  // read from the descriptor right after opening, kept for the pass
  bool opened;
};

// Names the warehouse's goods file and opens a cursor over it (update: records may be
// stored). A pass that did not open, or got no record buffer, visits no record but is
// still closed. goodsTable must not be null.
void OpenPass(Pass& pass, int32_t warehouse, int update) {
  tableFileName(warehouse, pass.fileName, "MMM", ".MGR", TableFileNameKind);
  pass.opened = openTableFile(&pass.cursor, goodsTable, OpenTableFileKind, pass.fileName, update, ReservedArgument) != 0;
  std::memcpy(&pass.record, static_cast<const char*>(goodsTable) + GoodsTableRecordBufferOffset,
              sizeof pass.record);
  if (!pass.record) pass.opened = false;
}

// Fetches the next goods record into the record buffer; false at the end (or on failure).
bool NextRecord(Pass& pass) { return pass.opened && nextRecord(&pass.cursor) == 1; }

// Copies a text field of size bytes into text (size + 1 bytes), terminated even when
// the host's field lacks its NUL, so nothing reads past the field.
const char* FieldText(char* text, const char* field, std::size_t size) {
  std::size_t n = strnlen(field, size);
  std::memcpy(text, field, n);
  text[n] = 0;
  return text;
}

// The entry that identifies the record by the field the user chose (1 index, 2 remarks,
// anything else the symbol); null when none does.
PriceEntry* IdentifiedEntry(const GoodsRecord& r) {
  char key[sizeof r.remarks + 1];
  switch (repricingOptions.identifyBy) {
    case IdentifyByIndex:
      return FindPriceEntry(FieldText(key, r.index, sizeof r.index));
    case IdentifyByRemarks:
      return FindPriceEntry(FieldText(key, r.remarks, sizeof r.remarks));
    default:
      return FindPriceEntry(FieldText(key, r.symbol, sizeof r.symbol));
  }
}

// Puts the entry's price into the record as its gross (gross nonzero) or net price and
// the host's conversion of the entry's own, unrounded price as the other, both rounded
// by the host; copies the entry's name when names are copied.
void ApplyEntry(GoodsRecord& r, const PriceEntry& e, int32_t gross) {
  double p = e.price;
  if (gross) {
    r.grossPrice = roundAmount(p, PriceRoundingStep);
    r.netPrice = roundAmount(convertNetGross(GrossToNet, r.vatCode, p), PriceRoundingStep);
  } else {
    r.netPrice = roundAmount(p, PriceRoundingStep);
    r.grossPrice = roundAmount(convertNetGross(NetToGross, r.vatCode, p), PriceRoundingStep);
  }
  if (repricingOptions.copyName) copyText(r.name, e.name, CopiedNameLimit);
}

// Equal within PriceTolerance, both bounds exclusive; a NaN difference is a change.
bool SamePrice(double a, double b) {
  double d = a - b;
  return d > -PriceTolerance && d < PriceTolerance;
}

// Both new prices are numbers a goods record can hold: a price file's huge number, or
// the host's conversion, can give infinity or NaN, which must never reach the file.
bool FinitePrices(const GoodsRecord& r) { return std::isfinite(r.netPrice) && std::isfinite(r.grossPrice); }

// With names copied, whether the name the record holds differs from the one the entry
// gives it (as the bounded copy makes it, in expected): a store that did not happen.
// The stored name may lack its terminator; the comparison stays within the field.
bool NameNotStored(const GoodsRecord& stored, const GoodsRecord& expected) {
  return repricingOptions.copyName && std::strncmp(stored.name, expected.name, sizeof stored.name) != 0;
}

// Hands the record as it is now and as it was before to the host's price-change journal.
void NotePriceChange(GoodsRecord& r, const GoodsRecord& snapshot) {
  notePriceChange(&r, &snapshot, ReservedArgument, NotePriceChangeKind, Mz("Przecena wtyczką: PRZECENA"));
}

// "Mag:<warehouse> <text, 25 wide><tail>" appended to INFO3.TXT.
void AppendInfo3(int32_t warehouse, const char* text, const char* tail) {
  AppendWarehouseLine(ReportInfo3, warehouse, text, tail);
}

// The record an entry with an unusable price identified: it keeps every byte, nothing
// is noted or converted for it, and its INFO3.TXT line shows its net price as it stays.
void RefuseBadPrice(const GoodsRecord& r, PriceEntry& e, int32_t warehouse) {
  e.status = StatusBadPrice;
  LinePiece tail;
  PutText(tail, " - ");
  PutPrice(tail, r.netPrice, 10);
  PutText(tail, Mz(" Błędna cena w pliku TOWARY.TXT"));
  AppendInfo3(warehouse, e.symbol, tail.text);
}

// One goods record of the update pass.
void UpdateRecord(Pass& pass, int32_t warehouse, int32_t gross) {
  GoodsRecord& r = *pass.record;
  PriceEntry* e = IdentifiedEntry(r);
  LinePiece tail;
  if (!e) {
    char remarks[sizeof r.remarks + 1];
    PutText(tail, " - ");
    PutPrice(tail, r.netPrice, 10);
    PutText(tail, " Brak w pliku TOWARY.TXT");
    AppendInfo3(warehouse, FieldText(remarks, r.remarks, sizeof r.remarks), tail.text);
    return;
  }
  if (e->badPrice) {
    RefuseBadPrice(r, *e, warehouse);
    return;
  }
  e->status = StatusRepriced;
  GoodsRecord snapshot;
  std::memcpy(&snapshot, &r, sizeof snapshot);
  ApplyEntry(r, *e, gross);
  bool finite = FinitePrices(r);
  if (finite) NotePriceChange(r, snapshot);  // no note of a change that is not made
  bool same = SamePrice(r.grossPrice, snapshot.grossPrice);
  PutText(tail, " - ");
  PutPrice(tail, snapshot.netPrice, 10);
  PutText(tail, "->");
  PutPrice(tail, r.netPrice, 10);
  PutText(tail, same ? "" : " zmiana ceny");
  AppendInfo3(warehouse, e->symbol, tail.text);
  if (!finite) {  // the record stays as it was, and the entry is reported as failed
    std::memcpy(&r, &snapshot, sizeof r);
    e->status = StatusChangeFailed;
    return;
  }
  if (same) {
    e->status = StatusSamePrice;
    if (!repricingOptions.copyName) return;  // nothing of the recomputation reaches the file
  }
  storeRecord(&pass.cursor);
}

// One goods record of the check pass: recomputes into the buffer, never stores.
void CheckRecord(Pass& pass, int32_t gross) {
  GoodsRecord& r = *pass.record;
  PriceEntry* e = IdentifiedEntry(r);
  if (!e || e->badPrice) return;  // an unusable price was never applied: nothing to check
  e->checked = true;
  // A failure found at an earlier record of the same key stays: a later record that
  // holds its price must not report the failed store as a success.
  if (e->status != StatusSamePrice && e->status != StatusChangeFailed) e->status = StatusRepriced;
  GoodsRecord snapshot;
  std::memcpy(&snapshot, &r, sizeof snapshot);
  ApplyEntry(r, *e, gross);
  bool finite = FinitePrices(r);
  if (finite) NotePriceChange(r, snapshot);
  // Prices that are no numbers were never stored: failed, even when the gross price
  // alone looks unchanged and a later record of the key was repriced. A same price
  // stored only for its name fails when the name did not arrive.
  if (!finite || !SamePrice(r.grossPrice, snapshot.grossPrice) || NameNotStored(snapshot, r))
    e->status = StatusChangeFailed;
}

// An entry whose record the update pass stored (repriced, or its name copied) but the
// check pass never read - the goods file did not open again or its walk ended early -
// is not confirmed, and is reported as failed rather than as done.
void ReportUnconfirmed(PriceEntry& e) {
  if (e.checked) return;
  bool stored = e.status == StatusRepriced || (e.status == StatusSamePrice && repricingOptions.copyName);
  if (stored) e.status = StatusChangeFailed;
}

}  // namespace

int32_t UpdateWarehousePrices(int32_t warehouse, int32_t gross) {
  if (!goodsTable) return 0;  // no goods table from the host: no record is touched
  Pass pass{};
  OpenPass(pass, warehouse, 1);
  while (NextRecord(pass)) UpdateRecord(pass, warehouse, gross);
  closeTableFile(&pass.cursor);
  return 0;
}

int32_t CheckWarehousePrices(int32_t warehouse, int32_t gross) {
  if (!goodsTable) return 0;
  for (int32_t i = 0; i < priceList.count; ++i) priceList.entries[i].checked = false;
  Pass pass{};
  OpenPass(pass, warehouse, 0);
  while (NextRecord(pass)) CheckRecord(pass, gross);
  closeTableFile(&pass.cursor);
  for (int32_t i = 0; i < priceList.count; ++i) ReportUnconfirmed(priceList.entries[i]);
  return 0;
}
