// Character set conversion and process creation: 52158, 52005.
#include <cstring>

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

// The host's character sets as host service 52158 numbers them.
constexpr int SetMazovia = 1;
constexpr int SetWindows1250 = 3;

// The Polish letters in both sets: {Mazovia, Windows-1250}.
constexpr unsigned char kPolishLetters[][2] = {
    {0x86, 0xB9}, {0x8F, 0xA5}, {0x8D, 0xE6}, {0x95, 0xC6}, {0x91, 0xEA}, {0x90, 0xCA},
    {0x92, 0xB3}, {0x9C, 0xA3}, {0xA4, 0xF1}, {0xA5, 0xD1}, {0xA2, 0xF3}, {0xA3, 0xD3},
    {0x9E, 0x9C}, {0x98, 0x8C}, {0xA6, 0x9F}, {0xA0, 0x8F}, {0xA7, 0xBF}, {0xA1, 0xAF},
};

// One byte from set column `from` to column `to`: ASCII stays, a Polish letter gets its
// byte in the other set, any other byte above 0x7F (no Polish letter) becomes '?'.
char ConvertByte(char byte, int from, int to) {
  auto b = static_cast<unsigned char>(byte);
  if (b < 0x80) return byte;
  for (const auto& letter : kPolishLetters)
    if (letter[from] == b) return static_cast<char>(letter[to]);
  return '?';
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
  const int fromColumn = from == SetMazovia ? 0 : 1;
  size_t i = 0;
  for (; text[i]; ++i) sameText[i] = ConvertByte(text[i], fromColumn, 1 - fromColumn);
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
