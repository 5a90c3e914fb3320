// The runtime's formatted print into a caller's buffer, what the lazy import of
// "wsprintfA" binds to. Each conversion is formatted by mingw-w64's static formatted
// print (__mingw_sprintf, the same one behind std::snprintf), one conversion at a time,
// so the format syntax of the system's C runtime can be kept: the length modifiers I64,
// I32 and I, L on a double (a double), and exponents of at least three digits.
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "frame/runtime/runtime.h"

namespace {

// One conversion as written, with '*' replaced by its number: the text handed to
// __mingw_sprintf with the conversion's one argument.
struct Conversion {
  char text[48];
  int length = 0;
  int widthAt = -1;     // where the width starts in text, -1 when there is none
  int widthEnd = -1;
  int width = 0;
  bool leftAlign = false;
  bool zeroPad = false;

  void Put(char c) {
    if (length < static_cast<int>(sizeof text) - 1) text[length++] = c;
    text[length] = 0;
  }
  void PutNumber(int n) {
    char digits[12];
    int count = 0;
    do digits[count++] = static_cast<char>('0' + n % 10); while (n /= 10);
    while (count) Put(digits[--count]);
  }
};

bool IsFlag(char c) { return c == '-' || c == '+' || c == ' ' || c == '#' || c == '0'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads flags, width and precision of the conversion at `format` (after '%') into
// `c`, taking '*' values from the arguments. Returns where the length modifier starts.
const char* ReadFieldSpec(const char* format, Conversion& c, va_list& arguments) {
  while (IsFlag(*format)) {
    c.leftAlign |= *format == '-';
    c.zeroPad |= *format == '0';
    c.Put(*format++);
  }
  int width = -1;
  if (*format == '*') {
    width = va_arg(arguments, int);
    ++format;
    if (width < 0) {
      c.leftAlign = true;
      c.Put('-');
      width = -width;
    }
  } else if (IsDigit(*format)) {
    width = 0;
    while (IsDigit(*format)) width = width * 10 + (*format++ - '0');
  }
  if (width >= 0) {
    c.widthAt = c.length;
    c.PutNumber(width);
    c.widthEnd = c.length;
    c.width = width;
  }
  if (*format != '.') return format;
  ++format;
  int precision = 0;
  if (*format == '*') {
    precision = va_arg(arguments, int);
    ++format;
  } else {
    while (IsDigit(*format)) precision = precision * 10 + (*format++ - '0');
  }
  if (precision >= 0) {  // a negative precision counts as none
    c.Put('.');
    c.PutNumber(precision);
  }
  return format;
}

// A floating-point conversion written with a two-digit exponent, widened to the three
// digits of the system's runtime ("1e+20" becomes "1e+020"): formatted again without
// its width, the '0' put in, then padded to the width as the flags say.
int WidenExponent(char* out, int written, const Conversion& c, double value) {
  char* e = static_cast<char*>(std::memchr(out, 'e', written));
  if (!e) e = static_cast<char*>(std::memchr(out, 'E', written));
  if (!e) return written;  // no exponent (a fixed-point %g, inf, nan)
  int digits = 0;
  while (e + 2 + digits < out + written && IsDigit(e[2 + digits])) ++digits;
  if (digits != 2) return written;  // three digits already
  Conversion bare = c;
  if (c.widthAt >= 0) {
    std::memmove(bare.text + c.widthAt, c.text + c.widthEnd, c.length - c.widthEnd + 1);
    bare.length -= c.widthEnd - c.widthAt;
  }
  char natural[400];
  int n = __mingw_sprintf(natural, bare.text, value);
  std::memmove(natural + n - 1, natural + n - 2, 3);  // the two digits and the zero
  natural[n - 2] = '0';
  ++n;
  int pad = c.width > n ? c.width - n : 0;
  int signs = (natural[0] == '-' || natural[0] == '+' || natural[0] == ' ') ? 1 : 0;
  char* p = out;
  if (c.leftAlign) {
    std::memcpy(p, natural, n);
    std::memset(p + n, ' ', pad);
  } else if (c.zeroPad) {
    std::memcpy(p, natural, signs);
    std::memset(p + signs, '0', pad);
    std::memcpy(p + signs + pad, natural + signs, n - signs);
  } else {
    std::memset(p, ' ', pad);
    std::memcpy(p + pad, natural, n);
  }
  p[n + pad] = 0;
  return n + pad;
}

}  // namespace

extern "C" {

int FormattedPrintList(char* buffer, const char* format, va_list arguments) {
  char* out = buffer;
  while (*format) {
    if (*format != '%') {
      *out++ = *format++;
      continue;
    }
    const char* start = format++;
    Conversion c;
    c.Put('%');
    format = ReadFieldSpec(format, c, arguments);
    bool wide = false;  // a 64-bit integer
    if (format[0] == 'I' && format[1] == '6' && format[2] == '4') {
      wide = true;
      format += 3;
    } else if (format[0] == 'I' && format[1] == '3' && format[2] == '2') {
      format += 3;
    } else if (format[0] == 'l' && format[1] == 'l') {
      wide = true;
      format += 2;
    } else if (format[0] == 'I') {
      ++format;
    } else if (format[0] == 'h' || format[0] == 'l' || format[0] == 'w') {
      c.Put(format[0] == 'w' ? 'l' : format[0]);
      ++format;
    } else if (format[0] == 'L') {
      ++format;  // a long double of the system's runtime is a double
    }
    char letter = *format;
    if (letter) ++format;
    int written = 0;
    switch (letter) {
      case 'd': case 'i': case 'o': case 'u': case 'x': case 'X':
        if (wide) c.Put('l'), c.Put('l');
        c.Put(letter);
        written = wide ? __mingw_sprintf(out, c.text, va_arg(arguments, long long))
                       : __mingw_sprintf(out, c.text, va_arg(arguments, int));
        break;
      case 'c': case 'C':
        c.Put(letter);
        written = __mingw_sprintf(out, c.text, va_arg(arguments, int));
        break;
      case 'e': case 'E': case 'f': case 'g': case 'G': case 'a': case 'A': {
        c.Put(letter);
        double value = va_arg(arguments, double);
        written = __mingw_sprintf(out, c.text, value);
        if (letter != 'f' && letter != 'a' && letter != 'A') written = WidenExponent(out, written, c, value);
        break;
      }
      case 's': case 'S': case 'p':
        c.Put(letter);
        written = __mingw_sprintf(out, c.text, va_arg(arguments, void*));
        break;
      case 'n':
        *va_arg(arguments, int*) = static_cast<int>(out - buffer);
        break;
      case '%':
        *out = '%';
        written = 1;
        break;
      default:  // not a conversion: its text is copied as it stands
        written = static_cast<int>(format - start);
        std::memcpy(out, start, written);
        break;
    }
    out += written;
  }
  *out = 0;
  return static_cast<int>(out - buffer);
}

int __cdecl FormattedPrint(char* buffer, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  int length = FormattedPrintList(buffer, format, arguments);
  va_end(arguments);
  return length;
}

}  // extern "C"
