// One line per area: its reset, and where it reads answers, its ApplyAnswers.
#include "hostsim/reset.h"

#include "hostsim/answers.h"
#include "hostsim/console_shows.h"
#include "hostsim/data_folder.h"
#include "hostsim/dialogs.h"
#include "hostsim/files.h"
#include "hostsim/goods.h"
#include "hostsim/host_state.h"
#include "hostsim/memory.h"
#include "hostsim/processes.h"
#include "hostsim/service_table.h"
#include "hostsim/svc_menu.h"
#include "hostsim/svc_messages.h"
#include "hostsim/svc_settings.h"
#include "hostsim/transcript.h"

namespace hostsim {

void ResetHostSim() {
  ResetTranscript();
  ResetAnswers();
  dataFolder = std::string(1, '.');  // not = ".": GCC 12 warns falsely (-Wrestrict)
  missingServices.clear();
  extraServices.clear();
  ResetSettings();
  ResetMessages();
  ResetMenu();
  ResetHostState();
  ResetMemory();
  ResetDialogs();
  consoleShows = {};
  ResetGoods();
  ResetFiles();
  ResetProcesses();
}

void ApplyAnswers() {
  ApplyAnswersMessages();
  ApplyAnswersMenu();
  ApplyAnswersHostState();
  ApplyAnswersMemory();
  ApplyAnswersDialogs();
  ApplyAnswersGoods();
}

}  // namespace hostsim
