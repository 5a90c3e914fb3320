// Prices as the reports show them ("%10.2f" and "%20.2f" of the stored value divided by
// 10000): the text written from the integer of a whole number of hundredths, the print
// for everything else, the same bytes either way.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "reprice/price_text.h"

namespace {

struct PriceRow {
  const char* label;
  double stored;     // ten-thousandths of the unit, as entries and goods records hold them
  const char* at10;  // "%10.2f" of stored / 10000
  const char* at20;  // "%20.2f"
};

const double Nan = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();

const PriceRow Rows[] = {
    // whole hundredths, 0 to the largest the integer path takes, and one past it
    {"zero", 0.0, "      0.00", "                0.00"},
    {"one hundredth", 100.0, "      0.01", "                0.01"},
    {"12.30", 123000.0, "     12.30", "               12.30"},
    {"13.53", 135300.0, "     13.53", "               13.53"},
    {"10000.00", 1e8, "  10000.00", "            10000.00"},
    {"fills 10", 99999999900.0, "9999999.99", "          9999999.99"},
    {"wider than 10", 99999999999900.0, "9999999999.99", "       9999999999.99"},
    {"1e11", 1e15, "100000000000.00", "     100000000000.00"},
    {"largest whole", 9007199254740900.0, "900719925474.09", "     900719925474.09"},
    {"2^53, past it", 9007199254740992.0, "900719925474.10", "     900719925474.10"},
    {"1e15 units", 1e19, "1000000000000000.00", " 1000000000000000.00"},
    {"1e20 units", 1e24, "100000000000000000000.00", "100000000000000000000.00"},
    // negative, and zero with its sign
    {"-0.01", -100.0, "     -0.01", "               -0.01"},
    {"-12.50", -125000.0, "    -12.50", "              -12.50"},
    {"largest negative whole", -9007199254740900.0, "-900719925474.09", "    -900719925474.09"},
    {"-0", -0.0, "     -0.00", "               -0.00"},
    // halfway between two hundredths: the print rounds the exact binary value
    {"0.125 (a tie, to even)", 1250.0, "      0.12", "                0.12"},
    {"0.375 (a tie, to even)", 3750.0, "      0.38", "                0.38"},
    {"0.005 (just above)", 50.0, "      0.01", "                0.01"},
    {"2.675 (just below)", 26750.0, "      2.67", "                2.67"},
    {"-0.125", -1250.0, "     -0.12", "               -0.12"},
    // not whole hundredths: a goods file's raw doubles, ten-thousandths, fractions
    {"12.3 * 10000 as a double", 12.3 * 10000, "     12.30", "               12.30"},
    {"just above 12.30", 123000.00000001, "     12.30", "               12.30"},
    {"one ten-thousandth", 1.0, "      0.00", "                0.00"},
    {"half of one, a power of two", 0.5, "      0.00", "                0.00"},
    {"minus one ten-thousandth", -1.0, "     -0.00", "               -0.00"},
    {"half a hundredth less", 99.5, "      0.01", "                0.01"},
    {"smallest subnormal", 4.9406564584124654e-324, "      0.00", "                0.00"},
    // huge and not numbers
    {"1e26 units", 1e30, "100000000000000004764729344.00", "100000000000000004764729344.00"},
    {"infinity", Inf, "       inf", "                 inf"},
    {"minus infinity", -Inf, "      -inf", "                -inf"},
    {"NaN", Nan, "       nan", "                 nan"},
};

// The print's text of stored / 10000 in the width.
std::string Printed(double stored, int width) {
  char text[PriceTextSize];
  std::snprintf(text, sizeof text, "%*.2f", width, stored / 10000.0);
  return text;
}

// PriceText's text of stored in the width, its length checked against the text.
std::string Written(double stored, int width) {
  char text[PriceTextSize];
  std::memset(text, '#', sizeof text);
  std::size_t length = PriceText(text, stored, width);
  EXPECT_EQ(length, std::strlen(text));
  return text;
}

TEST(PriceText, EveryValueClassAsThePrintWritesIt) {
  for (const PriceRow& r : Rows) {
    SCOPED_TRACE(r.label);
    EXPECT_EQ(Written(r.stored, 10), r.at10);
    EXPECT_EQ(Written(r.stored, 20), r.at20);
    EXPECT_EQ(Printed(r.stored, 10), r.at10);  // the literals are the print's bytes
    EXPECT_EQ(Printed(r.stored, 20), r.at20);
  }
}

TEST(PriceText, TheLargestDoubleAsThePrintWritesIt) {
  const double largest = std::numeric_limits<double>::max();
  std::string text = Written(largest, 10);
  EXPECT_EQ(text.size(), 305u + 3u);  // 305 digits, the point, two decimals
  EXPECT_EQ(text.substr(0, 10), "1797693134");
  EXPECT_EQ(text, Printed(largest, 10));
  EXPECT_EQ(Written(-largest, 20), Printed(-largest, 20));
}

// Random values of every kind, each against the print: whole hundredths of every size
// up to 2^53 and past it, their neighbours one step of the double away, and random bit
// patterns (every exponent, subnormals, infinities, NaNs).
TEST(PriceText, RandomDoublesAsThePrintWritesThem) {
  std::mt19937_64 random(20240601);
  int mismatches = 0;
  auto check = [&](double stored) {
    for (int width : {10, 20}) {
      if (Written(stored, width) == Printed(stored, width)) continue;
      if (++mismatches <= 5) ADD_FAILURE() << "stored " << stored << " width " << width;
    }
  };
  for (int i = 0; i < 30000; ++i) {
    int64_t hundredths = static_cast<int64_t>(random() >> (random() % 64)) / 100;  // up to ~1.8e17
    if (random() & 1) hundredths = -hundredths;
    double stored = static_cast<double>(hundredths) * 100.0;
    check(stored);
    check(std::nextafter(stored, Inf));
    check(std::nextafter(stored, -Inf));
    uint64_t bits = random();
    double any;
    std::memcpy(&any, &bits, sizeof any);
    check(any);
  }
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
