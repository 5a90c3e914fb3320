// The stand-in's settings store (host service 52225): a text file SettingsFileName in
// the data folder, "[section]" lines followed by "key=value" lines, values kept as
// the host's bytes (Mazovia).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/settings.h"  // the service's modes

namespace hostsim {

inline constexpr const char* SettingsFileName = "settings.ini";

// One call of the service as the stand-in saw it. value: the stored text that a read
// found, or the text a write produced.
struct SettingCall {
  int mode;
  std::string section, key, format, value;
  int16_t result;
};
extern std::vector<SettingCall> settingCalls;

// The stored text of a key, without the service (tests and the program).
std::optional<std::string> StoredSetting(const std::string& section, const std::string& key);
// Stores a text under a key, creating the section and the file as needed.
void StoreSetting(const std::string& section, const std::string& key, const std::string& value);
// Deletes the settings file.
void EraseSettings();

// Forgets the calls; the file stays. (Which calls fail is the failure plan's.)
void ResetSettings();

}  // namespace hostsim
