// The end of a preview: the goods files of the data folder against their copies after
// the run, the report files and the summary of the run, shown and written as
// preview.csv and preview.html into the scratch folder.
#pragma once
#include <functional>
#include <string>

#include "hostsim/preview/preview.h"

namespace hostsim::preview {

// Everything a preview shows, from the folders (full paths), the transcript of the
// run (its last summary, 52029's "Ilość towarów odczytana z pliku: ...") and the
// settings it saved (the stand-in's settings file of the working folder: the copy).
Preview CollectPreview(const std::string& dataFolder, const std::string& scratchFolder, double warnPercent);

// Prints the preview's lines through print, writes preview.csv and preview.html into
// the scratch folder and prints their paths. false with the reason in error when a
// page cannot be written (what could be was written and printed).
bool PresentPreview(const Preview& p, const std::function<void(const std::string&)>& print, std::string& error);

}  // namespace hostsim::preview
