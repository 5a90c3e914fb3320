#include <windows.h>

#include "frame/binding/host_table.h"
#include "frame/lifecycle/lifecycle.h"

// Abandons a call of a service that was given up: raises DeadServiceException with the
// ordinal, not continuable, so the call can neither reach address 0 nor come back to
// its caller with an undefined result.
[[noreturn]] static void AbandonDeadService(uint32_t ordinal) {
  const ULONG_PTR parameter = ordinal;
  for (;;) RaiseException(DeadServiceException, EXCEPTION_NONCONTINUABLE, 1, &parameter);
}

// Fills the slot of one entry and returns it: the host's function for the ordinal; if
// the host has none, the report decides between a fallback stub (Ignore) and giving
// the service up. The host is asked once per entry; a given-up entry raises on this
// and every later call.
extern "C" void* ResolveHostService(uint32_t ordinal, void** slot) {
  auto* entry = reinterpret_cast<HostServiceEntry*>(slot);  // the slot is its first field
  if (entry->dead) AbandonDeadService(ordinal);
  void* target = hostCallback ? reinterpret_cast<void*>(hostCallback(2, ordinal)) : nullptr;
  if (!target && ReportMissingService(ordinal)) target = ChooseFallback(ordinal);
  if (!target) {
    entry->dead = 1;
    AbandonDeadService(ordinal);
  }
  *slot = target;
  return target;
}
