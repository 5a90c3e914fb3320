// The price field's number forms, and exact rounding to the nearest double.
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "reprice/decimal_number.h"
#include "reprice/price_list.h"

namespace {

uint64_t Bits(double d) { return std::bit_cast<uint64_t>(d); }

// The conversion as the price file applies it: commas first.
double Convert(std::string text) {
  CommaToPoint(text.data());
  return ReadDecimalNumber(text.c_str());
}

struct NumberCase {
  const char* text;
  double expected;
};

TEST(DecimalNumber, FormsOfThePriceField) {
  const double inf = std::numeric_limits<double>::infinity();
  const NumberCase cases[] = {
      {"12,50", 12.5},          {"12.50", 12.5},        {"1 234,50", 1},        {"1,234.50", 1.234},
      {"12d2", 1200},           {"12D2", 1200},         {"12e2", 1200},         {"12E-1", 1.2},
      {"1e+3", 1000},           {"0x10", 0},            {"0X1p3", 0},           {"+5", 5},
      {"-5", -5},               {"-12,50", -12.5},      {" \t 7,25", 7.25},     {"", 0},
      {"abc", 0},               {"-", 0},               {"+", 0},               {".", 0},
      {",5", 0.5},              {"5,", 5},              {"2e", 2},              {"2e+", 2},
      {"2d-x", 2},              {"2ee3", 2},            {"inf", 0},             {"INFINITY", 0},
      {"nan", 0},               {"-nan", 0},            {"3,5zł", 3.5},         {"1e400", inf},
      {"-1e400", -inf},         {"1e-400", 0},          {"007", 7},             {"0,000000", 0},
      {"12,345", 12.345},       {"0,1", 0.1},           {"99999999,99", 99999999.99},
      {"1.7976931348623157e308", DBL_MAX},              {"1.7976931348623159e308", inf},
      {"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
      {"2.4703282292062328e-324", std::numeric_limits<double>::denorm_min()},
      {"2.4703282292062327e-324", 0},
      {"2.2250738585072011e-308", 2.2250738585072011e-308},
      {"2.2250738585072014e-308", DBL_MIN},
      {"9007199254740993", 9007199254740992.0},  // a tie: to even
      {"9007199254740993.0000000001", 9007199254740994.0},
      {"9007199254740995", 9007199254740996.0},
      {"123456789012345678901234567890", 123456789012345678901234567890.0},
      {"0,000123456789", 0.000123456789},
      {"1,2345678901234567e-5", 1.2345678901234567e-5},
      {"7e22", 7e22},           {"7e23", 7e23},         {"8,589973e9", 8.589973e9},
  };
  for (const NumberCase& c : cases) {
    SCOPED_TRACE(c.text);
    double got = Convert(c.text);
    EXPECT_FALSE(std::isnan(got));
    EXPECT_EQ(Bits(got), Bits(c.expected)) << got << " vs " << c.expected;
  }
}

TEST(DecimalNumber, SignOfZeroFollowsTheText) {
  EXPECT_TRUE(std::signbit(Convert("-0")));
  EXPECT_FALSE(std::signbit(Convert("0")));
  EXPECT_FALSE(std::signbit(Convert("-x")));  // no number: plain 0
}

// A text without any digit is told apart from one that reads as zero.
TEST(DecimalNumber, ParseTellsWhetherTheTextHeldANumber) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    const char* text;
    bool found;
    double value;  // scaled by 10^4
  } cases[] = {
      {"", false, 0},        {"abc", false, 0},     {"-", false, 0},       {".", false, 0},
      {"Cena", false, 0},    {"+", false, 0},       {"-.", false, 0},      {" ", false, 0},
      {"e5", false, 0},      {"inf", false, 0},     {"nan", false, 0},     {"-x1", false, 0},
      {"0", true, 0},        {"-0", true, -0.0},    {"0.00", true, 0},     {"-0.00", true, -0.0},
      {"0x10", true, 0},     {".5", true, 5000},    {"5.", true, 50000},   {" 7", true, 70000},
      {"12.50", true, 125000}, {"-5.49", true, -54900}, {"12d2", true, 12000000},
      {"1 234.50", true, 10000}, {"1e400", true, inf}, {"-1e400", true, -inf}, {"1e-400", true, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.text + "\"");
    DecimalReading read = ParseScaledDecimal(c.text, 4);
    EXPECT_EQ(read.found, c.found);
    EXPECT_EQ(Bits(read.value), Bits(c.value)) << read.value;
    EXPECT_EQ(Bits(ReadScaledDecimal(c.text, 4)), Bits(c.value));
  }
}

TEST(DecimalNumber, ExtremeTextsStayFiniteWorkAndNeverNaN) {
  struct LongCase {
    std::string text;
    double expected;
  };
  const double inf = std::numeric_limits<double>::infinity();
  const LongCase cases[] = {
      {std::string(5000, '9'), inf},
      {"0," + std::string(5000, '0') + "1", 0},
      {"1" + std::string(300, '0'), 1e300},
      {"1" + std::string(400, '0') + "e-400", 1},
      {"1" + std::string(2000, '0') + "e-2000", 1},
      {"0," + std::string(2000, '0') + "1e2001", 1},
      {"1e" + std::string(60, '9'), inf},
      {"1e-" + std::string(60, '9'), 0},
      {"0e" + std::string(60, '9'), 0},
      // Beyond the digits kept, a nonzero digit still decides a tie.
      {"9007199254740993" + std::string(1000, '0') + "1e-1001", 9007199254740994.0},
      {"9007199254740993" + std::string(1000, '0') + "e-1000", 9007199254740992.0},
      {"1," + std::string(3000, '2'), 11.0 / 9.0},
      // Leading fraction zeros and dropped whole digits count no further than 10^5.
      {"0," + std::string(100001, '0') + "1", 0},
      {std::string(100801, '1'), inf},
  };
  for (const LongCase& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 40) + "... (" + std::to_string(c.text.size()) + " bytes)");
    EXPECT_EQ(Bits(Convert(c.text)), Bits(c.expected));
  }
}

// Scaled in the conversion, a price in the stored units is the decimal value rounded
// once: whole numbers come out exact, whatever the platform's floating point.
TEST(DecimalNumber, PricesScaleExactly) {
  const NumberCase cases[] = {{"12,50", 125000.0},    {"0,01", 100.0},  {"1234,56", 12345600.0},
                              {"0,0001", 1.0},        {"19,99", 199900.0}, {"1,005", 10050.0},
                              {"-0,29", -2900.0},     {"4,35", 43500.0},  {"0,00005", 0.5},
                              {"1e-4", 1.0},          {"12d-2", 1200.0},  {"1,15", 11500.0}};
  for (const NumberCase& c : cases) {
    SCOPED_TRACE(c.text);
    std::string text = c.text;
    CommaToPoint(text.data());
    EXPECT_EQ(Bits(ReadScaledDecimal(text.c_str(), 4)), Bits(c.expected));
  }
}

#ifndef _WIN32
// glibc's strtod rounds correctly in the "C" locale: random decimal texts of every
// length and exponent must give the same double.
TEST(DecimalNumber, AgreesWithCorrectlyRoundingReference) {
  std::mt19937_64 random(20261208);
  for (int i = 0; i < 30000; ++i) {
    std::string text;
    if (random() % 4 == 0) text += '-';
    int digits = 1 + static_cast<int>(random() % (i % 10 == 0 ? 60 : 20));
    int point = static_cast<int>(random() % (digits + 1));
    for (int d = 0; d < digits; ++d) {
      if (d == point) text += '.';
      text += static_cast<char>('0' + random() % 10);
    }
    int exponent = static_cast<int>(random() % 700) - 350;
    bool withExponent = random() % 2;
    std::string full = withExponent ? text + "e" + std::to_string(exponent) : text;
    std::string scaled = text + "e" + std::to_string((withExponent ? exponent : 0) + 4);
    SCOPED_TRACE(full);
    ASSERT_EQ(Bits(ReadDecimalNumber(full.c_str())), Bits(std::strtod(full.c_str(), nullptr)));
    ASSERT_EQ(Bits(ReadScaledDecimal(full.c_str(), 4)), Bits(std::strtod(scaled.c_str(), nullptr)));
  }
}
#endif

}  // namespace
