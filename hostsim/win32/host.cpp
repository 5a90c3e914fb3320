#include "hostsim/win32/host.h"

#include <windows.h>

#include "hostsim/base/utf8_path.h"
#include "hostsim/services/plugin_call.h"
#include "hostsim/services/service_table.h"
#include "hostsim/services/svc_menu.h"
#include "hostsim/win32/mazovia_files.h"

namespace {

// Filled by the handler of GuardedCall.
struct GuardFault {
  uint32_t faulted, code, address, innerCode, innerAddress, innerInfo;
};

using PluginEntryFunction = int32_t(HOST_CDECL*)(HostCallback callback, char* nameBuffer);

HMODULE plugin;
PluginEntryFunction pluginEntry;

struct EntryArguments {
  HostCallback callback;
  char* nameBuffer;
};

// Bodies for GuardedCall: they run inside its frame, so they hold nothing that needs
// destroying (an exception skips them without running destructors).
int32_t CallEntry(void* context) {
  auto* a = static_cast<EntryArguments*>(context);
  return pluginEntry(a->callback, a->nameBuffer);
}

int32_t CallVoid(void* context) {
  reinterpret_cast<void (*)(void)>(context)();
  return 0;
}

}  // namespace

extern "C" int32_t GuardedCall(int32_t (*body)(void*), void* context, GuardFault* fault);

// Called by GuardedCall's handler while the exception is being dispatched: records
// its code and address and, for an SE_Exception, the original exception it carries
// (read only where the pointers lead to readable memory).
extern "C" void GuardNoteFault(const EXCEPTION_RECORD* record, GuardFault* fault) {
  fault->faulted = 1;
  fault->code = record->ExceptionCode;
  fault->address = reinterpret_cast<uint32_t>(record->ExceptionAddress);
  if (record->ExceptionCode != hostsim::SeExceptionCode || record->NumberParameters < 2) return;
  fault->innerCode = static_cast<uint32_t>(record->ExceptionInformation[0]);
  fault->innerInfo = static_cast<uint32_t>(record->ExceptionInformation[1]);
  auto* info = reinterpret_cast<const EXCEPTION_POINTERS*>(record->ExceptionInformation[1]);
  if (!info || IsBadReadPtr(info, sizeof *info)) return;
  const EXCEPTION_RECORD* inner = info->ExceptionRecord;
  if (!inner || IsBadReadPtr(inner, sizeof *inner)) return;
  fault->innerAddress = reinterpret_cast<uint32_t>(inner->ExceptionAddress);
}

namespace {

// Runs body inside the frame and turns what happened into an outcome. The host's
// appended files are held open during the call and closed when it returns.
hostsim::CallOutcome Guarded(int32_t (*body)(void*), void* context) {
  GuardFault fault = {};
  hostsim::EnterPluginCall();
  int32_t result = GuardedCall(body, context, &fault);
  hostsim::LeavePluginCall();
  if (!fault.faulted) return {true, result, 0, 0, 0, 0, 0};
  return {false, 0, fault.code, fault.innerCode, fault.innerAddress, fault.address, fault.innerInfo};
}

}  // namespace

namespace hostsim {

uint32_t HOST_CDECL Callback(uint32_t kind, uint32_t value) {
  callbackCalls.emplace_back(kind, value);
  if (kind == 1) return capabilityBits;
  if (kind != 2) return 0;
  if (value < 65536) return reinterpret_cast<uint32_t>(ServiceAddress(value));
  const char* name = reinterpret_cast<const char*>(value);
  if (IsBadStringPtrA(name, 1024)) return 0;
  callbackNames.emplace_back(name);
  auto it = namedFunctions.find(name);
  return it == namedFunctions.end() ? 0 : reinterpret_cast<uint32_t>(it->second);
}

bool LoadPluginLibrary(const char* path) {
  FreePluginLibrary();
  HMODULE module = LoadLibraryW(Utf8Path(path).c_str());
  if (!module) return false;
  auto entry = reinterpret_cast<PluginEntryFunction>(
      reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(PluginEntryOrdinal))));
  if (!entry) {
    FreeLibrary(module);
    return false;
  }
  plugin = module;
  pluginEntry = entry;
  HandMazoviaFileFunctions(module);
  return true;
}

CallOutcome LoadCall(char* nameBuffer) {
  if (!pluginEntry) return {false, 0, 0, 0, 0, 0, 0};
  EntryArguments a = {Callback, nameBuffer};
  return Guarded(CallEntry, &a);
}

CallOutcome UnloadCall() {
  if (!pluginEntry) return {false, 0, 0, 0, 0, 0, 0};
  EntryArguments a = {nullptr, nullptr};
  return Guarded(CallEntry, &a);
}

CallOutcome CallPluginFunction(void (*function)(void)) {
  if (!function) return {false, 0, 0, 0, 0, 0, 0};
  return Guarded(CallVoid, reinterpret_cast<void*>(function));
}

CallOutcome ChooseMenuCommand(uint16_t command) {
  const MenuCommand* c = FindMenuCommand(command);
  if (!c) return {false, 0, 0, 0, 0, 0, 0};
  return CallPluginFunction(c->entry.handler);
}

void FreePluginLibrary() {
  if (plugin) FreeLibrary(plugin);
  plugin = nullptr;
  pluginEntry = nullptr;
}

void* PluginModule() { return plugin; }

bool InPluginImage(uint32_t address) {
  if (!plugin) return false;
  auto base = reinterpret_cast<const unsigned char*>(plugin);
  auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  auto nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
  uint32_t start = reinterpret_cast<uint32_t>(base);
  return address >= start && address - start < nt->OptionalHeader.SizeOfImage;
}

}  // namespace hostsim
