#include "hostsim/services/console_questions.h"

#include "hostsim/screen/chooser_ui.h"
#include "hostsim/screen/dialog_ui.h"
#include "hostsim/screen/menu_ui.h"
#include "hostsim/screen/message_ui.h"
#include "hostsim/screen/text_viewer.h"
#include "hostsim/services/console_shows.h"
#include "hostsim/services/dialogs.h"

namespace hostsim {

ConsoleShows consoleShows;

void AskAtConsole(Console& console, const std::string& folder) {
  dialogs.askDialog = [&console](const DialogDescription& d, DialogValues& values, bool& writeBack) {
    return WorkDialog(d, values, console, writeBack);
  };
  dialogs.askFile = [&console, folder](const std::string& mask, std::string& chosen) {
    std::vector<ListedFile> files = MatchingFiles(folder, mask);
    int picked = WorkChooser(ListedFiles(folder, mask), files, console);
    if (picked < 0) return -1;
    chosen = files[picked].mazovia;
    return 0;
  };
  dialogs.askWarehouse = [&console, folder](int32_t offered) {
    return WorkWarehouse(offered, WarehousesWithGoods(folder), console);
  };
  consoleShows.message = [&console](std::string_view title, std::string_view text, int mode) {
    WorkMessage(title, text, mode != MessageStaysUp, console);
  };
  consoleShows.closeWait = nullptr;
  consoleShows.textFile = [&console](const std::string& name) { WorkTextFileNamed(name, console); };
  consoleShows.box = [&console](std::string_view caption, std::string_view text, unsigned flags) {
    return WorkBox(caption, text, flags, console);
  };
  consoleShows.menu = [&console](const std::vector<std::string>& titles) { return WorkMenu(titles, console); };
}

void FailUnanswered(void (*fail)(const std::string& message)) {
  consoleShows = {};
  dialogs.askDialog = [fail](const DialogDescription&, DialogValues&, bool& writeBack) {
    fail("no answer for the options dialog (answers key \"dialog\")");
    writeBack = false;
    return DialogLeft;
  };
  dialogs.askFile = [fail](const std::string&, std::string&) {
    fail("no answer for the file chooser (answers key \"choose_file\")");
    return -1;
  };
  dialogs.askWarehouse = [fail](int32_t) {
    fail("no answer for the warehouse choice (answers key \"warehouse\")");
    return int32_t{-1};
  };
}

}  // namespace hostsim
