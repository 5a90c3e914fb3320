// The work behind the export PluginEntry (guard.S puts the structured-exception
// frame around it).
#include <cstring>

#include "frame/lifecycle/lifecycle.h"
#include "frame/lifecycle/load_checks.h"
#include "frame/lifecycle/plugin_name.h"
#include "host/records.h"
#include "host/services.h"

// Load call (callback set): stores the callback, starts the runtime, copies the name
// into nameBuffer (if any; the host gives 36 bytes or more), runs the load checks and
// the first-run notice; 0 loaded, -1 refused. Unload call (callback null): removes the
// menu command; 0. Every structured exception on the way leaves as SE_Exception,
// through the frame of the caller in guard.S.
extern "C" int32_t HandlePluginEntry(HostCallback callback, char* nameBuffer) {
  if (!callback) {
    removeMenuCommand(RepricingCommand);
    return 0;
  }
  hostCallback = callback;
  StartRuntime();  // the first load call only; later calls find it running
  if (nameBuffer) std::memcpy(nameBuffer, PluginName.data(), PluginName.size());
  if (RunLoadChecks() != 0) return -1;
  ShowFirstRunNotice();
  return 0;
}
