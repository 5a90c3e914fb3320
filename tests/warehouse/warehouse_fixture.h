// Shared ground for the native tests of the passes and the reports: a goods table
// descriptor with its record buffer, goods files in the data folder, a price list
// filled by hand, and the report files read back.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "host/goods_record.h"
#include "hostsim/base/data_folder.h"
#include "hostsim/base/transcript.h"
#include "hostsim/services/files.h"
#include "hostsim/services/goods.h"
#include "hostsim/services/reset.h"
#include "reprice/goods_table.h"
#include "reprice/options.h"
#include "reprice/price_list.h"
#include "reprice/report_line.h"
#include "tests/support/report_files.h"

namespace testing_goods {

// A goods record with every byte set to a pattern, so that a test sees any byte a
// store changed; the texts and prices given on top.
inline GoodsRecord Goods(const char* symbol, double net, double gross, int16_t vat = 1,
                         const char* name = "Towar", const char* index = "", const char* remarks = "") {
  GoodsRecord r;
  auto* bytes = reinterpret_cast<unsigned char*>(&r);
  for (std::size_t i = 0; i < sizeof r; ++i) bytes[i] = static_cast<unsigned char>(0xA0 + i % 37);
  auto put = [](char* field, std::size_t size, const char* text) {
    std::memset(field, 0, size);
    std::strncpy(field, text, size - 1);
  };
  put(r.name, sizeof r.name, name);
  put(r.symbol, sizeof r.symbol, symbol);
  put(r.index, sizeof r.index, index);
  put(r.remarks, sizeof r.remarks, remarks);
  r.vatCode = vat;
  r.netPrice = net;
  r.grossPrice = gross;
  return r;
}

inline PriceEntry Entry(const char* symbol, double price, const char* name = "Nowa nazwa",
                        int32_t status = StatusNotFound) {
  PriceEntry e{};
  std::strncpy(e.name, name, sizeof e.name - 1);
  std::strncpy(e.symbol, symbol, sizeof e.symbol - 1);
  e.price = price;
  e.status = status;
  return e;
}

// An entry whose price field held no number, or one below zero.
inline PriceEntry BadEntry(const char* symbol, double price, const char* name = "Nowa nazwa") {
  PriceEntry e = Entry(symbol, price, name);
  e.badPrice = true;
  return e;
}

using testing_support::Exists;
using testing_support::FileBytes;

// The lines of a report file without their CR LF.
inline std::vector<std::string> Lines(const std::string& name) {
  return testing_support::CrLfLines(FileBytes(name));
}

class WarehouseFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    hostsim::ResetHostSim();
    for (const char* f : {ReportInfo, ReportInfo2, ReportInfo3, ReportInfo4}) std::remove(f);
    for (int w = 0; w < 10; ++w) std::remove(hostsim::GoodsFileName(w).c_str());
    std::remove(hostsim::DataPath(hostsim::PriceJournalName).c_str());
    std::memset(descriptor, 0, sizeof descriptor);
    int16_t length = GoodsRecordLength, variant = GoodsTableVariant;
    std::memcpy(descriptor + GoodsTableRecordLengthOffset, &length, sizeof length);
    void* buffer = recordBuffer;
    std::memcpy(descriptor + GoodsTableRecordBufferOffset, &buffer, sizeof buffer);
    if (sizeof(void*) == 4) std::memcpy(descriptor + GoodsTableVariantOffset, &variant, sizeof variant);
    goodsTable = descriptor;
    repricingOptions = {};
    ClearPriceList();
  }

  void TearDown() override {
    ClearPriceList();
    goodsTable = nullptr;
  }

  // Fills the price list from entries, in order, through AddPriceEntry; a status other
  // than StatusNotFound is set afterwards, as the passes would have.
  void UseEntries() {
    ClearPriceList();
    for (const PriceEntry& e : entries) {
      ASSERT_EQ(AddPriceEntry(e.price, e.name, e.symbol, e.badPrice), 0);
      if (e.status != StatusNotFound) priceList.entries[priceList.count - 1].status = e.status;
    }
  }

  int32_t Status(int i) { return priceList.entries[i].status; }

  void WriteGoods(int warehouse, const std::vector<GoodsRecord>& goods, const std::string& tail = "") {
    std::string bytes(reinterpret_cast<const char*>(goods.data()), goods.size() * sizeof(GoodsRecord));
    std::FILE* f = std::fopen(hostsim::GoodsFileName(warehouse).c_str(), "wb");
    ASSERT_NE(f, nullptr);
    bytes += tail;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }

  std::vector<GoodsRecord> ReadGoods(int warehouse) {
    std::string bytes = FileBytes(hostsim::GoodsFileName(warehouse));
    std::vector<GoodsRecord> goods(bytes.size() / sizeof(GoodsRecord));
    std::memcpy(goods.data(), bytes.data(), goods.size() * sizeof(GoodsRecord));
    return goods;
  }

  alignas(8) unsigned char descriptor[32];
  alignas(8) unsigned char recordBuffer[GoodsRecordLength];
  std::vector<PriceEntry> entries;
};

}  // namespace testing_goods
