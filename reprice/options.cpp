// The run's options: loading and saving them in the settings section "Przecena",
// the options dialog with its file chooser, and the choice of the warehouse.
#include <cstring>

#include "host/arguments.h"
#include "host/services.h"
#include "host/settings.h"
#include "reprice/options.h"

namespace {

constexpr const char* Section = "Przecena";
constexpr int ChooserRefused = -1;
// A dialog that answers this many commands of no button in a row, without the user
// ever confirming, leaving or choosing a file, is a host that cannot show it: the run
// ends as after leaving it rather than showing it for ever.
constexpr int MostUnknownCommands = 100;

// Reads one 16-bit setting for a field of the packed record (whose fields are not
// aligned): the store writes an aligned copy, which keeps current when key is missing.
int16_t ReadSmallSetting(const char* key, int16_t current) {
  int16_t value = current;
  settingValue(SettingReadInt16, Section, key, "%d", &value);
  return value;
}

// The path's last byte ends its text: the host's dialog and file chooser write into
// the record and may leave all 129 bytes without a terminator, which would make the
// path run on into the fields after it.
void TerminatePath() { repricingOptions.path[sizeof repricingOptions.path - 1] = 0; }

}  // namespace

void LoadRepricingSettings(int32_t* warehouse) {
  std::memset(&repricingOptions, 0, sizeof repricingOptions);
  *warehouse = 0;
  // The whole stored path, blanks included: "%128s" would stop at the first blank.
  settingValue(SettingReadText, Section, "Path", "%128[^\n]", repricingOptions.path);
  repricingOptions.identifyBy = ReadSmallSetting("Index", repricingOptions.identifyBy);
  repricingOptions.gross = ReadSmallSetting("Brutto", repricingOptions.gross);
  repricingOptions.copyName = ReadSmallSetting("Opis", repricingOptions.copyName);
  uint16_t low = 0;  // the store gives 16 bits; they arrive as a non-negative number
  settingValue(SettingReadInt16, Section, "Mag", "%d", &low);
  *warehouse = low;
}

bool AskRepricingOptions() {
  int unknownInARow = 0;
  for (;;) {
    int16_t command = runDialog(OptionsDialogTemplate, RunDialogKind, &repricingOptions, ReservedArgument);
    TerminatePath();
    if (command == CmdCancel) return false;
    if (command == CmdOk) return true;
    if (command != CmdChangeFile) {
      if (++unknownInARow >= MostUnknownCommands) return false;
      continue;
    }
    unknownInARow = 0;
    static char mask[256];
    std::strcpy(mask, "C:\\*.*");
    int chosen = chooseFile(ChooseFileKind, repricingOptions.path, mask, ReservedArgument);
    TerminatePath();
    if (chosen == ChooserRefused) return false;
  }
}

int32_t ChooseWarehouse(int32_t warehouse) { return selectWarehouse(warehouse, SelectWarehouseKind, ReservedArgument); }

void SaveRepricingSettings(int32_t warehouse) {
  if (warehouse >= 0) settingValue(SettingWriteInt, Section, "Mag", "%d", warehouse);
  settingValue(SettingWriteInt, Section, "Brutto", "%d", int32_t{repricingOptions.gross});
  settingValue(SettingWriteText, Section, "Path", "%s", repricingOptions.path);
  settingValue(SettingWriteInt, Section, "Index", "%d", int32_t{repricingOptions.identifyBy});
  settingValue(SettingWriteInt, Section, "Opis", "%d", int32_t{repricingOptions.copyName});
}
