// Goods files to and from CSV (UTF-8), so people can build a warehouse and look at
// what a run did: the columns symbol, index, name, VAT code, net, gross, remarks, with
// prices in currency units. Used by the goods tool and by tests.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "hostsim/goods/vat_rates.h"

namespace hostsim {

// One goods record as the CSV shows it: texts UTF-8, prices in currency units.
struct GoodsRow {
  std::string symbol, index, name;
  int vatCode = 0;
  double net = 0, gross = 0;
  std::string remarks;
};

// The 769-byte record of a row (texts in Mazovia, prices times 10000, every other byte
// zero); false with a reason when a text does not fit its field.
bool GoodsRecordBytes(const GoodsRow& row, std::string& record, std::string& error);

// The row of a 769-byte record.
GoodsRow GoodsRowOf(const std::string& record);

// CSV text (UTF-8, an optional byte-order mark, an optional header line starting with
// "symbol") to the bytes of a goods file; false with "line N: reason" or "line N,
// column M (field): reason" on the first bad line: a wrong number of fields, an
// unclosed quote, a text too long or with a character outside Mazovia, a VAT code not
// in vatTable, a price that is not a finite number.
bool GoodsFileFromCsv(const std::string& csv, std::string& file, std::string& error,
                      const std::map<int, double>& vatTable = DefaultVatRates);

// Sets one field of the first record whose symbol is `symbol` (UTF-8) in the bytes of
// a goods file to `value`, written as in the CSV; field is a CSV column's name:
// symbol, index, name, vat, net, gross, remarks. Only the field's bytes change (a
// text's bytes and its terminator; the bytes after that stay); every other byte of the
// file stays as it is. The number of the record (from 1) in record. false with a
// reason (the file unchanged): no such record, no such field, a value the CSV refuses.
bool SetGoodsField(std::string& file, const std::string& symbol, const std::string& field, const std::string& value,
                   std::size_t& record, std::string& error, const std::map<int, double>& vatTable = DefaultVatRates);

// The bytes of a goods file as CSV with a header line; a trailing partial record is
// left out and named in the last line as a comment.
std::string GoodsFileToCsv(const std::string& file);

// The goods file as an aligned, readable table (UTF-8); a trailing partial record is
// left out and named in the last line.
std::string GoodsFileToTable(const std::string& file);

}  // namespace hostsim
