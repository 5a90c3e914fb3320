// The goods tool's conversions: a CSV becomes goods records in Mazovia at the host's
// offsets, and a goods file dumps back to the same CSV.
#include <gtest/gtest.h>

#include <cstring>

#include "host/goods_record.h"
#include "hostsim/goods/goods_csv.h"

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
      {"index of 89 characters", "A," + std::string(89, 'i') + ",n,1,1,1,\n", "line 1: index longer than 88 characters"},
      {"name of 121 characters", "A,," + std::string(121, 'n') + ",1,1,1,\n", "line 1: name longer than 120 characters"},
      {"remarks of 312 characters", "A,,n,1,1,1," + std::string(312, 'r') + "\n",
       "line 1: remarks longer than 311 characters"},
      {"six fields", "A,,n,1,1,1\n", "line 1: 7 fields expected, found 6"},
      {"price not a number", "symbol\nA,,n,1,x,1,\n", "line 2, column 5 (net): price is not a finite number: x"},
      {"gross of 1e400", "A,,n,1,1,1e400,\n", "line 1, column 6 (gross): price is not a finite number: 1e400"},
      {"net inf", "A,,n,1,inf,1,\n", "line 1, column 5 (net): price is not a finite number: inf"},
      {"gross nan", "A,,n,1,1,nan,\n", "line 1, column 6 (gross): price is not a finite number: nan"},
      {"beyond a double in ten-thousandths", "A,,n,1,1e305,1,\n",
       "line 1, column 5 (net): price is not a finite number: 1e305"},
      {"VAT code 5", "A,,n,1,1,1,\nB,,n,5,1,1,\n", "line 2, column 4 (vat): VAT code 5 is not in the host's table (1, 2, 3, 4)"},
      {"VAT code 0", "A,,n,0,1,1,\n", "line 1, column 4 (vat): VAT code 0 is not in the host's table (1, 2, 3, 4)"},
      {"VAT code empty", "A,,n,,1,1,\n", "line 1, column 4 (vat): VAT code is not a whole number: "},
      {"VAT code 1x", "A,,n,1x,1,1,\n", "line 1, column 4 (vat): VAT code is not a whole number: 1x"},
      {"VAT code beyond 16 bits", "A,,n,32768,1,1,\n", "line 1, column 4 (vat): VAT code is not a whole number: 32768"},
      {"VAT code below 16 bits", "A,,n,-32769,1,1,\n", "line 1, column 4 (vat): VAT code is not a whole number: -32769"},
      {"euro sign in the name", "A,,Kawa €,1,1,1,\n", "line 1, column 3 (name): character 6, U+20AC, is not in Mazovia"},
      {"cyrillic in the symbol", "\xD0\x96,,n,1,1,1,\n", "line 1, column 1 (symbol): character 1, U+0416, is not in Mazovia"},
      {"emoji in the remarks", "A,,n,1,1,1,ok \xF0\x9F\x98\x80\n",
       "line 1, column 7 (remarks): character 4, U+1F600, is not in Mazovia"},
      {"a lone continuation byte in the index", "A,x\x80,n,1,1,1,\n",
       "line 1, column 2 (index): character 2, byte 0x80 that is not UTF-8, is not in Mazovia"},
      {"a character cut short at the end of the remarks", "A,,n,1,1,1,ok \xC5\n",
       "line 1, column 7 (remarks): character 4, byte 0xC5 that is not UTF-8, is not in Mazovia"},
      {"net empty", "A,,n,1,,1,\n", "line 1, column 5 (net): price is not a finite number: "},
      {"unclosed quote in the name", "A,,\"Kawa, 1,1,1,\n", "line 1, column 3 (name): unclosed quote"},
      {"unclosed quote after the seventh field", "A,,n,1,1,1,r,\"x\n", "line 1, column 8: unclosed quote"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::string file, error;
    EXPECT_FALSE(hostsim::GoodsFileFromCsv(row.csv, file, error));
    EXPECT_EQ(error, row.error);
  }
}

TEST(GoodsCsv, AcceptsAByteOrderMarkEmptyLinesAndNoFinalLineEnd) {
  struct Row {
    const char* label;
    std::string csv;
  } rows[] = {
      {"before the header", "\xEF\xBB\xBFsymbol,index,name,vat,net,gross,remarks\nA,,n,2,1,1.08,\n"},
      {"before a record", "\xEF\xBB\xBF" "A,,n,2,1,1.08,\n"},
      {"an empty line, no line end after the last", "symbol\r\n\r\nA,,n,2,1,1.08,"},
      {"quoted remarks closing the line", "A,,n,2,1,1.08,\"r\""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::string file, error;
    ASSERT_TRUE(hostsim::GoodsFileFromCsv(row.csv, file, error)) << error;
    ASSERT_EQ(file.size(), sizeof(GoodsRecord));
    GoodsRecord r;
    std::memcpy(&r, file.data(), sizeof r);
    EXPECT_STREQ(r.symbol, "A");
    EXPECT_EQ(+r.vatCode, 2);
  }
}

TEST(GoodsCsv, SettingAFieldRefusesWhatTheCsvRefusesAndLeavesTheFile) {
  std::string file, error;
  ASSERT_TRUE(hostsim::GoodsFileFromCsv("A,,Kawa,1,10,12.30,R\n", file, error)) << error;
  struct Row {
    const char* symbol;
    const char* field;
    std::string value;
    std::string error;
  } rows[] = {
      {"B", "name", "x", "no record has the symbol B"},
      {"A", "name", "Kawa €", "character 6, U+20AC, is not in Mazovia"},
      {"A", "symbol", std::string(17, 's'), "symbol longer than 16 characters"},
      {"A", "vat", "1x", "VAT code 1x is not in the host's table"},
      {"A", "vat", "5", "VAT code 5 is not in the host's table"},
      {"A", "gross", "x", "price is not a finite number: x"},
      {"A", "price", "1", "no field price (symbol, index, name, vat, net, gross, remarks)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.field) + " = " + row.value);
    std::string changed = file;
    std::size_t record = 0;
    EXPECT_FALSE(hostsim::SetGoodsField(changed, row.symbol, row.field, row.value, record, error));
    EXPECT_EQ(error, row.error);
    EXPECT_EQ(changed, file);
  }
  for (auto [field, value] : {std::pair{"gross", "13,5"}, {"vat", "3"}, {"net", "11.0125"}}) {
    std::size_t record = 0;
    ASSERT_TRUE(hostsim::SetGoodsField(file, "A", field, value, record, error)) << field << ": " << error;
    EXPECT_EQ(record, 1u);
  }
  EXPECT_EQ(hostsim::GoodsFileToCsv(file), "symbol,index,name,vat,net,gross,remarks\nA,,Kawa,3,11.0125,13.50,R\n");
}

// Columns are counted in characters, Polish letters one each; a longer name is not cut.
TEST(GoodsCsv, TheTableNamesAPartialTrailingRecord) {
  std::string file, error;
  ASSERT_TRUE(hostsim::GoodsFileFromCsv("A,,Kawa,1,10,12.30,R\nŻUBR,,\"Żubrówka bardzo długa nazwa towaru 0,7 l\",2,5,5.40,\n",
                                        file, error))
      << error;
  const std::string table =
      "symbol       name                               vat       netto      brutto  remarks\n"
      "A            Kawa                                 1       10.00       12.30 R\n"
      "ŻUBR         Żubrówka bardzo długa nazwa towaru 0,7 l   2        5.00        5.40 \n";
  EXPECT_EQ(hostsim::GoodsFileToTable(file), table);
  EXPECT_EQ(hostsim::GoodsFileToTable(file + std::string(100, 'x')),
            table + "# partial record of 100 bytes at the end\n");
}

}  // namespace
