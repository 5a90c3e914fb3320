// Who answers the dialog service, the file chooser and the warehouse choice when the
// answers file does not: the person at a console, or nobody (a batch run, which then
// ends with an error naming the answers key that was missing).
#pragma once
#include <string>

#include "hostsim/screen/keys.h"

namespace hostsim {

// A message's mode that keeps it up while work goes on.
inline constexpr int MessageStaysUp = 512;

// The three questions go to console: the options dialog, the chooser listing the
// files of folder that match its mask, the warehouse number entry; so do the messages
// (a key goes on, but not after one of MessageStaysUp), the text file shown (a viewer),
// the system message boxes and the menu "Inne" (consoleShows). console must outlive the answers.
void AskAtConsole(Console& console, const std::string& folder);

// A question without an answer calls fail with what was missing ("no answer for the
// options dialog (answers key \"dialog\")"); fail is meant to end the program. Should
// it return, the dialog is left, the chooser gives -1 and the warehouse is -1. Nothing
// else is shown at a console (consoleShows is emptied).
void FailUnanswered(void (*fail)(const std::string& message));

}  // namespace hostsim
