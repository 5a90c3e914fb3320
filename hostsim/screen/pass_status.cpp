#include "hostsim/screen/pass_status.h"

#include <chrono>

namespace hostsim {

std::function<void(const PassStatus&)> drawPassStatus;
std::function<void()> clearPassStatus;

namespace {

int64_t SteadyMilliseconds() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

struct PassState {
  bool open;       // a cursor is open
  bool drawn;      // the line is on the screen
  bool everDrawn;  // lastDraw holds a time
  int64_t lastDraw;
  PassStatus status;
} pass;

}  // namespace

int64_t (*passStatusClock)() = SteadyMilliseconds;

std::string PassStatusText(const PassStatus& status) {
  return status.file + (status.update ? ", update pass: " : ", check pass: ") + std::to_string(status.records) +
         (status.records == 1 ? " record visited" : " records visited");
}

void PassStatusOpened(const std::string& file, bool update) {
  std::size_t slash = file.find_last_of("/\\");
  pass.open = true;
  pass.status = {slash == std::string::npos ? file : file.substr(slash + 1), update, 0};
}

void PassStatusFetched() {
  if (!pass.open) return;
  ++pass.status.records;
  if (!drawPassStatus) return;
  int64_t now = passStatusClock();
  if (pass.everDrawn && now - pass.lastDraw < PassStatusInterval) return;
  pass.lastDraw = now;
  pass.everDrawn = true;
  pass.drawn = true;
  drawPassStatus(pass.status);
}

void PassStatusClosed() {
  if (pass.drawn && clearPassStatus) clearPassStatus();
  pass.open = false;
  pass.drawn = false;
}

void ResetPassStatus() {
  pass = {};
  drawPassStatus = nullptr;
  clearPassStatus = nullptr;
  passStatusClock = SteadyMilliseconds;
}

}  // namespace hostsim
