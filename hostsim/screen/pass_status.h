// The status line of the warehouse passes: how many records the goods cursor has
// visited so far, redrawn at most ten times a second. The counting and the rate limit
// live here; where the line is drawn (a console's) is the program's business, so with
// no drawer set nothing is drawn and the transcript never hears of it.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace hostsim {

// What the status line says: the goods file's name (no folder), the pass (an update
// pass opens its cursor for update, a check pass does not) and the records fetched.
struct PassStatus {
  std::string file;
  bool update;
  long records;
};

// Draws the line; null: no line (piped output, tests that do not look).
extern std::function<void(const PassStatus&)> drawPassStatus;
// Takes the line away when a pass ends (its cursor closes); null: nothing to do.
extern std::function<void()> clearPassStatus;
// Milliseconds of a steady clock; tests set a fake one.
extern int64_t (*passStatusClock)();

// The shortest time between two draws, in milliseconds.
inline constexpr int64_t PassStatusInterval = 100;

// The line as it is drawn, UTF-8: "MMM1.MGR, update pass: 1200 records visited".
std::string PassStatusText(const PassStatus& status);

// Called by the goods services: a cursor opened on file, a record fetched through it,
// the cursor closed. A fetch draws when no draw was made in the PassStatusInterval
// before it (the first fetch ever always draws), so at most ten draws a second reach
// the screen, whatever the passes; the close clears the line when one was drawn.
void PassStatusOpened(const std::string& file, bool update);
void PassStatusFetched();
void PassStatusClosed();

// No pass under way, the steady clock, no drawer.
void ResetPassStatus();

}  // namespace hostsim
