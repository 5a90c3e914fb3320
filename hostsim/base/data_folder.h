// Where the stand-in keeps the host's files: the settings file, the goods files and
// the price-change journal.
#pragma once
#include <string>

namespace hostsim {

extern std::string dataFolder;  // "." unless configured

// dataFolder joined with a file name.
std::string DataPath(const std::string& name);

}  // namespace hostsim
