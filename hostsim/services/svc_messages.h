// The stand-in's messages and notices (52023, 52028, 52029, 52030, 52064): all of
// them land in the transcript; the notice dialog also answers through its flag.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace hostsim {

// One call of the notice dialog (52023). text is UTF-8 as in the transcript.
struct NoticeCall {
  int kind;
  int16_t flagBefore;
  int zero;
  std::string text;
};
extern std::vector<NoticeCall> noticeCalls;

// What the notice dialog sets into its flag; nullopt leaves the flag as it was.
// Answers file: "notice = N".
extern std::optional<int16_t> noticeFlagAnswer;

// The failed price changes that the summaries shown so far report (the number after
// "Błąd zmiany ceny:" in a formatted message), added up; the program's exit code
// tells a run with failed changes from a clean one by it.
extern int failedChangesShown;

// Why the runs that did nothing did nothing, one line each (English, UTF-8), in the
// order they ran; a run is one call into the plug-in and the first reason noted in it
// is its line. The program's exit code 6 (a run did nothing) comes from it. Reasons:
// the price file did not open or is not in Mazovia with names to be copied (as the
// plug-in's messages of 52028 say), the plug-in read no entry from the price file (its
// summary's first number is 0), the warehouse has no goods file that opens for update.
extern std::vector<std::string> runsThatDidNothing;

// Notes why the run going on does nothing (dropped when it has a reason already).
void NoteRunDidNothing(const std::string& why);

// What follows belongs to a new run (at the start of each call into the plug-in).
void StartRunNotes();

void ResetMessages();
void ApplyAnswersMessages();

}  // namespace hostsim
