// The stand-in's settings service (host service 52225) over the host's settings file
// (settings_file.h), and the calls it saw.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "host/settings.h"                 // the service's modes
#include "hostsim/base/settings_file.h"    // the file it reads and writes

namespace hostsim {

// One call of the service as the stand-in saw it. value: the stored text that a read
// found, or the text a write produced.
struct SettingCall {
  int mode;
  std::string section, key, format, value;
  int16_t result;
};
extern std::vector<SettingCall> settingCalls;

// Forgets the calls; the file stays. (Which calls fail is the failure plan's.)
void ResetSettings();

}  // namespace hostsim
