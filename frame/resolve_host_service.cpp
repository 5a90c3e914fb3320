#include <cstdint>

#include "frame/lifecycle.h"

// Fills the slot of one host service with the host's function for its ordinal.
// Called only by the binders of host_table.S, with every register of the caller saved.
extern "C" void ResolveHostService(uint32_t ordinal, void** slot) {
  *slot = reinterpret_cast<void*>(hostCallback(2, ordinal));
}
