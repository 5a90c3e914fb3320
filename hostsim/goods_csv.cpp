#include "hostsim/goods_csv.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "hostsim/charset.h"
#include "hostsim/goods.h"

namespace hostsim {

namespace {

// Where the record's fields lie, and how many bytes each holds with its NUL.
struct TextField {
  std::size_t offset, size;
  const char* label;
};
constexpr TextField NameField{2, 121, "name"};
constexpr TextField SymbolField{123, 17, "symbol"};
constexpr TextField IndexField{140, 89, "index"};
constexpr TextField RemarksField{457, 312, "remarks"};
constexpr std::size_t VatOffset = 229, NetOffset = 247, GrossOffset = 327;

// Writes a UTF-8 text into its field in Mazovia; false with a reason when it leaves
// no room for the terminator (the record is then unchanged).
bool PutText(std::string& record, const TextField& f, const std::string& utf8, std::string& error) {
  std::string bytes = Utf8ToMazovia(utf8);
  if (bytes.size() >= f.size) {
    error = std::string(f.label) + " longer than " + std::to_string(f.size - 1) + " characters";
    return false;
  }
  record.replace(f.offset, bytes.size(), bytes);
  return true;
}

// A field's text in UTF-8, up to its terminator or the end of the field.
std::string GetText(const std::string& record, const TextField& f) {
  const char* at = record.data() + f.offset;
  return MazoviaToUtf8(std::string(at, strnlen(at, f.size)));
}

void PutDouble(std::string& record, std::size_t offset, double d) { std::memcpy(&record[offset], &d, sizeof d); }

// The double at offset, read bytewise.
double GetDouble(const std::string& record, std::size_t offset) {
  double d;
  std::memcpy(&d, record.data() + offset, sizeof d);
  return d;
}

// Splits one CSV line: fields separated by commas, a field in double quotes may hold
// commas and doubled quotes.
std::vector<std::string> SplitCsv(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
      fields.back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

// A field for a CSV line: as it is, or in double quotes (quotes doubled) when it holds
// a comma, a quote or a line end.
std::string QuoteCsv(const std::string& field) {
  if (field.find_first_of(",\"\n") == std::string::npos) return field;
  std::string out = "\"";
  for (char c : field) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

// A price in currency units, a full stop or a comma as decimal separator; whole field.
bool ParsePrice(std::string text, double& value) {
  for (char& c : text)
    if (c == ',') c = '.';
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == 0;
}

// A price in currency units with two decimals, or four when it has finer parts.
std::string PriceText(double tenThousandths) {
  char text[64];
  double units = tenThousandths / 10000.0;
  bool cents = std::fabs(tenThousandths - std::round(tenThousandths / 100.0) * 100.0) < 1e-6;
  std::snprintf(text, sizeof text, cents ? "%.2f" : "%.4f", units);
  return text;
}

// Number of characters of a UTF-8 text.
std::size_t Width(const std::string& utf8) {
  std::size_t n = 0;
  for (unsigned char c : utf8)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

// The text with blanks after it up to width characters; a longer text as it is.
std::string Pad(const std::string& utf8, std::size_t width) {
  std::size_t w = Width(utf8);
  return utf8 + std::string(w < width ? width - w : 0, ' ');
}

}  // namespace

bool GoodsRecordBytes(const GoodsRow& row, std::string& record, std::string& error) {
  record.assign(GoodsFileRecordLength, '\0');
  if (!PutText(record, SymbolField, row.symbol, error) || !PutText(record, IndexField, row.index, error) ||
      !PutText(record, NameField, row.name, error) || !PutText(record, RemarksField, row.remarks, error))
    return false;
  int16_t vat = static_cast<int16_t>(row.vatCode);
  std::memcpy(&record[VatOffset], &vat, sizeof vat);
  PutDouble(record, NetOffset, std::round(row.net * 10000.0));
  PutDouble(record, GrossOffset, std::round(row.gross * 10000.0));
  return true;
}

GoodsRow GoodsRowOf(const std::string& record) {
  GoodsRow row;
  row.symbol = GetText(record, SymbolField);
  row.index = GetText(record, IndexField);
  row.name = GetText(record, NameField);
  int16_t vat;
  std::memcpy(&vat, record.data() + VatOffset, sizeof vat);
  row.vatCode = vat;
  row.net = GetDouble(record, NetOffset) / 10000.0;
  row.gross = GetDouble(record, GrossOffset) / 10000.0;
  row.remarks = GetText(record, RemarksField);
  return row;
}

bool GoodsFileFromCsv(const std::string& csv, std::string& file, std::string& error) {
  file.clear();
  std::size_t lineNumber = 0;
  for (std::size_t at = 0; at < csv.size();) {
    std::size_t end = csv.find('\n', at);
    if (end == std::string::npos) end = csv.size();
    std::string line = csv.substr(at, end - at);
    at = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || (lineNumber == 1 && line.rfind("symbol", 0) == 0)) continue;
    auto fail = [&](const std::string& why) {
      error = "line " + std::to_string(lineNumber) + ": " + why;
      return false;
    };
    std::vector<std::string> f = SplitCsv(line);
    if (f.size() != 7) return fail("7 fields expected, found " + std::to_string(f.size()));
    GoodsRow row{f[0], f[1], f[2], std::atoi(f[3].c_str()), 0, 0, f[6]};
    if (!ParsePrice(f[4], row.net)) return fail("net price is not a number: " + f[4]);
    if (!ParsePrice(f[5], row.gross)) return fail("gross price is not a number: " + f[5]);
    std::string record;
    if (!GoodsRecordBytes(row, record, error)) return fail(error);
    file += record;
  }
  return true;
}

std::string GoodsFileToCsv(const std::string& file) {
  std::string csv = "symbol,index,name,vat,net,gross,remarks\n";
  std::size_t whole = file.size() / GoodsFileRecordLength;
  for (std::size_t i = 0; i < whole; ++i) {
    GoodsRow r = GoodsRowOf(file.substr(i * GoodsFileRecordLength, GoodsFileRecordLength));
    csv += QuoteCsv(r.symbol) + "," + QuoteCsv(r.index) + "," + QuoteCsv(r.name) + "," +
           std::to_string(r.vatCode) + "," + PriceText(r.net * 10000.0) + "," +
           PriceText(r.gross * 10000.0) + "," + QuoteCsv(r.remarks) + "\n";
  }
  if (file.size() % GoodsFileRecordLength)
    csv += "# partial record of " + std::to_string(file.size() % GoodsFileRecordLength) + " bytes at the end\n";
  return csv;
}

std::string GoodsFileToTable(const std::string& file) {
  std::string table = Pad("symbol", 12) + " " + Pad("name", 34) + " vat " + Pad("      netto", 12) +
                      Pad("     brutto", 12) + " remarks\n";
  std::size_t whole = file.size() / GoodsFileRecordLength;
  for (std::size_t i = 0; i < whole; ++i) {
    GoodsRow r = GoodsRowOf(file.substr(i * GoodsFileRecordLength, GoodsFileRecordLength));
    char prices[64];
    std::snprintf(prices, sizeof prices, " %3d %11s %11s ", r.vatCode, PriceText(r.net * 10000.0).c_str(),
                  PriceText(r.gross * 10000.0).c_str());
    table += Pad(r.symbol, 12) + " " + Pad(r.name, 34) + prices + r.remarks + "\n";
  }
  return table;
}

}  // namespace hostsim
