// The price-change journal: notes held until their store, one header line per update
// pass, one line per stored change.
#include "hostsim/goods/price_journal.h"

#include "host/mazovia.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <optional>

#include "host/goods_record.h"
#include "hostsim/base/data_folder.h"
#include "hostsim/base/host_files.h"
#include "hostsim/base/settings_file.h"
#include "hostsim/base/text.h"

namespace hostsim {

namespace {

// The note waiting for its store.
struct HeldNote {
  bool held;
  const void* record;
  unsigned char before[GoodsRecordLength];
  std::string text;
};
HeldNote note;
long long lastRunStart;  // offset of the last run's header

// Local date and time as "YYYY-MM-DD HH:MM:SS".
std::string LocalClock() {
  std::time_t now = std::time(nullptr);
  std::tm* local = std::localtime(&now);
  char text[32] = "";
  if (local) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local);
  return text;
}

// A record's text field as a string, up to its terminator or the field's end.
std::string FieldString(const unsigned char* record, GoodsField field) {
  const char* text = reinterpret_cast<const char*>(record + field.offset);
  return std::string(text, strnlen(text, field.size));
}

// A record's price field, read bytewise.
double ReadDouble(const unsigned char* record, GoodsField field) {
  double d;
  static_assert(sizeof d == GoodsNetPrice.size && sizeof d == GoodsGrossPrice.size);
  std::memcpy(&d, record + field.offset, sizeof d);
  return d;
}

// GoodsFileWarehouse of a name without its folder.
std::string WarehouseOf(const std::string& base) {
  if (base.size() < 8) return "?";
  std::string digits = base.substr(3, base.size() - 7);
  bool named = true;
  for (std::size_t i = 0; i < 3; ++i) named = named && (base[i] == 'M' || base[i] == 'm');
  std::string tail = base.substr(base.size() - 4);
  for (char& c : tail) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  named = named && tail == ".MGR" && !digits.empty();
  for (char c : digits) named = named && c >= '0' && c <= '9';
  return named ? digits : "?";
}

// One line of the stored change, "" when nothing of net, gross or name changed.
std::string ChangeLine(const unsigned char* was, const unsigned char* now, const std::string& text) {
  bool nameChanged = FieldString(now, GoodsName) != FieldString(was, GoodsName);
  double oldNet = ReadDouble(was, GoodsNetPrice), newNet = ReadDouble(now, GoodsNetPrice);
  double oldGross = ReadDouble(was, GoodsGrossPrice), newGross = ReadDouble(now, GoodsGrossPrice);
  if (!nameChanged && oldNet == newNet && oldGross == newGross) return "";
  char prices[160];
  std::snprintf(prices, sizeof prices, "; netto %.2f -> %.2f; brutto %.2f -> %.2f", oldNet / 10000.0,
                newNet / 10000.0, oldGross / 10000.0, newGross / 10000.0);
  std::string line = text + ": " + FieldString(now, GoodsSymbol) + prices;
  if (nameChanged) line += "; nazwa " + FieldString(was, GoodsName) + " -> " + FieldString(now, GoodsName);
  return line + "\r\n";
}

}  // namespace

std::string (*journalClock)() = LocalClock;

void StartJournalRun(const std::string& goodsFile) {
  std::string base = BaseName(goodsFile);
  std::string line = "--- " + journalClock() + "; magazyn " + GoodsFileWarehouse(base) + " (" + base + ")";
  std::optional<std::string> priceFile = StoredSetting("Przecena", "Path");
  if (priceFile && !priceFile->empty()) line += "; plik cen " + *priceFile;
  lastRunStart = std::max(HostFileBytes(DataPath(PriceJournalName)), 0LL);
  AppendHostFile(DataPath(PriceJournalName), line + "\r\n");
}

long long LastJournalRunStart() { return lastRunStart; }

void HoldPriceNote(const void* record, const void* before, const char* text) {
  note.held = record && before;
  note.record = record;
  if (note.held) std::memcpy(note.before, before, GoodsRecordLength);
  note.text = text ? text : "";
}

bool JournalStoredRecord(const void* record) {
  bool ours = note.held && note.record == record;
  note.held = false;
  if (!ours) return false;
  std::string line = ChangeLine(note.before, static_cast<const unsigned char*>(record), note.text);
  return !line.empty() && AppendHostFile(DataPath(PriceJournalName), line);
}

void JournalUndo(const std::string& goodsFile, const std::string& runTime, const std::string& backup,
                 const std::string& current, const std::string& restored) {
  std::string base = BaseName(goodsFile);
  std::string journal = "--- " + journalClock() + "; magazyn " + GoodsFileWarehouse(base) + " (" + base + "); " +
                        Mz("cofnięcie przebiegu z ") + runTime + " (kopia " + backup + ")\r\n";
  std::size_t records = std::min(current.size(), restored.size()) / GoodsRecordLength;
  for (std::size_t i = 0; i < records; ++i) {
    const auto* was = reinterpret_cast<const unsigned char*>(current.data() + i * GoodsRecordLength);
    const auto* now = reinterpret_cast<const unsigned char*>(restored.data() + i * GoodsRecordLength);
    journal += ChangeLine(was, now, Mz("Cofnięcie przebiegu"));
  }
  AppendHostFile(DataPath(PriceJournalName), journal);
}

std::string GoodsFileWarehouse(const std::string& goodsFile) { return WarehouseOf(BaseName(goodsFile)); }

void DropPriceNote() { note.held = false; }

void ResetPriceJournal() {
  note.held = false;
  lastRunStart = 0;
  journalClock = LocalClock;
}

}  // namespace hostsim
