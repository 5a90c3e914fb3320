// The decimal numbers of the price file, read the same way on every platform.
#pragma once

// Reads the number at the start of text: white space is skipped, then an optional
// sign, digits with an optional fraction after '.', and an optional exponent (e, E,
// d or D, an optional sign, digits). Stops at the first byte that does not fit; no
// number at all gives 0. Correctly rounded to the nearest double; never NaN; too
// large gives infinity, too small zero. Independent of the C locale.
double ReadDecimalNumber(const char* text);
