// What the stand-in offers through HostCallback kind 2: every service of
// host/service_list.h, by ordinal, except those a test configured as missing.
#include "hostsim/services/service_table.h"

#include <algorithm>

#include "host/records.h"
#include "host/services.h"

namespace hostsim {

const std::vector<ServiceRow>& ServiceRows() {
  static const std::vector<ServiceRow> rows = {
#define HOST_SERVICE(ordinal, name, result, parameters) {ordinal, #name, reinterpret_cast<void*>(&name)},
#define HOST_SERVICE_STDCALL HOST_SERVICE
#include "host/service_list.h"
#undef HOST_SERVICE
#undef HOST_SERVICE_STDCALL
  };
  return rows;
}

std::set<uint32_t> missingServices;
std::map<uint32_t, void*> extraServices;

void* ServiceAddress(uint32_t ordinal) {
  if (missingServices.count(ordinal)) return nullptr;
  if (auto it = extraServices.find(ordinal); it != extraServices.end()) return it->second;
  const auto& rows = ServiceRows();
  auto row = std::find_if(rows.begin(), rows.end(), [&](const ServiceRow& r) { return r.ordinal == ordinal; });
  return row == rows.end() ? nullptr : row->address;
}

}  // namespace hostsim
