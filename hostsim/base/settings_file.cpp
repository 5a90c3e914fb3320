// The host's settings file, read and written whole.
#include "hostsim/base/settings_file.h"

#include <strings.h>
#include <utility>
#include <vector>

#include "hostsim/base/data_folder.h"
#include "hostsim/base/host_files.h"
#include "hostsim/base/text.h"

namespace hostsim {

namespace {

struct Section {
  std::string name;
  std::vector<std::pair<std::string, std::string>> keys;
};

// Section and key names compare without regard to case, as in INI files.
bool SameName(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

// The whole file, in file order; an absent file is an empty store.
std::vector<Section> ReadStore() {
  std::vector<Section> store;
  std::string bytes;
  ReadHostFile(DataPath(SettingsFileName), bytes);
  for (const std::string& line : TextLines(bytes)) {
    std::string t = Trimmed(line);
    if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
      store.push_back({t.substr(1, t.size() - 2), {}});
      continue;
    }
    std::size_t eq = line.find('=');
    if (eq == std::string::npos || store.empty()) continue;
    store.back().keys.emplace_back(Trimmed(line.substr(0, eq)), line.substr(eq + 1));
  }
  return store;
}

// Replaces the file with the store.
void WriteStore(const std::vector<Section>& store) {
  std::string out;
  for (const Section& s : store) {
    out += '[' + s.name + "]\n";
    for (const auto& [key, value] : s.keys) out += key + '=' + value + '\n';
  }
  WriteHostFile(DataPath(SettingsFileName), out);
}

}  // namespace

std::optional<std::string> StoredSetting(const std::string& section, const std::string& key) {
  for (const Section& s : ReadStore()) {
    if (!SameName(s.name, section)) continue;
    for (const auto& [k, v] : s.keys)
      if (SameName(k, key)) return v;
  }
  return std::nullopt;
}

void StoreSetting(const std::string& section, const std::string& key, const std::string& value) {
  std::vector<Section> store = ReadStore();
  Section* target = nullptr;
  for (Section& s : store)
    if (SameName(s.name, section)) target = &s;
  if (!target) target = &store.emplace_back(Section{section, {}});
  for (auto& [k, v] : target->keys) {
    if (!SameName(k, key)) continue;
    v = value;
    WriteStore(store);
    return;
  }
  target->keys.emplace_back(key, value);
  WriteStore(store);
}

void EraseSettings() { RemoveHostFile(DataPath(SettingsFileName)); }

}  // namespace hostsim
