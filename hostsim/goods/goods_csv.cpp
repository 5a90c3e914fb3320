#include "hostsim/goods/goods_csv.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/goods_record.h"
#include "hostsim/base/charset.h"
#include "hostsim/base/text.h"

namespace hostsim {

namespace {

// A text field of the record (where it lies, how many bytes it holds with its NUL)
// and its name in the CSV.
struct TextField {
  GoodsField field;
  const char* label;
};
constexpr TextField NameField{GoodsName, "name"};
constexpr TextField SymbolField{GoodsSymbol, "symbol"};
constexpr TextField IndexField{GoodsIndex, "index"};
constexpr TextField RemarksField{GoodsRemarks, "remarks"};
constexpr std::size_t VatOffset = GoodsVatCode.offset, NetOffset = GoodsNetPrice.offset,
                      GrossOffset = GoodsGrossPrice.offset;

// Writes a UTF-8 text into its field in Mazovia; false with a reason when it leaves
// no room for the terminator (the record is then unchanged).
bool PutText(std::string& record, const TextField& f, const std::string& utf8, std::string& error) {
  std::string bytes = Utf8ToMazovia(utf8);
  if (bytes.size() >= f.field.size) {
    error = std::string(f.label) + " longer than " + std::to_string(f.field.size - 1) + " characters";
    return false;
  }
  record.replace(f.field.offset, bytes.size(), bytes);
  return true;
}

// A field's text in UTF-8, up to its terminator or the end of the field.
std::string GetText(const std::string& record, const TextField& f) {
  const char* at = record.data() + f.field.offset;
  return MazoviaToUtf8(std::string(at, strnlen(at, f.field.size)));
}

void PutDouble(std::string& record, std::size_t offset, double d) { std::memcpy(&record[offset], &d, sizeof d); }

// The double at offset, read bytewise.
double GetDouble(const std::string& record, std::size_t offset) {
  double d;
  std::memcpy(&d, record.data() + offset, sizeof d);
  return d;
}

// Splits one CSV line: fields separated by commas, a field in double quotes may hold
// commas and doubled quotes. unclosed: the number of the field (from 1) whose quote
// the line leaves open, 0 when none.
std::vector<std::string> SplitCsv(const std::string& line, std::size_t& unclosed) {
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
  unclosed = quoted ? fields.size() : 0;
  return fields;
}

// The first character of a UTF-8 text that Mazovia lacks (or a malformed byte) as
// "U+XXXX" ("byte 0xXX"), with its position in characters from 1; "" when all fit.
std::string FirstOutsideMazovia(const std::string& utf8, std::size_t& position) {
  position = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    ++position;
    auto b = static_cast<unsigned char>(utf8[i]);
    std::size_t n = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
    bool whole = n > 0 && i + n <= utf8.size();
    char32_t c = n == 1 ? b : n == 2 ? b & 0x1F : n == 3 ? b & 0x0F : b & 0x07;
    for (std::size_t k = 1; whole && k < n; ++k) {
      auto next = static_cast<unsigned char>(utf8[i + k]);
      whole = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    char text[32];
    if (!whole) {
      std::snprintf(text, sizeof text, "byte 0x%02X that is not UTF-8", b);
      return text;
    }
    char byte = 0;
    if (c > 0xFFFF || !MazoviaByte(static_cast<char16_t>(c), byte)) {
      std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
      return text;
    }
    i += n;
  }
  return "";
}

// A whole field as a VAT code (digits, an optional minus).
bool ParseVatCode(const std::string& text, int& code) {
  char* end = nullptr;
  long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != 0 || value < -32768 || value > 32767) return false;
  code = static_cast<int>(value);
  return true;
}

// A field for a CSV line: as it is, or in double quotes (quotes doubled) when it holds
// a comma, a quote or a line end.
std::string QuoteCsv(const std::string& field) {
  if (field.find_first_of(",\"\n") == std::string::npos) return field;
  std::string out = "\"";
  for (char c : field) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

// A price in currency units, a full stop or a comma as decimal separator; whole field,
// finite also in ten-thousandths.
bool ParsePrice(std::string text, double& value) {
  for (char& c : text)
    if (c == ',') c = '.';
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == 0 && std::isfinite(value) && std::isfinite(std::round(value * 10000.0));
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
  record.assign(GoodsRecordLength, '\0');
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

bool GoodsFileFromCsv(const std::string& csv, std::string& file, std::string& error,
                      const std::map<int, double>& vatTable) {
  file.clear();
  std::size_t start = csv.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;  // a byte-order mark
  std::vector<std::string> lines = TextLines(std::string_view(csv).substr(start));
  for (std::size_t lineNumber = 1; lineNumber <= lines.size(); ++lineNumber) {
    const std::string& line = lines[lineNumber - 1];
    if (line.empty() || (lineNumber == 1 && line.rfind("symbol", 0) == 0)) continue;
    auto fail = [&](const std::string& why) {
      error = "line " + std::to_string(lineNumber) + ": " + why;
      return false;
    };
    static constexpr const char* Labels[] = {"symbol", "index", "name", "vat", "net", "gross", "remarks"};
    auto failAt = [&](std::size_t column, const std::string& why) {
      std::string label = column <= 7 ? std::string(" (") + Labels[column - 1] + ")" : "";
      error = "line " + std::to_string(lineNumber) + ", column " + std::to_string(column) + label + ": " + why;
      return false;
    };
    std::size_t unclosed = 0;
    std::vector<std::string> f = SplitCsv(line, unclosed);
    if (unclosed) return failAt(unclosed, "unclosed quote");
    if (f.size() != 7) return fail("7 fields expected, found " + std::to_string(f.size()));
    for (std::size_t column : {1, 2, 3, 7}) {
      std::size_t position = 0;
      std::string outside = FirstOutsideMazovia(f[column - 1], position);
      if (!outside.empty())
        return failAt(column, "character " + std::to_string(position) + ", " + outside + ", is not in Mazovia");
    }
    GoodsRow row{f[0], f[1], f[2], 0, 0, 0, f[6]};
    if (!ParseVatCode(f[3], row.vatCode)) return failAt(4, "VAT code is not a whole number: " + f[3]);
    if (!vatTable.count(row.vatCode)) {
      std::string codes;
      for (const auto& [code, rate] : vatTable) codes += (codes.empty() ? "" : ", ") + std::to_string(code);
      return failAt(4, "VAT code " + f[3] + " is not in the host's table (" + codes + ")");
    }
    if (!ParsePrice(f[4], row.net)) return failAt(5, "price is not a finite number: " + f[4]);
    if (!ParsePrice(f[5], row.gross)) return failAt(6, "price is not a finite number: " + f[5]);
    std::string record;
    if (!GoodsRecordBytes(row, record, error)) return fail(error);
    file += record;
  }
  return true;
}

bool SetGoodsField(std::string& file, const std::string& symbol, const std::string& field, const std::string& value,
                   std::size_t& record, std::string& error, const std::map<int, double>& vatTable) {
  std::string wanted = Utf8ToMazovia(symbol);
  std::size_t whole = file.size() / GoodsRecordLength;
  for (record = 1; record <= whole; ++record) {
    const char* at = file.data() + (record - 1) * GoodsRecordLength + SymbolField.field.offset;
    if (std::string(at, strnlen(at, SymbolField.field.size)) == wanted) break;
  }
  if (record > whole) {
    error = "no record has the symbol " + symbol;
    return false;
  }
  std::size_t base = (record - 1) * GoodsRecordLength, position = 0;
  for (const TextField& f : {SymbolField, IndexField, NameField, RemarksField}) {
    if (field != f.label) continue;
    std::string outside = FirstOutsideMazovia(value, position);
    if (!outside.empty()) {
      error = "character " + std::to_string(position) + ", " + outside + ", is not in Mazovia";
      return false;
    }
    std::string bytes = Utf8ToMazovia(value);
    if (bytes.size() >= f.field.size) {
      error = std::string(f.label) + " longer than " + std::to_string(f.field.size - 1) + " characters";
      return false;
    }
    file.replace(base + f.field.offset, bytes.size() + 1, bytes + '\0');
    return true;
  }
  double price = 0;
  int code = 0;
  if (field == "vat") {
    if (!ParseVatCode(value, code) || !vatTable.count(code)) {
      error = "VAT code " + value + " is not in the host's table";
      return false;
    }
    int16_t vat = static_cast<int16_t>(code);
    std::memcpy(&file[base + VatOffset], &vat, sizeof vat);
  } else if (field == "net" || field == "gross") {
    if (!ParsePrice(value, price)) {
      error = "price is not a finite number: " + value;
      return false;
    }
    PutDouble(file, base + (field == "net" ? NetOffset : GrossOffset), std::round(price * 10000.0));
  } else {
    error = "no field " + field + " (symbol, index, name, vat, net, gross, remarks)";
    return false;
  }
  return true;
}

std::string GoodsFileToCsv(const std::string& file) {
  std::string csv = "symbol,index,name,vat,net,gross,remarks\n";
  std::size_t whole = file.size() / GoodsRecordLength;
  for (std::size_t i = 0; i < whole; ++i) {
    GoodsRow r = GoodsRowOf(file.substr(i * GoodsRecordLength, GoodsRecordLength));
    csv += QuoteCsv(r.symbol) + "," + QuoteCsv(r.index) + "," + QuoteCsv(r.name) + "," +
           std::to_string(r.vatCode) + "," + PriceText(r.net * 10000.0) + "," +
           PriceText(r.gross * 10000.0) + "," + QuoteCsv(r.remarks) + "\n";
  }
  if (file.size() % GoodsRecordLength)
    csv += "# partial record of " + std::to_string(file.size() % GoodsRecordLength) + " bytes at the end\n";
  return csv;
}

std::string GoodsFileToTable(const std::string& file) {
  std::string table = Pad("symbol", 12) + " " + Pad("name", 34) + " vat " + Pad("      netto", 12) +
                      Pad("     brutto", 12) + " remarks\n";
  std::size_t whole = file.size() / GoodsRecordLength;
  for (std::size_t i = 0; i < whole; ++i) {
    GoodsRow r = GoodsRowOf(file.substr(i * GoodsRecordLength, GoodsRecordLength));
    char prices[64];
    std::snprintf(prices, sizeof prices, " %3d %11s %11s ", r.vatCode, PriceText(r.net * 10000.0).c_str(),
                  PriceText(r.gross * 10000.0).c_str());
    table += Pad(r.symbol, 12) + " " + Pad(r.name, 34) + prices + r.remarks + "\n";
  }
  if (file.size() % GoodsRecordLength)
    table += "# partial record of " + std::to_string(file.size() % GoodsRecordLength) + " bytes at the end\n";
  return table;
}

}  // namespace hostsim
