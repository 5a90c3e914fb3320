#include "hostsim/preview/price_file_look.h"

#include <cstring>
#include <memory>

#include "hostsim/base/charset.h"
#include "hostsim/base/utf8_path.h"
#include "reprice/price_list.h"
#include "reprice/text_reader.h"

namespace hostsim::preview {

PriceFileLook LookAtPriceFile(const std::string& path) {
  PriceFileLook look{false, 0, 0, 0, PriceFileCodePage::Mazovia, 0, "", ""};
  auto reader = std::make_unique<TextReader>();  // closed, nothing read ahead
  reader->file = OpenUtf8(path, "rb");            // a UTF-8 name on every system
  if (!reader->file) return look;
  look.opened = true;
  CodePageNote note{};
  char line[256], symbol[256], priceText[256], name[256];
  for (bool first = true; ReadTextLine(*reader, line, sizeof line); first = false) {
    if (first) DropByteOrderMark(*reader, line, sizeof line);
    if (line[0] == '\n') continue;  // an empty line says nothing of the file's form
    ++look.lines;
    if (std::strchr(line, '\t')) ++look.linesWithTab;
    if (!EntryFields(line, symbol, priceText, name)) continue;
    ++look.entries;
    NoteCodePage(note, symbol);
    NoteCodePage(note, name);
    std::string text = priceText;
    bool noPrice;
    PriceFieldValue(priceText, noPrice);
    if (noPrice && look.noPrices++ == 0) {
      look.noPriceSymbol = MazoviaToUtf8(symbol);
      look.noPriceText = MazoviaToUtf8(text);
    }
  }
  CloseTextReader(*reader);
  look.codePage = CodePageOf(note);
  return look;
}

}  // namespace hostsim::preview
