// hostsim.exe's answers to the system's message boxes that the plug-in shows (the
// report of a missing host service, a missing system function): the plug-in's import
// slot of MessageBoxA is pointed at the stand-in, which shows the box's caption and
// text in the transcript and answers from a script. Win32 only.
#pragma once
#include <string>

namespace hostsim {

// Adds the answers, in order, from names (abort, retry, ignore, ok, cancel, yes, no)
// or numbers; false with the bad word in error.
bool AddBoxAnswers(const std::string& answer, std::string& error);
// Forgets the scripted answers.
void ClearBoxAnswers();

// Points the loaded plug-in's MessageBoxA at the stand-in. Every box then lands in the
// transcript (service "MessageBoxA", mode: its flags) and takes the next scripted
// answer; with none left the person at the console answers (see AnswerAtConsoleOrFail),
// or without one the system's own box is shown. False when the plug-in has no
// such import slot (its boxes then go to the system unseen).
bool AnswerPluginBoxes(void* module);

}  // namespace hostsim
