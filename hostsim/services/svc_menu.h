// The stand-in's build date (52006), menu "Inne" (52081, 52082) and goods table
// descriptor (52256).
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/records.h"

namespace hostsim {

// The build date 52006 reports for a null text ("Mmm dd yyyy"). Answers: "build date".
extern std::string buildDate;
// Every text 52006 was asked about, in order; nullopt for a null text.
extern std::vector<std::optional<std::string>> dateCalls;

// "Mmm dd yyyy" (English month abbreviation) as yyyymmdd; 0 when it is no such date.
uint32_t DateValue(const std::string& text);

// A command in the menu "Inne", copied when it was registered.
struct MenuCommand {
  std::array<unsigned char, sizeof(MenuEntry)> bytes;  // the record as the host read it
  MenuEntry entry;                                     // the same, as fields
  std::string title;                                   // the title's Mazovia bytes
};
// The menu "Inne" in registration order; a command registered again replaces its
// earlier entry.
extern std::vector<MenuCommand> menuInne;
extern int addMenuCalls;
extern std::vector<int> removeMenuCalls;

// The command of that number in the menu, or null.
const MenuCommand* FindMenuCommand(uint16_t command);

// The goods table descriptor 52256 gives for table 49. With present false it gives
// null. Answers: "descriptor = none", "record length = N", "variant = N".
struct DescriptorConfig {
  bool present = true;
  int16_t recordLength = GoodsRecordLength;  // at offset 6
  int16_t variant = GoodsTableVariant;       // at offset 12
};
extern DescriptorConfig descriptorConfig;
extern std::vector<int> descriptorCalls;

// The descriptor's bytes (offsets as in host/records.h for a 32-bit host; in a
// 64-bit build the pointer at offset 8 covers offset 12) and the goods record
// buffer it points at, which the goods services fill.
extern unsigned char goodsDescriptor[64];
extern unsigned char goodsRecordBuffer[GoodsRecordLength];

void ResetMenu();
void ApplyAnswersMenu();

}  // namespace hostsim
