// The settings service: 52225.
#include "hostsim/services/svc_settings.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "host/services.h"
#include "hostsim/player/failure_plan.h"
#include "hostsim/services/service_clock.h"

namespace hostsim {

std::vector<SettingCall> settingCalls;

namespace {

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
