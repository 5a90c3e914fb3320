// The warnings about a run as a whole, from what the preview has: the price file as
// the run named it and as the copy holds it, and the summary the plug-in showed. Each
// is one line (UTF-8) that names what is wrong and what to do.
#pragma once
#include <string>
#include <vector>

namespace hostsim::preview {

// The options the run saved in the host's settings (section "Przecena").
struct RunSettings {
  std::string priceFile;  // "Path", UTF-8; empty: none
  int identifyBy;         // "Index": 0 symbol, 1 index, 2 remarks
  int warehouse;          // "Mag"
};

// The warnings, in this order: no summary, or a price file outside the data folder
// (which the copy lacks); an empty price file, one without a TAB, one without a line of
// five fields; not in Mazovia; a price field that is no price; lines read of which none
// matched a goods record. The folders are full paths; summary empty: none was shown.
std::vector<std::string> RunWarnings(const std::string& dataFolder, const std::string& scratchFolder,
                                     const RunSettings& settings, const std::string& summary);

}  // namespace hostsim::preview
