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

// The runs that the plug-in ended before touching any goods because of the price file,
// as its messages (52028) say: the file did not open ("Nie można otworzyć pliku cen:"),
// or names were to be copied from a file not in Mazovia ("Plik cen nie jest zapisany w
// stronie kodowej Mazovia"). The program's exit code 6 (a run did nothing) comes from it.
extern int runsThatDidNothing;

void ResetMessages();
void ApplyAnswersMessages();

}  // namespace hostsim
