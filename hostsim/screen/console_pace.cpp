#include "hostsim/screen/console_pace.h"

#include <chrono>

namespace hostsim {
namespace {

int64_t SteadyMilliseconds() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

bool asked;        // lastAsked holds a time
int64_t lastAsked;

}  // namespace

bool (*consoleKeyPoll)();
int64_t (*consoleClock)() = SteadyMilliseconds;

bool PacedKeyPressed() {
  if (!consoleKeyPoll) return false;
  int64_t now = consoleClock();
  if (asked && now - lastAsked < ConsoleAskInterval) return false;
  asked = true;
  lastAsked = now;
  return consoleKeyPoll();
}

void ResetConsolePace() {
  asked = false;
  lastAsked = 0;
  consoleKeyPoll = nullptr;
  consoleClock = SteadyMilliseconds;
}

}  // namespace hostsim
