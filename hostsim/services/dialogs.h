// The stand-in's dialog service, file chooser and warehouse choice (52026, 52169,
// 52337): the scripts that play the user and what the services saw; the description
// itself as the service reads it is dialog_description.h.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "hostsim/screen/dialog_description.h"

namespace hostsim {

struct DialogShowing {
  std::string title;     // the window's title (host bytes)
  DialogValues opened;   // as filled from the data record
  DialogValues closed;   // after the scripted actions
  int16_t command;       // what 52026 answered
  bool writtenBack;      // the controls went back into the data record
};

struct DialogService {
  // One entry per showing of 52026: its actions (UTF-8, as dialog_actions.h reads them).
  // A showing without a key to end it, or with no entry left, is left.
  std::deque<std::string> script;
  // One entry per call of 52169: the chosen path (host bytes), or "-1"; none left: -1.
  std::deque<std::string> chooserScript;
  // One entry per call of 52337; none left: the number it is given.
  std::deque<int32_t> warehouseScript;
  // What answers when no script entry is left; unset: the dialog is left, the chooser
  // gives -1, the warehouse choice keeps the one it is given. askDialog edits values
  // and returns the command, with writeBack set when the controls go back into the
  // data record; askFile returns 0 with the chosen name (host bytes) or -1.
  std::function<int16_t(const DialogDescription&, DialogValues& values, bool& writeBack)> askDialog;
  std::function<int(const std::string& mask, std::string& chosen)> askFile;
  std::function<int32_t(int32_t offered)> askWarehouse;
  // When set, answers every showing before the script: a host that writes whatever it
  // likes into the data record (the bytes at data, as many as the description lays
  // out) and answers whatever command it returns; nothing else is written back.
  std::function<int16_t(const DialogDescription&, unsigned char* data)> writeRecord;

  int dialogCalls;
  int chooserCalls;
  int warehouseCalls;
  int rejected;               // descriptions that failed the structure check
  std::string lastRejection;
  int scriptErrors;           // actions that did not fit the dialog
  std::string lastScriptError;
  std::vector<DialogShowing> showings;
  int lastDialogOne, lastDialogZero;            // 52026's second and fourth arguments
  int lastChooserKind, lastChooserZero;         // 52169's first and fourth
  std::string lastChooserMask;
  int lastWarehouseGiven, lastWarehouseKind, lastWarehouseZero;  // 52337's arguments
};
extern DialogService dialogs;

// Forgets scripts, counts and showings.
void ResetDialogs();

// Answers file (UTF-8): "dialog = <actions>" one per showing, "choose_file = <path>"
// or "-1" one per call, "warehouse = N" one per call.
void ApplyAnswersDialogs();

// The controls of a dialog as a user would see them, one per line (host bytes), hot
// keys ("~P~lik") as highlighted spans (0x02 ... 0x01).
std::string DialogScreen(const DialogDescription& dialog, const DialogValues& values);

}  // namespace hostsim
