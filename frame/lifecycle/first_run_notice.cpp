#include <cstdio>

#include "frame/lifecycle/load_checks.h"
#include "frame/lifecycle/plugin_name.h"
#include "host/arguments.h"
#include "host/mazovia.h"
#include "host/services.h"

void ShowFirstRunNotice() {
  int16_t asked = 0;
  if (settingValue(1, Mz("Przecenamag"), Mz("Pytaj"), "%d", &asked) != 0) asked = 0;
  if (asked != 0) return;
  char text[256];
  std::snprintf(text, sizeof text, "%s", PluginName.data());
  noticeDialog(NoticeDialogKind, &asked, ReservedArgument, text);
  settingValue(2, Mz("Przecenamag"), Mz("Pytaj"), "%d", static_cast<int>(asked));
  messageBox(Mz("uwaga"),
             Mz("Dodano opcje przeceny w menu: Inne/Przecena w magazynach\nFormat pliku towary.txt wg Velmora"), 1);
}
