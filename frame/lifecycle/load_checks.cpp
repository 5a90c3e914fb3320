#include "frame/lifecycle/load_checks.h"

#include <cstring>

#include "frame/lifecycle/lifecycle.h"
#include "frame/lifecycle/menu_entry.h"
#include "host/mazovia.h"
#include "host/records.h"
#include "host/services.h"
#include "reprice/goods_table.h"

namespace {

// The host's oldest build date the plug-in works with.
constexpr const char* OldestHostDate = "Jan 03 2005";

// Shows a refusal through host service 52030; the load call's result -1.
int32_t Refuse(const char* text) {
  errorMessage(text);
  return -1;
}

// The 16-bit field at offset of the host's descriptor, read bytewise (no alignment assumed).
int16_t DescriptorField(const void* descriptor, std::size_t offset) {
  int16_t value;
  std::memcpy(&value, static_cast<const char*>(descriptor) + offset, sizeof value);
  return value;
}

}  // namespace

int32_t RunLoadChecks() {
  if ((hostCallback(1, 1) & 1) == 0) return Refuse(Mz("Ta wersja programu Dalvenor nie obsługuje wtyczki"));
  uint32_t built = dateNumber(nullptr);
  if (built < dateNumber(OldestHostDate)) return Refuse(Mz("Ta wersja programu Dalvenor nie obsługuje wtyczki"));
  addMenuCommand(&menuEntry);
  goodsTable = tableDescriptor(GoodsTableNumber);
  if (goodsTable && DescriptorField(goodsTable, GoodsTableRecordLengthOffset) != GoodsRecordLength &&
      DescriptorField(goodsTable, GoodsTableVariantOffset) != GoodsTableVariant)
    return Refuse(Mz("Potrzebna nowsza wtyczka!"));
  return 0;
}
