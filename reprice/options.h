// The run's options: the options dialog's data record, kept between runs in the
// host's settings section "Przecena".
#pragma once
#include <cstddef>
#include <cstdint>

#include "host/dialog.h"  // CmdOk, CmdCancel

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

// The command of the options dialog's F3 button, "Zmień plik".
inline constexpr int16_t CmdChangeFile = 1000;

extern RepricingOptions repricingOptions;

// The options dialog as host service 52026 reads it: an 8-byte header, the window
// record and 13 control records whose data fill RepricingOptions in order.
extern const unsigned char OptionsDialogTemplate[530];

// Zeroes repricingOptions and *warehouse, then reads "Path", "Index", "Brutto", "Opis"
// and "Mag" (its low 16 bits) from the settings section "Przecena"; a missing key
// leaves the zero.
void LoadRepricingSettings(int32_t* warehouse);

// Shows the options dialog, again after every F3 file choice, until it is confirmed
// with F12 (true) or left, or the file chooser gives -1 (false). Edits repricingOptions;
// whatever the host writes there, the path ends within its 129 bytes.
bool AskRepricingOptions();

// The warehouse for the run as the host's warehouse choice gives it, whatever its sign.
int32_t ChooseWarehouse(int32_t warehouse);

// Writes "Mag" (only when warehouse is not negative), "Brutto", "Path", "Index" and
// "Opis" to the settings section "Przecena", in this order.
void SaveRepricingSettings(int32_t warehouse);
