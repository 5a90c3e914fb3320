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

void ResetHostSim() {
  ResetTranscript();
  ResetAnswers();
  dataFolder = ".";
  missingServices.clear();
  extraServices.clear();
  ResetSettings();
  ResetMessages();
  ResetMenu();
  ResetHostState();
  ResetProcesses();
}

void ApplyAnswers() {
  ApplyAnswersMessages();
  ApplyAnswersMenu();
  ApplyAnswersHostState();
}

}  // namespace hostsim
