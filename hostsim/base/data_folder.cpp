#include "hostsim/base/data_folder.h"

namespace hostsim {

std::string dataFolder = ".";

std::string DataPath(const std::string& name) {
  if (dataFolder.empty()) return name;
  char last = dataFolder.back();
  return dataFolder + (last == '/' || last == '\\' ? "" : "/") + name;
}

}  // namespace hostsim
