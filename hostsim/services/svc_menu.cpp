// The host's menu, build date and goods table descriptor: 52006, 52081, 52082, 52256.
#include "hostsim/services/svc_menu.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/services.h"
#include "hostsim/player/answers.h"

namespace hostsim {

static constexpr const char* kDefaultBuildDate = "Mar 14 2011";

std::string buildDate = kDefaultBuildDate;
std::vector<std::optional<std::string>> dateCalls;
std::vector<MenuCommand> menuInne;
int addMenuCalls;
std::vector<int> removeMenuCalls;
DescriptorConfig descriptorConfig;
std::vector<int> descriptorCalls;
alignas(8) unsigned char goodsDescriptor[64];
alignas(8) unsigned char goodsRecordBuffer[GoodsRecordLength];

uint32_t DateValue(const std::string& text) {
  static const char* const months[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  char month[4] = {};
  unsigned day = 0, year = 0;
  char rest = 0;
  if (std::sscanf(text.c_str(), "%3s %u %u %c", month, &day, &year, &rest) != 3) return 0;
  if (day < 1 || day > 31 || year > 9999) return 0;
  for (unsigned m = 0; m < 12; ++m)
    if (std::strcmp(month, months[m]) == 0) return year * 10000 + (m + 1) * 100 + day;
  return 0;
}

const MenuCommand* FindMenuCommand(uint16_t command) {
  for (const MenuCommand& c : menuInne)
    if (c.entry.command == command) return &c;
  return nullptr;
}

void ResetMenu() {
  buildDate = kDefaultBuildDate;
  dateCalls.clear();
  menuInne.clear();
  addMenuCalls = 0;
  removeMenuCalls.clear();
  descriptorConfig = {};
  descriptorCalls.clear();
  std::memset(goodsDescriptor, 0, sizeof goodsDescriptor);
  std::memset(goodsRecordBuffer, 0, sizeof goodsRecordBuffer);
}

void ApplyAnswersMenu() {
  for (const std::string& v : Answers("build date")) buildDate = v;
  for (const std::string& v : Answers("descriptor")) descriptorConfig.present = v != "none";
  for (const std::string& v : Answers("record length"))
    descriptorConfig.recordLength = static_cast<int16_t>(std::strtol(v.c_str(), nullptr, 0));
  for (const std::string& v : Answers("variant"))
    descriptorConfig.variant = static_cast<int16_t>(std::strtol(v.c_str(), nullptr, 0));
}

}  // namespace hostsim

extern "C" {

// The configured build date for null; every call recorded.
uint32_t HOST_CDECL dateNumber(const char* date) {
  using namespace hostsim;
  if (!date) {
    dateCalls.emplace_back(std::nullopt);
    return DateValue(buildDate);
  }
  dateCalls.emplace_back(date);
  return DateValue(date);
}

// Copies the entry as it is now; the title text is copied too. Returns 1.
int HOST_CDECL addMenuCommand(const MenuEntry* entry) {
  using namespace hostsim;
  ++addMenuCalls;
  if (!entry) return 0;
  MenuCommand c;
  std::memcpy(c.bytes.data(), entry, sizeof(MenuEntry));
  std::memcpy(&c.entry, entry, sizeof(MenuEntry));
  c.title = entry->title ? entry->title : "";
  auto same = [&](const MenuCommand& m) { return m.entry.command == c.entry.command; };
  auto it = std::find_if(menuInne.begin(), menuInne.end(), same);
  if (it != menuInne.end())
    *it = c;
  else
    menuInne.push_back(c);
  return 1;
}

// Removes the command of that number from the menu, if it is there; every call recorded.
void HOST_CDECL removeMenuCommand(int command) {
  using namespace hostsim;
  removeMenuCalls.push_back(command);
  std::erase_if(menuInne, [&](const MenuCommand& m) { return m.entry.command == command; });
}

// The descriptor filled from descriptorConfig for table 49, else null.
void* HOST_CDECL tableDescriptor(int table) {
  using namespace hostsim;
  descriptorCalls.push_back(table);
  if (table != GoodsTableNumber || !descriptorConfig.present) return nullptr;
  std::memcpy(goodsDescriptor + GoodsTableRecordLengthOffset, &descriptorConfig.recordLength, 2);
  std::memcpy(goodsDescriptor + GoodsTableVariantOffset, &descriptorConfig.variant, 2);
  void* record = goodsRecordBuffer;
  std::memcpy(goodsDescriptor + GoodsTableRecordBufferOffset, &record, sizeof record);
  return goodsDescriptor;
}

}
