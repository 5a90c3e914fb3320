#include "frame/bridging/environment.h"

int32_t DetectEnvironment(HMODULE systemModule, uint32_t versionWord) {
  if (systemModule && GetProcAddress(systemModule, "Borland32")) return 2;
  return (versionWord & 0x80000000u) ? 1 : 0;
}
