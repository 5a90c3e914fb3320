// Functions of "EMU32.dll" bound at their first call: from the system module, the
// host program's exports, the host, or reported as found nowhere.
#include <cstdint>
#include <cstring>
#include <string>

#include "hostsim/win32/import_patch.h"
#include "tests/bridging/plugin_fixture.h"
#include "tests/bridging/program_exports.h"

namespace {

// The system's message box as the plug-in would show it, answered here.
struct Box {
  HWND owner;
  std::string text, caption;
  UINT flags;
};
std::vector<Box> boxes;
int WINAPI FakeMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT flags) {
  boxes.push_back({owner, text ? text : "", caption ? caption : "", flags});
  return IDOK;
}

// The host's function for a name, counting its calls.
int hostFunctionCalls;
BOOL WINAPI HostsHistoryInfo(void*) {
  ++hostFunctionCalls;
  return 0x4057;
}

// The system module as these tests see it: this Wine's KERNEL32 without the four
// functions that stand for ones a system lacks (whatever this Wine has), put into the
// cell of the plug-in's wrapped GetProcAddress.
const char* const Lacked[] = {"GetConsoleSelectionInfo", "GetConsoleHistoryInfo", "SetConsoleHistoryInfo",
                              "NlsGetCacheUpdateCount"};
void* realGetProcAddress;
FARPROC WINAPI LackingGetProcAddress(HMODULE module, LPCSTR name) {
  if (module == GetModuleHandleA("KERNEL32.dll") && reinterpret_cast<uintptr_t>(name) >= 65536)
    for (const char* lacked : Lacked)
      if (std::strcmp(name, lacked) == 0) return nullptr;
  return reinterpret_cast<decltype(&LackingGetProcAddress)>(realGetProcAddress)(module, name);
}

}  // namespace

class LazyImports : public BridgedPluginTest {
 protected:
  void SetUp() override {
    BridgedPluginTest::SetUp();
    boxes.clear();
    hostFunctionCalls = 0;
    ASSERT_NE(hostsim::PatchImport(plugin, "USER32.dll", "MessageBoxA", reinterpret_cast<void*>(&FakeMessageBox)),
              nullptr);
    void** slot = Slot("GetProcAddress");
    ASSERT_NE(slot, nullptr);
    void** cell = WrapperCell(*slot);
    ASSERT_NE(cell, nullptr);
    realGetProcAddress = *cell;
    *cell = reinterpret_cast<void*>(&LackingGetProcAddress);
  }
};

TEST_F(LazyImports, RuntimeStartBindsGetVersionExAFromTheSystemModule) {
  void** slot = Emu32Slot("GetVersionExA");
  ASSERT_NE(slot, nullptr);
  EXPECT_NE(*slot, SystemFunction("GetVersionExA")) << "bound before the load call";
  Load();
  EXPECT_EQ(*slot, SystemFunction("GetVersionExA"));
  EXPECT_EQ(HostAskedFor("GetVersionExA"), 0);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(LazyImports, NameInTheSystemComesFromThereEvenWhenTheProgramExportsIt) {
  Load();
  void** slot = Emu32Slot("GetSystemDefaultLangID");
  ASSERT_NE(slot, nullptr);
  auto function = reinterpret_cast<LANGID(WINAPI*)()>(*slot);
  EXPECT_EQ(function(), reinterpret_cast<LANGID(WINAPI*)()>(SystemFunction("GetSystemDefaultLangID"))());
  EXPECT_EQ(*slot, SystemFunction("GetSystemDefaultLangID"));
  EXPECT_NE(*slot, reinterpret_cast<void*>(&ProgramsGetSystemDefaultLangID));
}

TEST_F(LazyImports, NameAbsentFromTheSystemComesFromTheProgramsExportsBeforeTheHost) {
  hostsim::namedFunctions["GetConsoleSelectionInfo"] = reinterpret_cast<void*>(&HostsHistoryInfo);
  Load();
  void** slot = Emu32Slot("GetConsoleSelectionInfo");
  ASSERT_NE(slot, nullptr);
  unsigned info = 0;
  auto function = reinterpret_cast<int(WINAPI*)(void*)>(*slot);
  EXPECT_EQ(function(&info), ProgramsSelectionResult);
  EXPECT_EQ(info, 0x5E1EC7u);
  EXPECT_EQ(*slot, reinterpret_cast<void*>(&ProgramsGetConsoleSelectionInfo));
  EXPECT_EQ(HostAskedFor("GetConsoleSelectionInfo"), 0);
  EXPECT_EQ(hostFunctionCalls, 0);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(LazyImports, NameAbsentFromSystemAndProgramComesFromTheHostOnce) {
  hostsim::namedFunctions["GetConsoleHistoryInfo"] = reinterpret_cast<void*>(&HostsHistoryInfo);
  Load();
  void** slot = Emu32Slot("GetConsoleHistoryInfo");
  ASSERT_NE(slot, nullptr);
  for (int call = 1; call <= 2; ++call) {
    auto function = reinterpret_cast<BOOL(WINAPI*)(void*)>(*slot);
    EXPECT_EQ(function(nullptr), 0x4057);
  }
  EXPECT_EQ(hostFunctionCalls, 2);
  EXPECT_EQ(*slot, reinterpret_cast<void*>(&HostsHistoryInfo));
  EXPECT_EQ(HostAskedFor("GetConsoleHistoryInfo"), 1);
  bool askedByPointer = false;
  for (auto [kind, value] : hostsim::callbackCalls)
    askedByPointer |= kind == 2 && value >= 65536 && std::string(reinterpret_cast<const char*>(value)) == "GetConsoleHistoryInfo";
  EXPECT_TRUE(askedByPointer);
  EXPECT_TRUE(boxes.empty());
}

// Found nowhere, during the load call: the box, then the procedure-not-found
// exception leaves the plug-in as SE_Exception; the slot keeps its loader, so a later
// call tries again (and succeeds once the host has the function). The runtime start's
// GetVersionExA is pointed at the loader of such a function, so that the first use
// happens inside the plug-in.
TEST_F(LazyImports, NameFoundNowhereIsReportedAndRaisedAndTriedAgainLater) {
  void** missing = Emu32Slot("SetConsoleHistoryInfo");
  void** version = Emu32Slot("GetVersionExA");
  ASSERT_NE(missing, nullptr);
  ASSERT_NE(version, nullptr);
  void* loader = *missing;
  void* wrapper = *version;
  *version = loader;  // both take one argument

  char name[64];
  hostsim::CallOutcome o = hostsim::LoadCall(name);
  *version = wrapper;
  EXPECT_FALSE(o.completed);
  EXPECT_EQ(o.exceptionCode, hostsim::SeExceptionCode);
  EXPECT_EQ(o.innerCode, 0xC06D007Fu);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].owner, nullptr);
  EXPECT_EQ(boxes[0].text, "Nie znaleziono\nSetConsoleHistoryInfo\nfrom EMU32.dll");
  EXPECT_EQ(boxes[0].caption, "Blad wtyczki");
  EXPECT_EQ(boxes[0].flags, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(*missing, loader);
  EXPECT_EQ(HostAskedFor("SetConsoleHistoryInfo"), 1);

  hostsim::namedFunctions["SetConsoleHistoryInfo"] = reinterpret_cast<void*>(&HostsHistoryInfo);
  EXPECT_EQ(reinterpret_cast<BOOL(WINAPI*)(void*)>(*missing)(nullptr), 0x4057);
  EXPECT_EQ(hostFunctionCalls, 1);
  EXPECT_EQ(*missing, reinterpret_cast<void*>(&HostsHistoryInfo));
  EXPECT_EQ(HostAskedFor("SetConsoleHistoryInfo"), 2);
  EXPECT_EQ(boxes.size(), 1u);
}

// A module that cannot be loaded: the module-not-found exception, no box, and the
// module's handle and the slot stay as they were. (The descriptor is pointed at a
// name no module has; the mechanism loads modules under the descriptor's name.)
TEST_F(LazyImports, ModuleThatCannotBeLoadedRaisesModuleNotFound) {
  ImgDelayDescr* user32 = DelayDescriptor(plugin, "USER32.dll");
  ASSERT_NE(user32, nullptr);
  void** print = User32Slot("wsprintfA");
  void* loader = *print;
  auto nameRecord = reinterpret_cast<IMAGE_THUNK_DATA32*>(reinterpret_cast<char*>(plugin) + user32->rvaINT);
  user32->rvaDLLName = nameRecord[1].u1.AddressOfData + 2;  // "wsprintfA": no such module
  hostsim::CallOutcome o = hostsim::CallPluginFunction(reinterpret_cast<void (*)(void)>(loader));
  EXPECT_FALSE(o.completed);
  EXPECT_EQ(o.exceptionCode, 0xC06D007Eu);
  EXPECT_EQ(*print, loader);
  EXPECT_EQ(*reinterpret_cast<HMODULE*>(reinterpret_cast<char*>(plugin) + user32->rvaHmod), nullptr);
  EXPECT_TRUE(boxes.empty());
}

// Loading a module publishes its handle through ILOCK.dll's InterlockedExchange, once
// per module; later imports of the same module find the handle in its cell.
namespace {
std::vector<std::pair<LONG volatile*, LONG>> exchanges;
LONG(WINAPI* realExchange)(LONG volatile*, LONG);
LONG WINAPI CountingExchange(LONG volatile* target, LONG value) {
  exchanges.emplace_back(target, value);
  return realExchange(target, value);
}
}  // namespace

TEST_F(LazyImports, ModuleHandlesArePublishedWithTheAtomicExchangeOnce) {
  void** exchange = ImportSlot(plugin, "ILOCK.dll", "InterlockedExchange");
  ASSERT_NE(exchange, nullptr);
  realExchange = reinterpret_cast<decltype(realExchange)>(*exchange);
  *exchange = reinterpret_cast<void*>(&CountingExchange);
  exchanges.clear();
  Load();  // binds GetVersionExA: the system module for "EMU32.dll"
  ImgDelayDescr* emu32 = DelayDescriptor(plugin, "EMU32.dll");
  auto emu32Cell = reinterpret_cast<LONG volatile*>(reinterpret_cast<char*>(plugin) + emu32->rvaHmod);
  ASSERT_EQ(exchanges.size(), 1u);
  EXPECT_EQ(exchanges[0].first, emu32Cell);
  EXPECT_EQ(exchanges[0].second, reinterpret_cast<LONG>(GetModuleHandleA("KERNEL32.dll")));
  EXPECT_EQ(*emu32Cell, exchanges[0].second);

  reinterpret_cast<DWORD(WINAPI*)()>(*Emu32Slot("GetTickCount"))();  // same module: no new exchange
  EXPECT_EQ(exchanges.size(), 1u);

  char buffer[16];
  reinterpret_cast<int(__cdecl*)(char*, const char*, ...)>(*User32Slot("wsprintfA"))(buffer, "%d", 5);
  ImgDelayDescr* user32 = DelayDescriptor(plugin, "USER32.dll");
  ASSERT_EQ(exchanges.size(), 2u);
  EXPECT_EQ(exchanges[1].first, reinterpret_cast<LONG volatile*>(reinterpret_cast<char*>(plugin) + user32->rvaHmod));
  EXPECT_EQ(exchanges[1].second, reinterpret_cast<LONG>(GetModuleHandleA("USER32.dll")));
  *exchange = reinterpret_cast<void*>(realExchange);
}

// A handler that continues the procedure-not-found exception: with a function put
// into the record's pfnCur the call goes on into it (the slot still keeps its
// loader); without one there is nothing to continue into, and the exception comes
// again as non-continuable instead of a jump to address 0.
namespace {
int continued;
FARPROC continueWith;
LONG WINAPI ContinueOnce(EXCEPTION_POINTERS* pointers) {
  EXCEPTION_RECORD* record = pointers->ExceptionRecord;
  if (record->ExceptionCode != 0xC06D007F || continued) return EXCEPTION_CONTINUE_SEARCH;
  ++continued;
  auto info = reinterpret_cast<DelayLoadInfo*>(record->ExceptionInformation[0]);
  if (record->NumberParameters != 1 || info->cb != sizeof(DelayLoadInfo)) return EXCEPTION_CONTINUE_SEARCH;
  if (std::string(info->szDll) != "EMU32.dll" || std::string(info->dlp.szProcName) != "NlsGetCacheUpdateCount")
    return EXCEPTION_CONTINUE_SEARCH;
  info->pfnCur = continueWith;
  return EXCEPTION_CONTINUE_EXECUTION;
}
DWORD WINAPI ReplacementCount() { return 0xC0C0; }
}  // namespace

TEST_F(LazyImports, HandlerMayContinueOnlyWithAFunction) {
  Load();
  void** slot = Emu32Slot("NlsGetCacheUpdateCount");
  void* loader = *slot;
  PVOID handler = AddVectoredExceptionHandler(1, ContinueOnce);

  continued = 0;
  continueWith = reinterpret_cast<FARPROC>(&ReplacementCount);
  EXPECT_EQ(reinterpret_cast<DWORD(WINAPI*)()>(*slot)(), 0xC0C0u);
  EXPECT_EQ(continued, 1);
  EXPECT_EQ(*slot, loader);

  continued = 0;
  continueWith = nullptr;
  hostsim::CallOutcome o = hostsim::CallPluginFunction(reinterpret_cast<void (*)(void)>(loader));
  EXPECT_EQ(continued, 1);
  EXPECT_FALSE(o.completed);
  EXPECT_EQ(o.exceptionCode, 0xC06D007Fu);
  EXPECT_EQ(*slot, loader);
  RemoveVectoredExceptionHandler(handler);
  EXPECT_EQ(boxes.size(), 2u);
}

// Two threads loading the same module at once: the one whose exchange finds its own
// handle already published drops the reference its load took, once. The exchange
// here plays the other thread, publishing the same handle just before.
namespace {
std::vector<HMODULE> freed;
BOOL WINAPI CountingFree(HMODULE module) {
  freed.push_back(module);
  return TRUE;  // the reference is kept, so the module stays loaded for the test
}
LONG WINAPI ExchangeAfterAnotherThread(LONG volatile* target, LONG value) {
  realExchange(target, value);
  return realExchange(target, value);
}
}  // namespace

TEST_F(LazyImports, LaterOfTwoLoadsOfAModuleDropsItsReference) {
  Load();
  void** exchange = ImportSlot(plugin, "ILOCK.dll", "InterlockedExchange");
  void** free = Slot("FreeLibrary");
  ASSERT_NE(exchange, nullptr);
  ASSERT_NE(free, nullptr);
  realExchange = reinterpret_cast<decltype(realExchange)>(*exchange);
  void* wrapper = *free;
  *exchange = reinterpret_cast<void*>(&ExchangeAfterAnotherThread);
  *free = reinterpret_cast<void*>(&CountingFree);
  freed.clear();

  char buffer[16];
  reinterpret_cast<int(__cdecl*)(char*, const char*, ...)>(*User32Slot("wsprintfA"))(buffer, "%d", 5);
  *exchange = reinterpret_cast<void*>(realExchange);
  *free = wrapper;
  EXPECT_STREQ(buffer, "5");
  EXPECT_EQ(freed, std::vector<HMODULE>{GetModuleHandleA("USER32.dll")});
}

// A lazy import's first call: the resolver's code (watched here in the system lookup it
// makes) runs with the direction flag clear on a stack aligned to 16 bytes (its
// frame at 8 past a multiple of 16), and the bound function is entered with the
// caller's flags, the direction flag set as the caller left it.
namespace {
uint32_t lookupFlags, lookupFrame, functionFlags;
FARPROC WINAPI WatchingGetProcAddress(HMODULE module, LPCSTR name) {
  lookupFlags = __builtin_ia32_readeflags_u32();
  lookupFrame = reinterpret_cast<uint32_t>(__builtin_frame_address(0));
  return LackingGetProcAddress(module, name);
}
BOOL WINAPI FlagsWatchingHistoryInfo(void*) {
  functionFlags = __builtin_ia32_readeflags_u32();
  return 0x4057;
}
// Calls a one-argument stdcall function with the direction flag set; clears it again.
uint32_t CallWithDirectionFlagSet(const void* function, void* argument) {
  uint32_t result;
  asm volatile("std\n\tpushl %2\n\tcall *%1\n\tcld"
               : "=a"(result)
               : "r"(function), "r"(argument)
               : "ecx", "edx", "memory", "cc");
  return result;
}
}  // namespace

TEST_F(LazyImports, FirstCallBindsWithDirectionFlagClearAndEntersWithTheCallersFlags) {
  Load();
  void** cell = WrapperCell(*Slot("GetProcAddress"));
  ASSERT_NE(cell, nullptr);
  *cell = reinterpret_cast<void*>(&WatchingGetProcAddress);
  hostsim::namedFunctions["SetConsoleHistoryInfo"] = reinterpret_cast<void*>(&FlagsWatchingHistoryInfo);
  void** slot = Emu32Slot("SetConsoleHistoryInfo");
  ASSERT_NE(slot, nullptr);
  lookupFlags = functionFlags = 0;
  EXPECT_EQ(CallWithDirectionFlagSet(*slot, nullptr), 0x4057u);
  EXPECT_EQ(*slot, reinterpret_cast<void*>(&FlagsWatchingHistoryInfo));
  EXPECT_NE(lookupFlags, 0u) << "the lookup was not made";
  EXPECT_EQ(lookupFlags & 0x400, 0u) << "direction flag during the binding";
  EXPECT_EQ(lookupFrame % 16, 8u);
  EXPECT_EQ(functionFlags & 0x400, 0x400u) << "the caller's direction flag";
}
