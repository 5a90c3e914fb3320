// Goods files compared record by record through the record layout the passes use.
#include "hostsim/goods/goods_diff.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "host/goods_record.h"
#include "hostsim/base/charset.h"

namespace hostsim {

namespace {

enum class Kind { Text, Vat, Price };

// A named field of the record: its label, where it lies, how it reads.
struct Field {
  const char* label;
  std::size_t offset, size;
  Kind kind;
};

#define GOODS_FIELD(label, member, kind) {label, offsetof(GoodsRecord, member), sizeof(GoodsRecord::member), kind}
constexpr Field Fields[] = {
    GOODS_FIELD("symbol", symbol, Kind::Text),    GOODS_FIELD("index", index, Kind::Text),
    GOODS_FIELD("name", name, Kind::Text),        GOODS_FIELD("vat", vatCode, Kind::Vat),
    GOODS_FIELD("net", netPrice, Kind::Price),    GOODS_FIELD("gross", grossPrice, Kind::Price),
    GOODS_FIELD("remarks", remarks, Kind::Text),
};
#undef GOODS_FIELD

constexpr std::size_t RecordLength = sizeof(GoodsRecord);

// Whether byte `at` of a record lies in a named field.
bool InNamedField(std::size_t at) {
  for (const Field& f : Fields)
    if (at >= f.offset && at < f.offset + f.size) return true;
  return false;
}

// A text field in UTF-8 and in double quotes, up to its terminator or the field's end.
std::string Text(const char* record, const Field& f) {
  return "\"" + MazoviaToUtf8(std::string(record + f.offset, strnlen(record + f.offset, f.size))) + "\"";
}

// The record's symbol in UTF-8, as its heading names it.
std::string Symbol(const char* record) {
  const Field& f = Fields[0];
  return MazoviaToUtf8(std::string(record + f.offset, strnlen(record + f.offset, f.size)));
}

// A price (ten-thousandths) in currency units: two decimals, four when it has finer
// parts, every digit when `exact` (two prices that would otherwise read the same).
std::string Price(const char* record, const Field& f, bool exact) {
  double d;
  std::memcpy(&d, record + f.offset, sizeof d);
  char text[64];
  bool cents = std::fabs(d - std::round(d / 100.0) * 100.0) < 1e-6;
  std::snprintf(text, sizeof text, exact ? "%.17g" : cents ? "%.2f" : "%.4f", d / 10000.0);
  return text;
}

// The field's value as a person reads it.
std::string Value(const char* record, const Field& f, bool exact) {
  if (f.kind == Kind::Text) return Text(record, f);
  if (f.kind == Kind::Price) return Price(record, f, exact);
  int16_t vat;
  std::memcpy(&vat, record + f.offset, sizeof vat);
  return std::to_string(vat);
}

// The offsets of differing bytes outside the named fields as ranges ("0-1, 240").
std::string OtherBytes(const char* a, const char* b) {
  std::string ranges;
  for (std::size_t at = 0; at < RecordLength; ++at) {
    if (InNamedField(at) || a[at] == b[at]) continue;
    std::size_t end = at;
    while (end + 1 < RecordLength && !InNamedField(end + 1) && a[end + 1] != b[end + 1]) ++end;
    ranges += (ranges.empty() ? "" : ", ") + std::to_string(at) + (end > at ? "-" + std::to_string(end) : "");
    at = end;
  }
  return ranges;
}

// The lines of one record that differs (its heading and a line per field).
std::string RecordLines(std::size_t number, const char* a, const char* b) {
  std::string lines = "record " + std::to_string(number) + ", " + Symbol(a) + ":\n";
  for (const Field& f : Fields) {
    if (std::memcmp(a + f.offset, b + f.offset, f.size) == 0) continue;
    std::string was = Value(a, f, false), now = Value(b, f, false);
    if (was != now) {
      lines += "  " + std::string(f.label) + ": " + was + " -> " + now + "\n";
    } else if (f.kind == Kind::Text) {
      lines += "  " + std::string(f.label) + ": " + was + " (bytes after the text differ)\n";
    } else {
      lines += "  " + std::string(f.label) + ": " + Value(a, f, true) + " -> " + Value(b, f, true) + "\n";
    }
  }
  std::string other = OtherBytes(a, b);
  if (!other.empty()) lines += "  other bytes at " + other + "\n";
  return lines;
}

// "1 record" / "3 records".
std::string Records(std::size_t n) { return std::to_string(n) + (n == 1 ? " record" : " records"); }

}  // namespace

std::string GoodsFileDifferences(const std::string& a, const std::string& b) {
  if (a == b) return "";
  std::size_t inA = a.size() / RecordLength, inB = b.size() / RecordLength;
  std::string out;
  std::size_t differ = 0;
  for (std::size_t i = 0; i < std::max(inA, inB); ++i) {
    const char* ra = i < inA ? a.data() + i * RecordLength : nullptr;
    const char* rb = i < inB ? b.data() + i * RecordLength : nullptr;
    if (ra && rb && std::memcmp(ra, rb, RecordLength) == 0) continue;
    ++differ;
    if (ra && rb) out += RecordLines(i + 1, ra, rb);
    else out += "record " + std::to_string(i + 1) + ", " + Symbol(ra ? ra : rb) + ": only in " + (ra ? "A" : "B") + "\n";
  }
  std::size_t tailA = a.size() % RecordLength, tailB = b.size() % RecordLength;
  bool tailsDiffer = a.compare(inA * RecordLength, tailA, b, inB * RecordLength, tailB) != 0;
  if (tailsDiffer)
    out += "partial record at the end: " + (tailA ? std::to_string(tailA) + " bytes" : std::string("none")) +
           " in A, " + (tailB ? std::to_string(tailB) + " bytes" : std::string("none")) + " in B" +
           (tailA && tailA == tailB ? ", not the same" : "") + "\n";
  out += std::to_string(differ) + " of " + Records(std::max(inA, inB)) + " differ";
  if (inA != inB) out += " (A has " + Records(inA) + ", B " + std::to_string(inB) + ")";
  return out + "\n";
}

}  // namespace hostsim
