// The goods tool's conversions: a CSV becomes goods records in Mazovia at the host's
// offsets, and a goods file dumps back to the same CSV.
#include <gtest/gtest.h>

#include <cstring>

#include "hostsim/goods_csv.h"
#include "reprice/goods_record.h"

namespace {

TEST(GoodsCsv, BuildsRecordsAtTheHostsOffsetsInMazovia) {
  std::string file, error;
  ASSERT_TRUE(hostsim::GoodsFileFromCsv("symbol,index,name,vat,net,gross,remarks\r\n"
                                        "ŻUBR,5901234,\"Piwo Żubr, 0,5 l\",1,2.44,\"3,00\",Półka 3\r\n",
                                        file, error))
      << error;
  ASSERT_EQ(file.size(), sizeof(GoodsRecord));
  GoodsRecord r;
  std::memcpy(&r, file.data(), sizeof r);
  EXPECT_STREQ(r.symbol, "\xA1UBR");
  EXPECT_STREQ(r.index, "5901234");
  EXPECT_STREQ(r.name, "Piwo \xA1ubr, 0,5 l");
  EXPECT_STREQ(r.remarks, "P\xA2\x92ka 3");
  EXPECT_EQ(+r.vatCode, 1);
  EXPECT_EQ(+r.netPrice, 24400.0);
  EXPECT_EQ(+r.grossPrice, 30000.0);
}

TEST(GoodsCsv, DumpsBackTheSameRows) {
  const std::string csv =
      "symbol,index,name,vat,net,gross,remarks\n"
      "ŻUBR,5901234,\"Piwo Żubr, 0,5 l\",1,2.44,3.00,Półka 3\n"
      "A,,\"Say \"\"hi\"\"\",3,0.0125,1.00,\n";
  std::string file, error;
  ASSERT_TRUE(hostsim::GoodsFileFromCsv(csv, file, error)) << error;
  EXPECT_EQ(hostsim::GoodsFileToCsv(file), csv);
  EXPECT_EQ(hostsim::GoodsFileToCsv(file + "xyz"), csv + "# partial record of 3 bytes at the end\n");
}

TEST(GoodsCsv, RefusesWhatDoesNotFit) {
  struct Row {
    const char* label;
    std::string csv;
    std::string error;
  } rows[] = {
      {"symbol of 17 characters", "AAAAAAAAAAAAAAAAA,,n,1,1,1,\n", "line 1: symbol longer than 16 characters"},
      {"six fields", "A,,n,1,1,1\n", "line 1: 7 fields expected, found 6"},
      {"price not a number", "symbol\nA,,n,1,x,1,\n", "line 2: net price is not a number: x"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::string file, error;
    EXPECT_FALSE(hostsim::GoodsFileFromCsv(row.csv, file, error));
    EXPECT_EQ(error, row.error);
  }
}

}  // namespace
