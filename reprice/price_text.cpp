#include "reprice/price_text.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "reprice/price_list.h"

namespace {

// Below 2^53 every integer is exact, so stored is a multiple of 100 exactly when its
// quotient by 100 is an integer that gives it back. The printed quotient by PriceScale
// is then under 2^40, within 2^-14 of the two-decimal number, and the print's rounding
// to two decimals gives exactly that number's digits.
constexpr double WholeLimit = 9007199254740992.0;  // 2^53
constexpr int Hundredths = 100;
static_assert(PriceScale == 1e4 && PriceRoundingStep == Hundredths);

// Whether stored is a whole number of hundredths of the unit; hundredths receives it.
bool WholeHundredths(double stored, int64_t& hundredths) {
  if (!(stored > -WholeLimit && stored < WholeLimit)) return false;  // NaN too
  int64_t whole = static_cast<int64_t>(stored / Hundredths);
  if (static_cast<double>(whole) * Hundredths != stored) return false;
  hundredths = whole;
  return true;
}

}  // namespace

std::size_t PriceText(char* text, double stored, int width) {
  int64_t hundredths;
  if (!WholeHundredths(stored, hundredths)) {
    int length = std::snprintf(text, PriceTextSize, "%*.2f", width, stored / PriceScale);
    return length < 0 ? 0 : static_cast<std::size_t>(length);
  }
  // The digits from the last: two decimals, the point, the units (at least "0"), the
  // sign of stored (-0.0 too, which the print writes as "-0.00").
  char digits[24];
  char* p = digits + sizeof digits;
  uint64_t rest = hundredths < 0 ? 0 - static_cast<uint64_t>(hundredths) : static_cast<uint64_t>(hundredths);
  *--p = static_cast<char>('0' + rest % 10);
  rest /= 10;
  *--p = static_cast<char>('0' + rest % 10);
  rest /= 10;
  *--p = '.';
  do {
    *--p = static_cast<char>('0' + rest % 10);
    rest /= 10;
  } while (rest);
  if (std::signbit(stored)) *--p = '-';
  std::size_t length = static_cast<std::size_t>(digits + sizeof digits - p);
  std::size_t pad = static_cast<std::size_t>(width) > length ? static_cast<std::size_t>(width) - length : 0;
  std::memset(text, ' ', pad);
  std::memcpy(text + pad, p, length);
  text[pad + length] = 0;
  return pad + length;
}
