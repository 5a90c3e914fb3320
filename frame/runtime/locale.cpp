// errno and the "C" locale, the only locale this runtime has: what the formatted print
// asks for (the decimal point, the conversion of single characters).
#include <cerrno>
#include <climits>
#include <clocale>
#include <cwchar>

#include "frame/runtime/runtime.h"

namespace {

int errorNumber;

// The "C" locale's numeric and monetary conventions; CHAR_MAX means "not given".
char empty[] = "";
char point[] = ".";
lconv cLocale = {
    .decimal_point = point, .thousands_sep = empty, .grouping = empty, .int_curr_symbol = empty,
    .currency_symbol = empty, .mon_decimal_point = empty, .mon_thousands_sep = empty, .mon_grouping = empty,
    .positive_sign = empty, .negative_sign = empty, .int_frac_digits = CHAR_MAX, .frac_digits = CHAR_MAX,
    .p_cs_precedes = CHAR_MAX, .p_sep_by_space = CHAR_MAX, .n_cs_precedes = CHAR_MAX,
    .n_sep_by_space = CHAR_MAX, .p_sign_posn = CHAR_MAX, .n_sign_posn = CHAR_MAX,
    ._W_decimal_point = nullptr, ._W_thousands_sep = nullptr, ._W_int_curr_symbol = nullptr,
    ._W_currency_symbol = nullptr, ._W_mon_decimal_point = nullptr, ._W_mon_thousands_sep = nullptr,
    ._W_positive_sign = nullptr, ._W_negative_sign = nullptr};

}  // namespace

extern "C" {

// The cell of errno (one thread: the host calls the plug-in from one). The headers
// declare it imported; the runtime's own files set it through SetErrorNumber.
int* _errno() { return &errorNumber; }

void SetErrorNumber(int number) { errorNumber = number; }

// A text naming the error number. The plug-in shows none; the formatted print refers to
// it for %m, which nothing uses. Always the same text.
char* strerror(int) {
  static char text[] = "Unknown error";
  return text;
}

// The "C" locale's conventions: the decimal point "." and no grouping.
lconv* localeconv() { return &cLocale; }

// "C" locale: every byte is the wide character of its value. Returns 0 for the
// terminator, 1 otherwise; -2 for an empty input; 0 without text.
size_t mbrtowc(wchar_t* wide, const char* text, size_t n, mbstate_t*) {
  if (!text) return 0;
  if (!n) return static_cast<size_t>(-2);
  unsigned char byte = static_cast<unsigned char>(*text);
  if (wide) *wide = byte;
  return byte ? 1 : 0;
}

// "C" locale: a wide character below 256 is the byte of its value; any other is
// EILSEQ and -1. Returns the number of bytes written (1).
size_t wcrtomb(char* text, wchar_t wide, mbstate_t*) {
  if (!text) return 1;
  if (static_cast<unsigned>(wide) > 255) {
    SetErrorNumber(EILSEQ);
    return static_cast<size_t>(-1);
  }
  *text = static_cast<char>(wide);
  return 1;
}

}  // extern "C"
