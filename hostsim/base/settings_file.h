// The host's settings file: a text file SettingsFileName in the data folder, "[section]"
// lines followed by "key=value" lines, values kept as the host's bytes (Mazovia).
// Section and key names compare without regard to letter case.
#pragma once
#include <optional>
#include <string>

namespace hostsim {

inline constexpr const char* SettingsFileName = "settings.ini";

// The stored text of a key, without the service (tests and the program).
std::optional<std::string> StoredSetting(const std::string& section, const std::string& key);
// Stores a text under a key, creating the section and the file as needed.
void StoreSetting(const std::string& section, const std::string& key, const std::string& value);
// Deletes the settings file.
void EraseSettings();

}  // namespace hostsim
