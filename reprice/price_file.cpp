// Reading the price file into the price list.
#include "host/services.h"
#include "reprice/decimal_number.h"
#include "reprice/price_list.h"
#include "reprice/text_reader.h"

namespace {

constexpr int FieldSymbol = 0;
constexpr int FieldName = 1;
constexpr int FieldPrice = 4;
constexpr int PriceScaleDigits = 4;
static_assert(PriceScale == 1e4);

TextReader priceFile;

}  // namespace

ReadResult ReadPriceFile(const char* path) {
  if (!OpenTextReader(priceFile, path)) return ReadResult::CannotOpen;
  static char line[256], symbol[256], priceText[256], name[256];
  while (!stopRequested() && ReadTextLine(priceFile, line, sizeof line)) {
    if (GetLineField(FieldSymbol, line, symbol) || GetLineField(FieldPrice, line, priceText) ||
        GetLineField(FieldName, line, name))
      continue;
    CommaToPoint(priceText);
    // Scaled while converting, so the price is the exact decimal value rounded once
    // and the same on every platform.
    double price = roundAmount(ReadScaledDecimal(priceText, PriceScaleDigits), PriceRoundingStep);
    if (AddPriceEntry(price, name, symbol)) {
      CloseTextReader(priceFile);
      ClearPriceList();
      return ReadResult::OutOfMemory;
    }
  }
  CloseTextReader(priceFile);
  return ReadResult::Read;
}
