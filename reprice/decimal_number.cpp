// Decimal text to double without strtod (which reads hexadecimal, "inf" and "nan"
// and follows the locale's decimal point). Small numbers take an exact floating-point
// shortcut; everything else is rounded exactly with big integers.
#include "reprice/decimal_number.h"

#include <cfloat>
#include <cmath>
#include <cstdint>

namespace {

// Significant digits kept; any later nonzero digit only marks the value as a little
// larger. 768 digits always suffice to round a double correctly.
constexpr int MaxDigits = 800;
// Decimal exponents beyond these make the value infinite or zero whatever its digits.
constexpr int64_t MaxDecimalExponent = 310;
constexpr int64_t MinDecimalExponent = -330;
constexpr int64_t ExponentSaturation = 100000;

// Powers of ten that a double holds exactly (10^22 is the largest).
constexpr double ExactPowerOfTen[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
// m / 10^k is correctly rounded when the division is. On x87 with 64-bit precision
// (FLT_EVAL_METHOD 2) it is rounded twice, which stays exact only up to 10^3.
constexpr int MaxExactDivisorExponent = FLT_EVAL_METHOD == 0 ? 22 : 3;
constexpr uint64_t Exact53 = uint64_t{1} << 53;
constexpr uint64_t ExactIntegerPowerOfTen[16] = {
    1ull, 10ull, 100ull, 1000ull, 10000ull, 100000ull, 1000000ull, 10000000ull,
    100000000ull, 1000000000ull, 10000000000ull, 100000000000ull, 1000000000000ull,
    10000000000000ull, 100000000000000ull, 1000000000000000ull};

// Unsigned big integer, 32-bit words from the least significant; 128 words hold the
// widest number the rounding needs (10^1131 shifted left by 58 bits).
struct BigNumber {
  uint32_t word[128];
  int size;  // words in use, no leading zero word
};

// b = value.
void SetSmall(BigNumber& b, uint32_t value) {
  b.word[0] = value;
  b.size = value ? 1 : 0;
}

// b = b * factor + add.
void MultiplyAdd(BigNumber& b, uint32_t factor, uint32_t add) {
  uint64_t carry = add;
  for (int i = 0; i < b.size; ++i) {
    uint64_t t = uint64_t{b.word[i]} * factor + carry;
    b.word[i] = static_cast<uint32_t>(t);
    carry = t >> 32;
  }
  if (carry) b.word[b.size++] = static_cast<uint32_t>(carry);
}

// b = b * 10^exponent, nine digits at a time; a negative exponent leaves b as it is.
void MultiplyByPowerOfTen(BigNumber& b, int64_t exponent) {
  for (; exponent >= 9; exponent -= 9) MultiplyAdd(b, 1000000000u, 0);
  if (exponent > 0) MultiplyAdd(b, static_cast<uint32_t>(ExactIntegerPowerOfTen[exponent]), 0);
}

// b = b * 2^bits (bits not negative); zero stays zero.
void ShiftLeft(BigNumber& b, int bits) {
  if (b.size == 0) return;
  int words = bits / 32, rest = bits % 32;
  if (rest) {
    uint32_t carry = 0;
    for (int i = 0; i < b.size; ++i) {
      uint32_t w = b.word[i];
      b.word[i] = (w << rest) | carry;
      carry = w >> (32 - rest);
    }
    if (carry) b.word[b.size++] = carry;
  }
  if (words) {
    for (int i = b.size - 1; i >= 0; --i) b.word[i + words] = b.word[i];
    for (int i = 0; i < words; ++i) b.word[i] = 0;
    b.size += words;
  }
}

// Leading zero bits of a nonzero word.
int LeadingZeros(uint32_t w) {
  int n = 0;
  while (!(w & 0x80000000u)) ++n, w <<= 1;
  return n;
}

// quotient = numerator / divisor (divisor nonzero), by long division one 32-bit word
// at a time (Knuth's algorithm D: each quotient word is estimated from the top words
// and corrected at most twice). Returns whether the remainder is nonzero. numerator
// is used as the work area and left undefined.
bool Divide(BigNumber& numerator, const BigNumber& divisor, BigNumber& quotient) {
  const int n = divisor.size, m = numerator.size;
  quotient.size = 0;
  if (m < n) return m != 0;
  if (n == 1) {  // short division
    uint64_t rest = 0;
    for (int i = m - 1; i >= 0; --i) {
      uint64_t part = (rest << 32) | numerator.word[i];
      quotient.word[i] = static_cast<uint32_t>(part / divisor.word[0]);
      rest = part % divisor.word[0];
    }
    quotient.size = m;
    while (quotient.size && quotient.word[quotient.size - 1] == 0) --quotient.size;
    return rest != 0;
  }
  // Normalise: shift both left until the divisor's top bit is set; the quotient stays.
  const int s = LeadingZeros(divisor.word[n - 1]);
  uint32_t v[128], u[129];
  for (int i = n - 1; i > 0; --i) v[i] = (divisor.word[i] << s) | (s ? divisor.word[i - 1] >> (32 - s) : 0);
  v[0] = divisor.word[0] << s;
  u[m] = s ? numerator.word[m - 1] >> (32 - s) : 0;
  for (int i = m - 1; i > 0; --i) u[i] = (numerator.word[i] << s) | (s ? numerator.word[i - 1] >> (32 - s) : 0);
  u[0] = numerator.word[0] << s;
  constexpr uint64_t Base = uint64_t{1} << 32;
  for (int j = m - n; j >= 0; --j) {
    uint64_t top = (uint64_t{u[j + n]} << 32) | u[j + n - 1];
    uint64_t qhat = top / v[n - 1], rhat = top % v[n - 1];
    while (qhat >= Base || qhat * v[n - 2] > ((rhat << 32) | u[j + n - 2])) {
      --qhat;
      rhat += v[n - 1];
      if (rhat >= Base) break;
    }
    // u[j .. j+n] -= qhat * v; a borrow out of the top means qhat was one too large.
    int64_t borrow = 0, t;
    for (int i = 0; i < n; ++i) {
      uint64_t product = qhat * v[i];
      t = int64_t{u[i + j]} - borrow - static_cast<int64_t>(product & 0xFFFFFFFFu);
      u[i + j] = static_cast<uint32_t>(t);
      borrow = static_cast<int64_t>(product >> 32) - (t >> 32);
    }
    t = int64_t{u[j + n]} - borrow;
    u[j + n] = static_cast<uint32_t>(t);
    if (t < 0) {  // add one divisor back
      --qhat;
      uint64_t carry = 0;
      for (int i = 0; i < n; ++i) {
        uint64_t sum = uint64_t{u[i + j]} + v[i] + carry;
        u[i + j] = static_cast<uint32_t>(sum);
        carry = sum >> 32;
      }
      u[j + n] += static_cast<uint32_t>(carry);
    }
    quotient.word[j] = static_cast<uint32_t>(qhat);
  }
  quotient.size = m - n + 1;
  while (quotient.size && quotient.word[quotient.size - 1] == 0) --quotient.size;
  for (int i = 0; i < n; ++i)
    if (u[i]) return true;
  return false;
}

// Bits up to and including the highest set one; 0 for zero.
int BitLength(const BigNumber& b) {
  if (b.size == 0) return 0;
  uint32_t top = b.word[b.size - 1];
  int bits = 0;
  while (top) ++bits, top >>= 1;
  return (b.size - 1) * 32 + bits;
}

// The double nearest to numerator / denominator (both nonzero), ties to even. Takes a
// 57-58 bit quotient by long division, then rounds it once, subnormals included.
double RoundQuotient(BigNumber& numerator, BigNumber& denominator) {
  int shift = 57 - (BitLength(numerator) - BitLength(denominator));
  if (shift > 0) ShiftLeft(numerator, shift);
  if (shift < 0) ShiftLeft(denominator, -shift);
  // numerator / denominator now lies in [2^56, 2^58): its whole part has 57 or 58 bits.
  static BigNumber quotient;
  bool sticky = Divide(numerator, denominator, quotient);
  uint64_t q = quotient.word[0] | uint64_t{quotient.word[1]} << 32;  // two words: 57-58 bits
  int64_t exponent = -shift;  // the value is (q + fraction) * 2^exponent
  // Keep 54 bits: 53 of the result and one rounding bit (so at least 3 bits go); more
  // for a subnormal, whose last bit is worth 2^-1074. q is not zero, so when every bit
  // goes the rest is not either.
  int64_t drop = 3;
  while ((q >> (54 + drop)) != 0) ++drop;
  if (exponent + drop + 1 < -1074) drop = -1074 - 1 - exponent;
  if (drop >= 64) {
    sticky = true;
    q = 0;
  } else {
    sticky = sticky || (q & ((uint64_t{1} << drop) - 1)) != 0;
    q >>= drop;
  }
  exponent += drop;
  uint64_t mantissa = q >> 1;
  if ((q & 1) && (sticky || (mantissa & 1))) ++mantissa;
  return std::ldexp(static_cast<double>(mantissa), static_cast<int>(exponent + 1));
}

bool IsSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// The number's digits without leading zeros, and the power of ten they are scaled by.
struct DecimalDigits {
  unsigned char digit[MaxDigits + 1];
  int count;
  int64_t exponent;
  bool negative;
  bool found;  // at least one digit was read
};

// Adds the digit c (of the fraction when fraction is set) to d: leading zeros only move
// the exponent, digits past MaxDigits are dropped (dropped notes a nonzero one) and
// scale the value instead. The exponent saturates at +-ExponentSaturation.
void TakeDigit(DecimalDigits& d, unsigned char c, bool fraction, bool& dropped) {
  int value = c - '0';
  if (d.count == 0 && value == 0) {
    if (fraction && d.exponent > -ExponentSaturation) --d.exponent;
    return;
  }
  if (d.count < MaxDigits) {
    d.digit[d.count++] = static_cast<unsigned char>(value);
    if (fraction) --d.exponent;
    return;
  }
  if (value) dropped = true;
  if (!fraction && d.exponent < ExponentSaturation) ++d.exponent;
}

// Reads the digits at p, with a fraction after '.', into d; returns the first byte
// after them. d.found tells whether there was any digit.
const unsigned char* ParseDigits(const unsigned char* p, DecimalDigits& d) {
  bool dropped = false;
  for (; IsDigit(*p); ++p) d.found = true, TakeDigit(d, *p, false, dropped);
  if (*p == '.') {
    for (++p; IsDigit(*p); ++p) d.found = true, TakeDigit(d, *p, true, dropped);
  }
  if (dropped) {  // a digit 1 after the kept ones stands for the dropped tail
    d.digit[d.count++] = 1;
    --d.exponent;
  }
  return p;
}

// The exponent part, when a digit follows the letter and its sign; else 0.
int64_t ParseExponent(const unsigned char* p) {
  if (*p != 'e' && *p != 'E' && *p != 'd' && *p != 'D') return 0;
  ++p;
  bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  if (!IsDigit(*p)) return 0;
  int64_t value = 0;
  for (; IsDigit(*p); ++p) {
    value = value * 10 + (*p - '0');
    if (value > ExponentSaturation) value = ExponentSaturation;
  }
  return negative ? -value : value;
}

// The double nearest to the digits times 10^exponent, without the sign (that is the
// caller's): in doubles when the shortcut is exact, else with big integers.
double Magnitude(const DecimalDigits& d, int64_t exponent) {
  if (d.count == 0) return 0.0;
  if (d.count + exponent > MaxDecimalExponent) return HUGE_VAL;
  if (d.count + exponent < MinDecimalExponent) return 0.0;
  if (d.count <= 19) {  // the digits fit in 64 bits
    uint64_t m = 0;
    for (int i = 0; i < d.count; ++i) m = m * 10 + d.digit[i];
    // An integer product up to 2^53 is exact; 10^16 and above never gives one.
    if (exponent >= 0 && exponent <= 15 && m <= Exact53 / ExactIntegerPowerOfTen[exponent])
      return static_cast<double>(m * ExactIntegerPowerOfTen[exponent]);
    if (m <= Exact53 && exponent < 0 && -exponent <= MaxExactDivisorExponent)
      return static_cast<double>(m) / ExactPowerOfTen[-exponent];
  }
  static BigNumber numerator, denominator;
  SetSmall(numerator, 0);
  for (int i = 0; i < d.count; ++i) MultiplyAdd(numerator, 10, d.digit[i]);
  SetSmall(denominator, 1);
  if (exponent >= 0) MultiplyByPowerOfTen(numerator, exponent);
  if (exponent < 0) MultiplyByPowerOfTen(denominator, -exponent);
  return RoundQuotient(numerator, denominator);
}

}  // namespace

double ReadDecimalNumber(const char* text) { return ReadScaledDecimal(text, 0); }

double ReadScaledDecimal(const char* text, int powerOfTen) { return ParseScaledDecimal(text, powerOfTen).value; }

DecimalReading ParseScaledDecimal(const char* text, int powerOfTen) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  while (IsSpace(*p)) ++p;
  static DecimalDigits d;
  d.count = 0;
  d.exponent = 0;
  d.found = false;
  d.negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  p = ParseDigits(p, d);
  if (!d.found) return {0.0, false};
  double value = Magnitude(d, d.exponent + ParseExponent(p) + powerOfTen);
  return {d.negative ? -value : value, true};
}
