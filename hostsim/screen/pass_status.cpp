#include "hostsim/screen/pass_status.h"

#include <chrono>

#include "hostsim/base/charset.h"

namespace hostsim {

std::function<void(const PassStatus&)> drawPassStatus;
std::function<void()> clearPassStatus;

namespace {

int64_t SteadyMilliseconds() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

struct PassState {
  bool open;       // a cursor is open, or a price file is being read
  bool drawn;      // the line is on the screen
  bool everDrawn;  // lastDraw holds a time
  int64_t lastDraw;
  PassStatus status;
} pass;

// The name without its folder.
std::string FileName(const std::string& path) {
  std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Draws the line when no draw was made in the PassStatusInterval before now (the first
// one ever always draws).
void DrawWhenDue() {
  if (!drawPassStatus) return;
  int64_t now = passStatusClock();
  if (pass.everDrawn && now - pass.lastDraw < PassStatusInterval) return;
  pass.lastDraw = now;
  pass.everDrawn = true;
  pass.drawn = true;
  drawPassStatus(pass.status);
}

}  // namespace

int64_t (*passStatusClock)() = SteadyMilliseconds;

std::string PassStatusText(const PassStatus& status) {
  if (status.reading)
    return status.file + ": " + std::to_string(status.records) + (status.records == 1 ? " line read" : " lines read");
  return status.file + (status.update ? ", update pass: " : ", check pass: ") + std::to_string(status.records) +
         (status.records == 1 ? " record visited" : " records visited");
}

void PassStatusOpened(const std::string& file, bool update) {
  if (pass.status.reading) PassStatusClosed();
  pass.open = true;
  pass.status = {FileName(file), update, 0, false};
}

void PassStatusFetched() {
  if (!pass.open) return;
  ++pass.status.records;
  DrawWhenDue();
}

void PriceLineChecked(std::string (*priceFile)()) {
  if (!pass.open) {
    pass.open = true;
    pass.status = {drawPassStatus ? MazoviaToUtf8(FileName(priceFile())) : std::string(), false, -1, true};
  }
  if (!pass.status.reading) return;  // a check within a pass is no line of the price file
  ++pass.status.records;
  DrawWhenDue();
}

void PassStatusClosed() {
  if (pass.drawn && clearPassStatus) clearPassStatus();
  pass.open = false;
  pass.drawn = false;
  pass.status.reading = false;
}

void ResetPassStatus() {
  pass = {};
  drawPassStatus = nullptr;
  clearPassStatus = nullptr;
  passStatusClock = SteadyMilliseconds;
}

}  // namespace hostsim
