// Reading the price file into the price list.
#include "host/services.h"
#include "reprice/decimal_number.h"
#include "reprice/price_file_code_page.h"
#include "reprice/price_list.h"
#include "reprice/text_reader.h"

namespace {

constexpr int FieldSymbol = 0;
constexpr int FieldName = 1;
constexpr int FieldPrice = 4;
constexpr int PriceScaleDigits = 4;
static_assert(PriceScale == 1e4);

TextReader priceFile;

// The price field's number in ten-thousandths, rounded by the host; scaled while
// converting, so it is the exact decimal value rounded once, the same on every platform.
// bad: the field held no number, or one below zero, which no goods record may take.
// A zero loses its sign ("-0" is the price 0): no report shows -0.00, no record gets -0.0.
double ReadPrice(const char* priceText, bool& bad) {
  DecimalReading read = ParseScaledDecimal(priceText, PriceScaleDigits);
  bad = !read.found || read.value < 0;
  double value = read.value == 0 ? 0.0 : read.value;
  return roundAmount(value, PriceRoundingStep);
}

}  // namespace

ReadResult ReadPriceFile(const char* path) {
  priceFileCodePage = {};
  if (!OpenTextReader(priceFile, path)) return ReadResult::CannotOpen;
  static char line[256], symbol[256], priceText[256], name[256];
  for (bool first = true; !stopRequested() && ReadTextLine(priceFile, line, sizeof line); first = false) {
    if (first) DropByteOrderMark(priceFile, line, sizeof line);
    if (GetLineField(FieldSymbol, line, symbol) || GetLineField(FieldPrice, line, priceText) ||
        GetLineField(FieldName, line, name))
      continue;
    NoteCodePage(priceFileCodePage, symbol);
    NoteCodePage(priceFileCodePage, name);
    CommaToPoint(priceText);
    bool badPrice;
    double price = ReadPrice(priceText, badPrice);
    if (AddPriceEntry(price, name, symbol, badPrice)) {
      CloseTextReader(priceFile);
      ClearPriceList();
      return ReadResult::OutOfMemory;
    }
  }
  CloseTextReader(priceFile);
  return ReadResult::Read;
}
