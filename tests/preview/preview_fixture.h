// Goods files for the preview's tests, built from rows as a person writes them.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostsim/goods/goods_csv.h"

namespace testing_preview {

// The bytes of a goods file of these rows (symbol, name, net, gross; VAT code 1).
struct Goods {
  const char* symbol;
  const char* name;
  double net, gross;
};

inline std::string GoodsFile(const std::vector<Goods>& rows) {
  std::string file, record, error;
  for (const Goods& g : rows) {
    hostsim::GoodsRow row;
    row.symbol = g.symbol;
    row.name = g.name;
    row.vatCode = 1;
    row.net = g.net;
    row.gross = g.gross;
    EXPECT_TRUE(hostsim::GoodsRecordBytes(row, record, error)) << error;
    file += record;
  }
  return file;
}

}  // namespace testing_preview
