// The decimal numbers of the price file, read the same way on every platform.
#pragma once

// Reads the number at the start of text: white space is skipped, then an optional
// sign, digits with an optional fraction after '.', and an optional exponent (e, E,
// d or D, an optional sign, digits). Stops at the first byte that does not fit; no
// number at all gives 0. Correctly rounded to the nearest double; never NaN; too
// large gives infinity, too small zero. Independent of the C locale.
double ReadDecimalNumber(const char* text);

// The same number times 10^powerOfTen, rounded once: "19,99" with 4 gives 199900
// exactly, where 19.99 * 10000 in doubles gives 199899.99999999997 (and on x87 yet
// another value).
double ReadScaledDecimal(const char* text, int powerOfTen);

// What ReadScaledDecimal reads, and whether the text held a number at all.
struct DecimalReading {
  double value;  // as ReadScaledDecimal gives it; 0 when nothing was found
  bool found;    // at least one digit was read
};

// ReadScaledDecimal that also tells a text without any digit ("", "-", ".", "abc")
// from one that reads as zero ("0", "-0", "0x10"). A "-0" keeps its sign, as the
// text gives it; the caller decides what a signed zero means to it.
DecimalReading ParseScaledDecimal(const char* text, int powerOfTen);
