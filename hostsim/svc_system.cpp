// Character set conversion and process creation: 52158, 52005.
#include "host/services.h"

extern "C" {
void convertCharset(char*, char*, int, int) {}
int32_t HOST_STDCALL createProcess(const char*, char*, void*, void*, int32_t, uint32_t, void*,
                                   const char*, void*, void*) {
  return 0;
}
}
