// The status line of a run at work: while the price file is read, how many lines were
// read; in the warehouse passes, how many records the goods cursor has visited so far;
// redrawn at most ten times a second. The counting and the rate limit
// live here; where the line is drawn (a console's) is the program's business, so with
// no drawer set nothing is drawn and the transcript never hears of it.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace hostsim {

// What the status line says: the file's name (no folder, UTF-8); reading: the price
// file's lines, records counting the lines read; otherwise a pass over the goods file
// (an update pass opens its cursor for update, a check pass does not) and the records
// fetched.
struct PassStatus {
  std::string file;
  bool update;
  long records;
  bool reading;
};

// Draws the line; null: no line (piped output, tests that do not look).
extern std::function<void(const PassStatus&)> drawPassStatus;
// Takes the line away when a pass ends (its cursor closes); null: nothing to do.
extern std::function<void()> clearPassStatus;
// Milliseconds of a steady clock; tests set a fake one.
extern int64_t (*passStatusClock)();

// The shortest time between two draws, in milliseconds.
inline constexpr int64_t PassStatusInterval = 100;

// The line as it is drawn, UTF-8: "MMM1.MGR, update pass: 1200 records visited",
// "towary.txt: 12000 lines read".
std::string PassStatusText(const PassStatus& status);

// Called by the goods services: a cursor opened on file, a record fetched through it,
// the cursor closed. A fetch draws when no draw was made in the PassStatusInterval
// before it (the first fetch ever always draws), so at most ten draws a second reach
// the screen, whatever the passes; the close clears the line when one was drawn.
void PassStatusOpened(const std::string& file, bool update);
void PassStatusFetched();
void PassStatusClosed();

// Called by the interruption check, before each line of the price file: the lines
// checked before this one were read. The first check since the last pass (or ever)
// starts a reading of the file that priceFile names (Mazovia, asked only then, and
// only when a drawer is set); the line is drawn as a fetch draws it. A pass that opens
// clears the reading's line.
void PriceLineChecked(std::string (*priceFile)());

// No pass under way, the steady clock, no drawer.
void ResetPassStatus();

}  // namespace hostsim
