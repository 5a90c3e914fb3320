#include <cstring>

#include "frame/lifecycle.h"
#include "host/mazovia.h"
#include "host/records.h"
#include "reprice/run.h"

static constexpr auto PluginName = MzArray("Przecena w kilku magazynach z pliku");
static_assert(PluginName.size() == 36);

MenuEntry menuEntry = {MenuCodeInne, Mz("Przecena w magazynac~h~ (Velmora)"), RepricingCommand, 0,
                       RunRepricing, 0};

extern "C" int32_t HOST_CDECL PluginEntry(HostCallback callback, char* nameBuffer) {
  if (!callback) {
    removeMenuCommand(RepricingCommand);
    return 0;
  }
  hostCallback = callback;
  StartRuntime();
  if (nameBuffer) std::memcpy(nameBuffer, PluginName.data(), PluginName.size());
  addMenuCommand(&menuEntry);
  return 0;
}
