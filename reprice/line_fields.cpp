// The fields of a price file line, the decimal comma of its price field and its number.
#include <cstring>

#include "host/services.h"
#include "reprice/decimal_number.h"
#include "reprice/price_list.h"

namespace {
constexpr char Tab = '\t';
constexpr int FieldBufferSize = 256;
constexpr int FieldSymbol = 0;
constexpr int FieldName = 1;
constexpr int FieldPrice = 4;
constexpr int PriceScaleDigits = 4;
static_assert(PriceScale == 1e4);
}  // namespace

int GetLineField(int k, char* line, char* out) {
  for (char* p = line; (p = std::strpbrk(p, "\r\n")); ++p) *p = Tab;
  const char* start = line;
  for (int passed = 0; passed < k; ++passed) {
    start = std::strchr(start, Tab);
    if (!start) return 1;
    ++start;
  }
  static char work[1024];
  copyText(work, start, sizeof work - 1);
  char* end = std::strchr(work, Tab);
  if (!end) return 1;
  // A line longer than the reader's 255 bytes could hold a longer field: it is cut to
  // what out holds rather than written past it.
  std::size_t length = static_cast<std::size_t>(end - work);
  if (length > FieldBufferSize - 1) length = FieldBufferSize - 1;
  std::memcpy(out, work, length);
  out[length] = 0;
  return 0;
}

void CommaToPoint(char* text) {
  for (; *text; ++text)
    if (*text == ',') *text = '.';
}

bool EntryFields(char* line, char* symbol, char* priceText, char* name) {
  return !GetLineField(FieldSymbol, line, symbol) && !GetLineField(FieldPrice, line, priceText) &&
         !GetLineField(FieldName, line, name);
}

// Scaled while converting, so it is the exact decimal value rounded once, the same on
// every platform. A zero loses its sign ("-0" is the price 0): no report shows -0.00,
// no record gets -0.0.
double PriceFieldValue(char* priceText, bool& noPrice) {
  CommaToPoint(priceText);
  DecimalReading read = ParseScaledDecimal(priceText, PriceScaleDigits);
  noPrice = !read.found || read.value < 0;
  return read.value == 0 ? 0.0 : read.value;
}
