// Character set conversion and process creation: 52158, 52005.
#include <cstring>

#include "host/charsets.h"
#include "host/services.h"
#include "hostsim/services/processes.h"

namespace hostsim {
std::vector<ProcessRequest> processRequests;
int32_t processResult;

void ResetProcesses() {
  processRequests.clear();
  processResult = 0;
}
}  // namespace hostsim

namespace {

using charsets::SetMazovia;
using charsets::SetWindows1250;

// One byte from set `from` to the other of the two: ASCII stays, a Polish letter gets
// its byte in the other set, any other byte above 0x7F (no Polish letter) becomes '?'.
char ConvertByte(char byte, int from) {
  auto b = static_cast<unsigned char>(byte);
  int converted = from == SetMazovia ? charsets::MazoviaToWindows1250(b) : charsets::Windows1250ToMazovia(b);
  return converted < 0 ? '?' : static_cast<char>(converted);
}

}  // namespace

extern "C" {

// Converts the zero-terminated `text` from set `from` into `sameText` (the host's callers
// pass the same buffer twice). Sets 1 (Mazovia) and 3 (Windows-1250) are known; any
// other pair copies the text unchanged.
void convertCharset(char* text, char* sameText, int from, int to) {
  if (!text || !sameText) return;
  const bool known = (from == SetMazovia && to == SetWindows1250) || (from == SetWindows1250 && to == SetMazovia);
  if (!known) {
    if (sameText != text) std::memmove(sameText, text, std::strlen(text) + 1);
    return;
  }
  size_t i = 0;
  for (; text[i]; ++i) sameText[i] = ConvertByte(text[i], from);
  sameText[i] = 0;
}

int32_t HOST_STDCALL createProcess(const char* application, char* commandLine, void* processAttributes,
                                   void* threadAttributes, int32_t inheritHandles, uint32_t creationFlags,
                                   void* environment, const char* currentDirectory, void* startupInfo,
                                   void* processInformation) {
  auto raw = [](auto value) { return (uintptr_t)(value); };
  hostsim::processRequests.push_back({raw(application), raw(commandLine), raw(processAttributes),
                                      raw(threadAttributes), raw(inheritHandles), raw(creationFlags),
                                      raw(environment), raw(currentDirectory), raw(startupInfo),
                                      raw(processInformation)});
  return hostsim::processResult;
}
}
