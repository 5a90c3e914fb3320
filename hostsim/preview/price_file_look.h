// What the preview sees in the price file a run read: the lines as the plug-in reads
// them, by the plug-in's own reader, field rules and character set check.
#pragma once
#include <string>

#include "reprice/price_file_code_page.h"

namespace hostsim::preview {

struct PriceFileLook {
  bool opened;
  int lines;         // lines not empty, as the plug-in reads them (a longer one in pieces of 255 bytes)
  int linesWithTab;  // of them, lines holding a TAB
  int entries;       // accepted lines: fields 0, 1 and 4 exist
  PriceFileCodePage codePage;  // by the symbol and name fields of the entries
  int noPrices;                // entries whose price field is no price
  std::string noPriceSymbol, noPriceText;  // the first of them: its symbol and price field, as the host shows them (UTF-8)
};

// The price file at path (UTF-8); opened false (and nothing counted) when it cannot be opened.
PriceFileLook LookAtPriceFile(const std::string& path);

}  // namespace hostsim::preview
