// For programs that keep the host's files in memory and are linked with
// -Wl,--wrap=remove (the robustness tests, the price file fuzzer): the C runtime's
// remove, which the plug-in calls to delete its report files, deletes a memory file of
// that name; any other name goes to the C runtime's own remove.
#include <cstdio>

#include "hostsim/base/host_files.h"

extern "C" int __real_remove(const char* name);

// 0 when a file was deleted, -1 (errno from the C runtime) when there was none.
extern "C" int __wrap_remove(const char* name) {
  if (name && hostsim::FilesInMemory() && hostsim::RemoveHostFile(name)) return 0;
  return __real_remove(name);
}
