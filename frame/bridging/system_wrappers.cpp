#include "frame/bridging/system_wrappers.h"

#include "host/services.h"

uint8_t systemWrappersInstalled;

static_assert(SystemWrappedCount == 129);
static_assert(SystemWrapperCreateProcessA == SystemWrappedCount - 1);

void InstallSystemWrappers() {
  if (systemWrappersInstalled) return;
  systemWrappersInstalled = 1;
  void** processSlot = nullptr;
  for (int i = 0; i < SystemWrappedCount; ++i) {
    void** slot = static_cast<void**>(SystemEntryTable[i]);
    SystemEntryTable[i] = *slot;
    *slot = SystemCallWrappers[i];
    if (i == SystemWrapperCreateProcessA) processSlot = slot;
  }
  *processSlot = reinterpret_cast<void*>(&createProcess);
}
