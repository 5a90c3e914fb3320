// Character set conversion and process creation: 52158, 52005.
#include "host/services.h"
#include "hostsim/processes.h"

namespace hostsim {
std::vector<ProcessRequest> processRequests;
int32_t processResult;

void ResetProcesses() {
  processRequests.clear();
  processResult = 0;
}
}  // namespace hostsim

extern "C" {
void convertCharset(char*, char*, int, int) {}
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
