// One line per area: its reset, and where it reads answers, its ApplyAnswers.
#include "hostsim/reset.h"

#include "hostsim/answers.h"
#include "hostsim/data_folder.h"
#include "hostsim/service_table.h"
#include "hostsim/transcript.h"

namespace hostsim {

void ResetSettings();
void ResetMessages();
void ApplyAnswersMessages();
void ResetMenu();
void ApplyAnswersMenu();
void ResetHostState();
void ResetProcesses();
void ApplyAnswersHostState();
void ResetMemory();
void ApplyAnswersMemory();
void ResetDialogs();
void ApplyAnswersDialogs();
void ResetGoods();
void ApplyAnswersGoods();
void ResetFiles();

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
