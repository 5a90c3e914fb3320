// Prices as the reports show them: the stored value (ten-thousandths of the currency
// unit) divided by PriceScale, with two decimals, right-aligned in a width, exactly as
// the formatted print writes it with "%10.2f" or "%20.2f".
#pragma once
#include <cstddef>

// Room for the longest such text and its terminator: the largest double divided by
// PriceScale has 305 digits before the point.
inline constexpr std::size_t PriceTextSize = 320;

// Writes stored / PriceScale as "%<width>.2f" does into text (PriceTextSize bytes),
// terminated, and returns its length; width is at most 100. A whole number of
// hundredths (every price the host has rounded) is written from its integer; any other
// value (a goods file's raw double, a huge number, infinity, NaN) by the print itself.
std::size_t PriceText(char* text, double stored, int width);
