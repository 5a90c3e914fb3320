// Warehouse goods files and prices: 52289, 52311, 52278-52281, 52411.
// A goods file is a plain sequence of 769-byte records in the data folder. A cursor
// walks it record by record into the goods table's record buffer (the pointer at
// offset 8 of the descriptor the plug-in hands to 52278); a store writes the buffer
// back over exactly the record last fetched (goods_blocks.h reads and writes the file
// in blocks; it is complete when the cursor closes). A trailing partial record ends
// the walk and is never cut or rewritten. A price-change note waits for the store of its
// record and reaches the journal only when that store is carried out (price_journal.h).
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/goods_record.h"
#include "host/records.h"
#include "host/services.h"
#include "hostsim/base/data_folder.h"
#include "hostsim/base/host_files.h"
#include "hostsim/base/system_reason.h"
#include "hostsim/base/text.h"
#include "hostsim/base/transcript.h"
#include "hostsim/goods/goods_backup.h"
#include "hostsim/goods/goods_blocks.h"
#include "hostsim/goods/price_journal.h"
#include "hostsim/player/answers.h"
#include "hostsim/player/failure_plan.h"
#include "hostsim/screen/pass_status.h"
#include "hostsim/services/goods.h"
#include "hostsim/services/service_clock.h"
#include "hostsim/services/svc_messages.h"

namespace hostsim {

GoodsCounters goodsCounters;
std::set<int> failingStoreRecords;
std::map<int, double> vatRates;
std::vector<Conversion> conversions;

namespace {

constexpr uint32_t CursorMagic = 0x52554353;  // "SCUR": a cursor this stand-in opened

// What 52278 keeps in the plug-in's cursor (GoodsCursor).
struct CursorState {
  uint32_t magic;
  int32_t update;     // 1: stores allowed
  int32_t next;       // number of the record the next fetch reads
  int32_t current;    // number of the record in the buffer, -1 none
  GoodsBlocks* file;
  unsigned char* record;
};
static_assert(sizeof(CursorState) <= sizeof(GoodsCursor));

// The state kept in a cursor, copied out of and back into its bytes (no alignment assumed).
CursorState LoadCursor(const void* cursor) {
  CursorState s;
  std::memcpy(&s, cursor, sizeof s);
  return s;
}

void SaveCursor(void* cursor, const CursorState& s) { std::memcpy(cursor, &s, sizeof s); }

// Whether the cursor is one this stand-in opened and has not closed.
bool IsOpen(const CursorState& s) { return s.magic == CursorMagic && s.file; }

// Whether storing the cursor's record buffer would change the record last fetched.
bool StoreChangesRecord(const CursorState& s) {
  const unsigned char* was = GoodsBlockRecord(s.file, s.current);
  return !was || std::memcmp(was, s.record, GoodsRecordLength) != 0;
}

int32_t lastNamedWarehouse;  // the warehouse whose file name 52311 gave last

// Tells in the transcript what the host found at the open: no file, or one it could
// not open (the pass visits no record, and an update's run does nothing), or a
// trailing partial record (its bytes, which the walk leaves alone).
void ShowWhatTheOpenFound(const char* fileName, const GoodsBlocks* file, const std::string& why, bool update) {
  std::string name = BaseName(fileName ? fileName : "");
  if (!file) {
    bool missing = why == NoSuchFile;
    std::string text = missing ? why : "cannot open it" + std::string(update ? " for update: " : ": ") + why;
    Show("openTableFile", name.c_str(), (text + ": the pass visits no record").c_str(), 0);
    if (!update) return;
    if (missing) NoteRunDidNothing("warehouse " + std::to_string(lastNamedWarehouse) + " has no goods file (" + name + ")");
    else NoteRunDidNothing("the goods file " + name + " cannot be opened for update: " + why);
    return;
  }
  long bytes = GoodsFileBytes(file);
  long partial = bytes < 0 ? 0 : bytes % GoodsRecordLength;
  if (partial == 0) return;
  std::string text = "a partial trailing record of " + std::to_string(partial) + " bytes after " +
                     std::to_string(bytes / GoodsRecordLength) +
                     " whole records: the pass ends before it and leaves it as it is";
  Show("openTableFile", name.c_str(), text.c_str(), 0);
}

}  // namespace

std::string GoodsFileName(int warehouse, const std::string& prefix, const std::string& extension) {
  if (warehouse < 0) return "";
  return DataPath(prefix + std::to_string(warehouse) + extension);
}

void ResetGoods() {
  CloseOpenGoodsBlocks();
  goodsCounters = {};
  failingStoreRecords.clear();
  vatRates = DefaultVatRates;
  conversions.clear();
  ResetPriceJournal();
  ResetGoodsBackups();
}

void ApplyAnswersGoods() {
  const auto& rates = Answers("vat");
  if (!rates.empty()) vatRates.clear();
  for (const std::string& row : rates) {
    int code = 0;
    double percent = 0;
    if (std::sscanf(row.c_str(), "%d %lf", &code, &percent) == 2) vatRates[code] = percent / 100.0;
  }
  for (const std::string& row : Answers("fail_store")) failingStoreRecords.insert(std::atoi(row.c_str()) - 1);
}

}  // namespace hostsim

using namespace hostsim;

extern "C" {

// The warehouse's goods file name, cut to the 256-byte buffer.
void tableFileName(int warehouse, char* buffer, const char* prefix, const char* extension, int) {
  if (!buffer) return;
  lastNamedWarehouse = warehouse;
  std::string name = GoodsFileName(warehouse, prefix ? prefix : "", extension ? extension : "");
  std::snprintf(buffer, 256, "%s", name.c_str());
}

// 1 when the file opened (for update: read and write); 0 otherwise (also when the
// failure plan fails the call), and the cursor is then marked so that fetches end at
// once and the close does nothing.
static int OpenTableFileUntimed(void* cursor, void* table, const char* fileName, int update) {
  bool planned = CallFails(FailingService::TableOpen);
  if (!cursor) return 0;
  if (planned) {
    SaveCursor(cursor, CursorState{});
    ++goodsCounters.failedOpens;
    if (update) NoteRunDidNothing("the host did not open the goods file (the failure plan fails 52278)");
    return 0;
  }
  CursorState s{};
  s.current = -1;
  if (table) std::memcpy(&s.record, static_cast<char*>(table) + GoodsTableRecordBufferOffset, sizeof s.record);
  std::string why;
  if (table && s.record && fileName && *fileName) {
    s.file = OpenGoodsBlocks(fileName, update != 0, why);
    ShowWhatTheOpenFound(fileName, s.file, why, update != 0);
  } else if (update && fileName && !*fileName) {
    NoteRunDidNothing("warehouse " + std::to_string(lastNamedWarehouse) + " has no goods file");
  }
  if (!s.file) {
    SaveCursor(cursor, CursorState{});
    ++goodsCounters.failedOpens;
    return 0;
  }
  s.magic = CursorMagic;
  s.update = update ? 1 : 0;
  SaveCursor(cursor, s);
  DropPriceNote();
  if (s.update) StartJournalRun(fileName);
  PassStatusOpened(fileName, s.update != 0);
  ++goodsCounters.opens;
  ++goodsCounters.openCursors;
  return 1;
}

// 1 with the next whole record in the record buffer; 0 at the end, at a trailing
// partial record, for a cursor that is not open, or when the failure plan fails the
// call (the cursor stays where it was).
static int NextRecordUntimed(void* cursor) {
  if (CallFails(FailingService::Fetch) || !cursor) return 0;
  CursorState s = LoadCursor(cursor);
  if (!IsOpen(s)) return 0;
  DropPriceNote();
  const unsigned char* record = GoodsBlockRecord(s.file, s.next);
  if (!record) return 0;
  std::memcpy(s.record, record, GoodsRecordLength);
  s.current = s.next++;
  SaveCursor(cursor, s);
  ++goodsCounters.fetches;
  PassStatusFetched();
  return 1;
}

// Writes the record buffer over the record last fetched; 1 when accepted (on disk it
// reaches the file by the close at the latest). The held note of the record is
// journaled only then. The first store of a run that is carried out and changes its
// record is preceded by the run's backup (goods_backup.h).
static int StoreRecordUntimed(void* cursor) {
  ++goodsCounters.stores;
  bool planned = CallFails(FailingService::Store);
  CursorState s = cursor ? LoadCursor(cursor) : CursorState{};
  bool possible = IsOpen(s) && s.update && s.current >= 0 && !planned && !failingStoreRecords.count(s.current);
  if (possible && StoreChangesRecord(s)) BackUpBeforeStore(s.file, GoodsBlocksName(s.file));
  if (!possible || !PutGoodsBlockRecord(s.file, s.current, s.record)) {
    DropPriceNote();
    ++goodsCounters.storesFailed;
    return 0;
  }
  ++goodsCounters.storesWritten;
  if (JournalStoredRecord(s.record)) ++goodsCounters.journalLines;
  return 1;
}

// Closes what 52278 opened; a cursor that did not open is left alone. Stores that did
// not reach the file are named in the transcript with the system's reason. The run of
// an update cursor is recorded as it left the file (goods_backup.h).
static void CloseTableFileUntimed(void* cursor) {
  ++goodsCounters.closes;
  DropPriceNote();
  if (!cursor) return;
  CursorState s = LoadCursor(cursor);
  if (!IsOpen(s)) return;
  std::string name = BaseName(GoodsBlocksName(s.file)), why;
  if (!CloseGoodsBlocks(s.file, why)) {
    std::string text = "the stores could not all be written: " + why;
    Show("closeTableFile", name.c_str(), text.c_str(), 0);
  }
  FinishGoodsRun(s.file);
  PassStatusClosed();
  --goodsCounters.openCursors;
  SaveCursor(cursor, CursorState{});
}

// GrossToNet: price / (1 + rate); NetToGross: price * (1 + rate) (host/goods_record.h).
// Unrounded; any other mode gives the price back. A call that the failure plan fails
// gives NaN, or infinity or minus infinity as the plan's variant says.
double convertNetGross(int mode, int16_t vatCode, double price) {
  conversions.push_back({mode, vatCode, price});
  if (CallFails(FailingService::Conversion)) {
    int variant = PlanOf(FailingService::Conversion).variant;
    if (variant == ConversionInfinity) return HUGE_VAL;
    if (variant == ConversionMinusInfinity) return -HUGE_VAL;
    return std::nan("");
  }
  auto it = vatRates.find(vatCode);
  double rate = it == vatRates.end() ? 0.0 : it->second;
  if (mode == GrossToNet) return price / (1.0 + rate);
  if (mode == NetToGross) return price * (1.0 + rate);
  return price;
}

// Holds the note until the store of the record (see StoreRecordUntimed).
static void NotePriceChangeUntimed(void* record, const void* before, const char* text) {
  ++goodsCounters.notes;
  HoldPriceNote(record, before, text);
}

// The file services as the host offers them: the work above, timed for the benchmark.
int openTableFile(void* cursor, void* table, int, const char* fileName, int update, int) {
  int64_t start = ServiceTimeStart();
  int opened = OpenTableFileUntimed(cursor, table, fileName, update);
  ServiceTimeEnd(start);
  return opened;
}

int nextRecord(void* cursor) {
  int64_t start = ServiceTimeStart();
  int fetched = NextRecordUntimed(cursor);
  ServiceTimeEnd(start);
  return fetched;
}

int storeRecord(void* cursor) {
  int64_t start = ServiceTimeStart();
  int stored = StoreRecordUntimed(cursor);
  ServiceTimeEnd(start);
  return stored;
}

void closeTableFile(void* cursor) {
  int64_t start = ServiceTimeStart();
  CloseTableFileUntimed(cursor);
  ServiceTimeEnd(start);
}

void notePriceChange(void* record, const void* before, int, int, const char* text) {
  int64_t start = ServiceTimeStart();
  NotePriceChangeUntimed(record, before, text);
  ServiceTimeEnd(start);
}

}  // extern "C"
