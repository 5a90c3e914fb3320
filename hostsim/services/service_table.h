// The stand-in's table of services by ordinal.
#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <vector>

namespace hostsim {

struct ServiceRow {
  uint32_t ordinal;
  const char* name;
  void* address;
};

// Every service of host/service_list.h with the stand-in's implementation.
const std::vector<ServiceRow>& ServiceRows();

// Ordinals the stand-in pretends not to have (HostCallback kind 2 answers 0).
extern std::set<uint32_t> missingServices;
// Further ordinals a test offers with functions of its own (they win over the rows).
extern std::map<uint32_t, void*> extraServices;

// The address HostCallback kind 2 gives for an ordinal, or null.
void* ServiceAddress(uint32_t ordinal);

}  // namespace hostsim
