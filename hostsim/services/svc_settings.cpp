// The settings store: 52225.
#include "hostsim/services/svc_settings.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <strings.h>

#include "host/services.h"
#include "hostsim/services/data_folder.h"
#include "hostsim/services/failure_plan.h"
#include "hostsim/services/host_files.h"
#include "hostsim/services/service_clock.h"

namespace hostsim {

std::vector<SettingCall> settingCalls;

namespace {

struct Section {
  std::string name;
  std::vector<std::pair<std::string, std::string>> keys;
};

// Section and key names compare without regard to case, as in INI files.
bool SameName(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

// s without leading and trailing blanks.
std::string Trimmed(const std::string& s) {
  std::size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

// The whole file, in file order; an absent file is an empty store.
std::vector<Section> ReadStore() {
  std::vector<Section> store;
  std::string bytes;
  ReadHostFile(DataPath(SettingsFileName), bytes);
  std::istringstream in(bytes);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
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

// printf into a string; args is used up.
std::string Formatted(const char* format, va_list args) {
  va_list again;
  va_copy(again, args);
  int n = std::vsnprintf(nullptr, 0, format, again);
  va_end(again);
  if (n < 0) return "";
  std::string out(static_cast<std::size_t>(n) + 1, '\0');
  std::vsnprintf(out.data(), out.size(), format, args);
  out.resize(static_cast<std::size_t>(n));
  return out;
}

// Runs one call; 0 on success, 1 when nothing was read or written.
int16_t Serve(int mode, const char* section, const char* key, const char* format, va_list args,
              std::string& value) {
  if (!section || !key || !format) return 1;
  if (mode == SettingWriteInt || mode == SettingWriteText) {
    value = Formatted(format, args);
    if (value.find_first_of("\r\n") != std::string::npos) return 1;  // would break the file
    StoreSetting(section, key, value);
    return 0;
  }
  std::optional<std::string> stored = StoredSetting(section, key);
  if (!stored) return 1;
  value = *stored;
  if (mode == SettingReadInt16) {
    void* target = va_arg(args, void*);
    int number = 0;
    if (std::sscanf(stored->c_str(), format, &number) != 1) return 1;
    int16_t low = static_cast<int16_t>(static_cast<uint16_t>(number));
    std::memcpy(target, &low, sizeof low);
    return 0;
  }
  if (mode == SettingReadText) return std::vsscanf(stored->c_str(), format, args) >= 1 ? 0 : 1;
  return 1;
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

void ResetSettings() { settingCalls.clear(); }

}  // namespace hostsim

// Host service 52225 (modes in host/settings.h): 0 when read or written, 1 when not; a
// failed read leaves its target as it was; a call that the failure plan fails reads or
// writes nothing. Every call is recorded in settingCalls.
extern "C" int16_t HOST_CDECL settingValue(int mode, const char* section, const char* key, const char* format,
                                           ...) {
  using namespace hostsim;
  bool fail = CallFails(FailingService::Settings);
  int64_t start = ServiceTimeStart();
  std::string value;
  int16_t result = 1;
  if (!fail) {
    va_list args;
    va_start(args, format);
    result = Serve(mode, section, key, format, args, value);
    va_end(args);
  }
  settingCalls.push_back({mode, section ? section : "", key ? key : "", format ? format : "", value, result});
  ServiceTimeEnd(start);
  return result;
}
