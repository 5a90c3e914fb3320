// The runtime's formatted print (what the plug-in's "wsprintfA" slot binds to) on the
// conversions that reports, messages and settings use, over edge values. The expected
// bytes are what the system's C runtime (msvcrt.dll, under Wine) printed for them.
#include <cfloat>
#include <climits>
#include <cstring>
#include <string>

#include "tests/bridging/plugin_fixture.h"

namespace {

using Print = int(__cdecl*)(char*, const char*, ...);

const std::string Huge200 =
    "99999999999999996973312221251036165947450327545502362648241750950346848435554075534196338404706251868027"
    "512415973882408182135734368278484639385041047239877871023591066789981811181813306167128854888448.00";
const std::string Huge304 =
    "17000000000000000916373194874119673232744965849237114595669683190250953130703789077423363890934083665465"
    "66857709752753844480247564421488859323483107009251003307587171339010267607064742167075551409225476234326"
    "7388990206156180072890258353075937308503818360982455519495656440688068293641181893055390217666560.00";
const std::string Largest =
    "17976931348623157081452742373170435679807056752584499659891747680315726078002853876058955863276687817154"
    "04589535143824642343213268894641827684675467035375169860499105765512820762454900903893289440758685084551"
    "33942304583236903222948165808559332123348274797826204144723168738177180919299881250404026184124858368.00";

struct DoubleRow {
  const char* label;
  double value;
  std::string at10, at20;  // "%10.2f", "%20.2f"
};

}  // namespace

using PrintTable = BridgedPluginTest;

TEST_F(PrintTable, DoublesAsTheSystemsRuntimePrintedThem) {
  Load();
  auto print = reinterpret_cast<Print>(*User32Slot("wsprintfA"));
  const DoubleRow rows[] = {
      {"zero", 0.0, "      0.00", "                0.00"},
      {"-0", -0.0, "     -0.00", "               -0.00"},
      {"0.005", 0.005, "      0.01", "                0.01"},
      {"12.5", 12.5, "     12.50", "               12.50"},
      {"1e15", 1e15, "1000000000000000.00", " 1000000000000000.00"},
      {"1e200", 1e200, Huge200, Huge200},
      {"1.7e304", 1.7e304, Huge304, Huge304},
      {"largest", DBL_MAX, Largest, Largest},
      {"smallest subnormal", 4.9406564584124654e-324, "      0.00", "                0.00"},
      {"-12.5", -12.5, "    -12.50", "              -12.50"},
      {"2.675", 2.675, "      2.67", "                2.67"},
  };
  static char buffer[1024];
  for (const DoubleRow& r : rows) {
    SCOPED_TRACE(r.label);
    EXPECT_EQ(print(buffer, "%10.2f", r.value), static_cast<int>(r.at10.size()));
    EXPECT_EQ(buffer, r.at10);
    EXPECT_EQ(print(buffer, "%20.2f", r.value), static_cast<int>(r.at20.size()));
    EXPECT_EQ(buffer, r.at20);
  }
}

TEST_F(PrintTable, IntegersAndTextsAsTheSystemsRuntimePrintedThem) {
  Load();
  auto print = reinterpret_cast<Print>(*User32Slot("wsprintfA"));
  struct IntRow {
    int value;
    const char* expected;
  } ints[] = {{0, "0"}, {-1, "-1"}, {42, "42"}, {INT_MIN, "-2147483648"}, {INT_MAX, "2147483647"}};
  char buffer[256];
  for (const IntRow& r : ints) {
    SCOPED_TRACE(r.expected);
    print(buffer, "%d", r.value);
    EXPECT_STREQ(buffer, r.expected);
  }
  struct TextRow {
    const char* text;
    const char* plain;
    const char* left25;
  } texts[] = {
      {"", "", "                         "},
      {"abc", "abc", "abc                      "},
      {"Przecena w kilku magazynach z pliku", "Przecena w kilku magazynach z pliku",
       "Przecena w kilku magazynach z pliku"},
      {"\x86\x8d", "\x86\x8d", "\x86\x8d                       "},  // Mazovia letters
  };
  for (const TextRow& r : texts) {
    SCOPED_TRACE(r.plain);
    print(buffer, "%s", r.text);
    EXPECT_STREQ(buffer, r.plain);
    print(buffer, "%-25s", r.text);
    EXPECT_STREQ(buffer, r.left25);
  }
  // Exponents of three digits, also within a width, left-aligned and zero-padded.
  print(buffer, "%12e|%-12.1E|%012.2e|%g", 12345.678, 0.00025, -1.5, 1e20);
  EXPECT_STREQ(buffer, "1.234568e+004|2.5E-004    |-001.50e+000|1e+020");
}
