#include "hostsim/services/host_state.h"

#include <cstdlib>

#include "hostsim/player/answers.h"

namespace hostsim {

uint32_t capabilityBits = 1;
std::vector<std::pair<uint32_t, uint32_t>> callbackCalls;
std::vector<std::string> callbackNames;
std::map<std::string, void*> namedFunctions;

void ResetHostState() {
  capabilityBits = 1;
  callbackCalls.clear();
  callbackNames.clear();
  namedFunctions.clear();
}

void ApplyAnswersHostState() {
  for (const std::string& v : Answers("capability"))
    capabilityBits = static_cast<uint32_t>(std::strtoul(v.c_str(), nullptr, 0));
}

}  // namespace hostsim
