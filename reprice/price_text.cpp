#include "reprice/price_text.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "reprice/price_list.h"

namespace {

// Below 2^53 every integer is a double, and a multiple of 100 there divided by
// PriceScale prints (within 2^-14 of its two-decimal value, under 2^40) as exactly that
// value's digits. The test takes the double's bits apart with integers only: no
// floating-point work, which the 32-bit build would do on the x87 unit.
constexpr int MantissaBits = 52;
constexpr int ExponentBias = 1023;
constexpr int Hundredths = 100;
static_assert(PriceScale == 1e4 && PriceRoundingStep == Hundredths);

// Whether stored is a whole number of hundredths of the unit below 2^53 in magnitude;
// hundredths receives its magnitude in hundredths, negative its sign bit.
bool WholeHundredths(double stored, uint64_t& hundredths, bool& negative) {
  uint64_t bits;
  std::memcpy(&bits, &stored, sizeof bits);
  negative = bits >> 63;
  int exponent = static_cast<int>(bits >> MantissaBits & 0x7FF) - ExponentBias;
  uint64_t mantissa = bits & ((uint64_t{1} << MantissaBits) - 1);
  if (exponent < 0) {  // a zero, or a magnitude below 1
    if (mantissa != 0 || exponent != -ExponentBias) return false;
    hundredths = 0;
    return true;
  }
  if (exponent > MantissaBits) return false;  // 2^53 and beyond, infinity, NaN
  mantissa |= uint64_t{1} << MantissaBits;
  int fraction = MantissaBits - exponent;  // bits below the unit
  if (mantissa & ((uint64_t{1} << fraction) - 1)) return false;
  uint64_t whole = mantissa >> fraction;
  if (whole % Hundredths != 0) return false;
  hundredths = whole / Hundredths;
  return true;
}

}  // namespace

std::size_t PriceText(char* text, double stored, int width) {
  uint64_t hundredths;
  bool negative;
  if (!WholeHundredths(stored, hundredths, negative)) {
    int length = std::snprintf(text, PriceTextSize, "%*.2f", width, stored / PriceScale);
    return length < 0 ? 0 : static_cast<std::size_t>(length);
  }
  // The digits from the last: two decimals, the point, the units (at least "0"), the
  // sign of stored (-0.0 too, which the print writes as "-0.00"). Units that need more
  // than 32 bits take 64-bit divisions until they fit.
  char digits[24];
  char* p = digits + sizeof digits;
  uint32_t cents = static_cast<uint32_t>(hundredths % Hundredths);
  uint64_t units = hundredths / Hundredths;
  *--p = static_cast<char>('0' + cents % 10);
  *--p = static_cast<char>('0' + cents / 10);
  *--p = '.';
  for (; units > UINT32_MAX; units /= 10) *--p = static_cast<char>('0' + units % 10);
  uint32_t rest = static_cast<uint32_t>(units);
  do {
    *--p = static_cast<char>('0' + rest % 10);
    rest /= 10;
  } while (rest);
  if (negative) *--p = '-';
  std::size_t length = static_cast<std::size_t>(digits + sizeof digits - p);
  std::size_t pad = static_cast<std::size_t>(width) > length ? static_cast<std::size_t>(width) - length : 0;
  std::memset(text, ' ', pad);
  std::memcpy(text + pad, p, length);
  text[pad + length] = 0;
  return pad + length;
}
