// The run's options: the options dialog's data record, kept between runs in the
// host's settings section "Przecena".
#pragma once
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct RepricingOptions {
  char path[129];      // the price file, at most 128 characters
  int16_t gross;       // 0: the file holds net prices, nonzero: gross
  int16_t identifyBy;  // an IdentifyBy value; anything else means by symbol
  int16_t copyName;    // nonzero: copy the goods name from the file
};
#pragma pack(pop)
static_assert(sizeof(RepricingOptions) == 135);
static_assert(offsetof(RepricingOptions, path) == 0);
static_assert(offsetof(RepricingOptions, gross) == 129);
static_assert(offsetof(RepricingOptions, identifyBy) == 131);
static_assert(offsetof(RepricingOptions, copyName) == 133);

enum IdentifyBy : int16_t {
  IdentifyBySymbol = 0,
  IdentifyByIndex = 1,
  IdentifyByRemarks = 2,
};

// Commands that the dialog service returns.
inline constexpr int16_t CmdOk = 20481;
inline constexpr int16_t CmdCancel = 20482;
inline constexpr int16_t CmdChangeFile = 1000;

extern RepricingOptions repricingOptions;
