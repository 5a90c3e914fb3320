#include "frame/binding/host_table.h"

HostServiceEntry* FindHostService(uint32_t ordinal) {
  for (HostServiceEntry* entry = HostServiceTable; entry != HostServiceTableEnd; ++entry)
    if (entry->ordinal == ordinal) return entry;
  return nullptr;
}
