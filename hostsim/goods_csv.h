// Goods files to and from CSV (UTF-8), so people can build a warehouse and look at
// what a run did: the columns symbol, index, name, VAT code, net, gross, remarks, with
// prices in currency units. Used by the goods tool and by tests.
#pragma once
#include <string>
#include <vector>

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

// CSV text (an optional header line starting with "symbol") to the bytes of a goods
// file; false with "line N: reason" on the first bad line.
bool GoodsFileFromCsv(const std::string& csv, std::string& file, std::string& error);

// The bytes of a goods file as CSV with a header line; a trailing partial record is
// left out and named in the last line as a comment.
std::string GoodsFileToCsv(const std::string& file);

// The goods file as an aligned, readable table (UTF-8).
std::string GoodsFileToTable(const std::string& file);

}  // namespace hostsim
