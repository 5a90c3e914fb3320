// One line per area: its reset, and where it reads answers, its ApplyAnswers.
#include "hostsim/services/reset.h"

#include "hostsim/base/data_folder.h"
#include "hostsim/base/transcript.h"
#include "hostsim/player/answers.h"
#include "hostsim/player/failure_answers.h"
#include "hostsim/player/failure_plan.h"
#include "hostsim/screen/console_pace.h"
#include "hostsim/screen/pass_status.h"
#include "hostsim/services/console_shows.h"
#include "hostsim/services/dialogs.h"
#include "hostsim/services/files.h"
#include "hostsim/services/goods.h"
#include "hostsim/services/host_state.h"
#include "hostsim/services/memory.h"
#include "hostsim/services/processes.h"
#include "hostsim/services/service_table.h"
#include "hostsim/services/svc_menu.h"
#include "hostsim/services/svc_messages.h"
#include "hostsim/services/svc_settings.h"

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
  ResetPassStatus();
  ResetConsolePace();
  ResetFiles();
  ResetProcesses();
  ResetFailurePlan();
}

void ApplyAnswers() {
  ApplyAnswersMessages();
  ApplyAnswersMenu();
  ApplyAnswersHostState();
  ApplyAnswersMemory();
  ApplyAnswersDialogs();
  ApplyAnswersGoods();
  ApplyAnswersFailurePlan();
}

}  // namespace hostsim
