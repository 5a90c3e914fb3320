// Reading the price file into the price list.
#include "host/services.h"
#include "reprice/price_file_code_page.h"
#include "reprice/price_list.h"
#include "reprice/text_reader.h"

namespace {

TextReader priceFile;

}  // namespace

ReadResult ReadPriceFile(const char* path) {
  priceFileCodePage = {};
  if (!OpenTextReader(priceFile, path)) return ReadResult::CannotOpen;
  static char line[256], symbol[256], priceText[256], name[256];
  for (bool first = true; !stopRequested() && ReadTextLine(priceFile, line, sizeof line); first = false) {
    if (first) DropByteOrderMark(priceFile, line, sizeof line);
    if (!EntryFields(line, symbol, priceText, name)) continue;
    NoteCodePage(priceFileCodePage, symbol);
    NoteCodePage(priceFileCodePage, name);
    bool badPrice;
    double price = roundAmount(PriceFieldValue(priceText, badPrice), PriceRoundingStep);
    if (AddPriceEntry(price, name, symbol, badPrice)) {
      CloseTextReader(priceFile);
      ClearPriceList();
      return ReadResult::OutOfMemory;
    }
  }
  CloseTextReader(priceFile);
  return ReadResult::Read;
}
