// Byte layouts shared with the host: what the host reads from the plug-in, and the
// fields of the host's own records that the plug-in reads.
#pragma once
#include <cstddef>
#include <cstdint>

// The host's goods table descriptor (table 49): the fields the plug-in reads.
inline constexpr std::size_t GoodsTableRecordLengthOffset = 6;  // int16, 769 expected
inline constexpr std::size_t GoodsTableRecordBufferOffset = 8;  // pointer to the current record
inline constexpr std::size_t GoodsTableVariantOffset = 12;      // int16, 720 accepted
inline constexpr int16_t GoodsRecordLength = 769;
inline constexpr int16_t GoodsTableVariant = 720;
inline constexpr int GoodsTableNumber = 49;

// The plug-in's menu command as host service 52081 reads it. 32-bit host only: the
// pointers are 4 bytes there.
struct MenuEntry {
  uint32_t menuCode;       // host-defined, 0x40580000
  const char* title;       // hot key between tildes
  uint16_t command;        // RepricingCommand
  uint16_t padding;        // 0
  void (*handler)(void);   // called when the user chooses the command
  uint32_t spare;          // 0
};
inline constexpr uint32_t MenuCodeInne = 0x40580000;
inline constexpr uint16_t RepricingCommand = 29999;

#if defined(__i386__)
static_assert(sizeof(MenuEntry) == 20);
static_assert(offsetof(MenuEntry, menuCode) == 0);
static_assert(offsetof(MenuEntry, title) == 4);
static_assert(offsetof(MenuEntry, command) == 8);
static_assert(offsetof(MenuEntry, padding) == 10);
static_assert(offsetof(MenuEntry, handler) == 12);
static_assert(offsetof(MenuEntry, spare) == 16);
#endif
