// The plug-in's own C runtime as a run uses it: its system calls (the price file, the
// deletion of the reports, the heap) reach the system through the plug-in's import
// slots and their register-preserving wrappers. Fakes are put where a wrapper calls
// the system function, so every call they see came through a wrapper.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <filesystem>

#include "tests/bridging/loaded_image.h"
#include "tests/bridging/register_call.h"
#include "hostsim/base/utf8_path.h"
#include "tests/run/run_fixture.h"

using namespace testing_run;

namespace {

const std::string Shop =
    "symbol,index,name,vat,net,gross,remarks\n"
    "KAWA,100,Kawa mielona,1,10.00,12.30,półka 1\n"
    "HERB,101,Herbata czarna,1,5.00,6.15,półka 2\n";

const std::vector<PriceLine> Prices = {
    {"KAWA", "Kawa Arabica", "13,53"},
    {"MLEKO", "Mleko 2%", "2,50"},
};

// Calls that reached each fake, and the system functions the fakes pass them on to.
int createCalls, readCalls, closeCalls, deleteCalls, heapCalls;
int heapFailsFrom;  // the heap call from which on HeapAlloc fails; 0: never
void* realCreate;
void* realRead;
void* realClose;
void* realHeapAlloc;

// Leaves marks in ECX and EDX, as a system function may.
#define SPOIL_VOLATILE_REGISTERS() asm volatile("movl $0xBAD0C0DE, %%ecx\n\tmovl $0xBAD0D0DE, %%edx" ::: "ecx", "edx")

HANDLE WINAPI CountingCreateFileA(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                                  DWORD disposition, DWORD flags, HANDLE pattern) {
  ++createCalls;
  HANDLE h = reinterpret_cast<decltype(&CountingCreateFileA)>(realCreate)(path, access, share, security,
                                                                          disposition, flags, pattern);
  SPOIL_VOLATILE_REGISTERS();
  return h;
}
BOOL WINAPI CountingReadFile(HANDLE file, LPVOID buffer, DWORD size, LPDWORD read, LPOVERLAPPED overlapped) {
  ++readCalls;
  BOOL ok = reinterpret_cast<decltype(&CountingReadFile)>(realRead)(file, buffer, size, read, overlapped);
  SPOIL_VOLATILE_REGISTERS();
  return ok;
}
BOOL WINAPI CountingCloseHandle(HANDLE handle) {
  ++closeCalls;
  BOOL ok = reinterpret_cast<decltype(&CountingCloseHandle)>(realClose)(handle);
  SPOIL_VOLATILE_REGISTERS();
  return ok;
}
LPVOID WINAPI FailingHeapAlloc(HANDLE heap, DWORD flags, SIZE_T size) {
  ++heapCalls;
  if (heapFailsFrom && heapCalls >= heapFailsFrom) return nullptr;
  return reinterpret_cast<decltype(&FailingHeapAlloc)>(realHeapAlloc)(heap, flags, size);
}

class RuntimeCalls : public RunFixture {
 protected:
  // Loads the plug-in and returns the wrapper cell of a KERNEL32 function.
  void** Cell(const char* function) {
    void** slot = ImportSlot(static_cast<HMODULE>(hostsim::PluginModule()), "KERNEL32.dll", function);
    if (!slot) return nullptr;
    return WrapperCell(*slot);
  }
  // Puts `fake` into the wrapper cell of `function`; returns what was there.
  void* Replace(const char* function, void* fake) {
    void** cell = Cell(function);
    EXPECT_NE(cell, nullptr) << function;
    if (!cell) return nullptr;
    void* old = *cell;
    *cell = fake;
    return old;
  }
  void LoadOnce() {
    Load();
    loadedOnce = true;
  }
};

const std::vector<std::string> ExpectedInfo4 = {
    "[KAWA]      13.53 Kawa Arabica",
    "[MLEKO]       2.50 Mleko 2%",
};

}  // namespace

TEST_F(RuntimeCalls, PriceFileAndReportDeletionPassTheWrappers) {
  WriteGoods(1, Shop);
  WritePriceFile("towary.txt", Prices);
  LoadOnce();
  createCalls = readCalls = closeCalls = 0;
  realCreate = Replace("CreateFileA", reinterpret_cast<void*>(&CountingCreateFileA));
  realRead = Replace("ReadFile", reinterpret_cast<void*>(&CountingReadFile));
  realClose = Replace("CloseHandle", reinterpret_cast<void*>(&CountingCloseHandle));
  // DeleteFileA: a fake that succeeds and changes EBX ECX EDX ESI EDI EBP and the flags.
  fakeCalls = 0;
  void* realDelete = Replace("DeleteFileA", const_cast<void*>(FakeSystemFunctions[1]));
  Answer({});
  Run();
  Replace("CreateFileA", realCreate);
  Replace("ReadFile", realRead);
  Replace("CloseHandle", realClose);
  Replace("DeleteFileA", realDelete);

  EXPECT_EQ(createCalls, 1);  // the price file
  EXPECT_GE(readCalls, 1);
  EXPECT_EQ(closeCalls, 1);
  EXPECT_EQ(fakeCalls, 4u);   // INFO.TXT, INFO2.TXT, INFO3.TXT, INFO4.TXT
  EXPECT_EQ(Lines("INFO4.TXT"), ExpectedInfo4);
  EXPECT_EQ(Goods(1)[0].gross, 13.53);
}

// The platform the stand-in plays reads file names in the host's set: a price file in
// a folder, both named with Polish letters, typed in the dialog (Mazovia), opens through
// the runtime's CreateFileA and its wrapper, and the run reprices.
TEST_F(RuntimeCalls, APriceFileNamedWithPolishLettersOpens) {
  const std::string folder = "Sklep Łódź", file = "Sklep Łódź/cennik żółty.txt";
  std::filesystem::create_directories(hostsim::Utf8Path(folder));
  std::FILE* f = hostsim::OpenUtf8(file, "wb");
  ASSERT_NE(f, nullptr);
  std::string bytes = hostsim::Utf8ToMazovia(PriceFileText(Prices));
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  WriteGoods(1, Shop);
  LoadOnce();
  createCalls = 0;
  realCreate = Replace("CreateFileA", reinterpret_cast<void*>(&CountingCreateFileA));
  Choice choice;
  choice.path = "Sklep Łódź\\cennik żółty.txt";  // the answers script is UTF-8; typing gives Mazovia
  Answer(choice);
  Run();
  Replace("CreateFileA", realCreate);
  std::filesystem::remove_all(hostsim::Utf8Path(folder));
  EXPECT_EQ(createCalls, 1);
  EXPECT_EQ(Lines("INFO4.TXT"), ExpectedInfo4);
  EXPECT_EQ(Goods(1)[0].gross, 13.53);
}

// Through the slot as the runtime calls it: the fake's marks in ECX and EDX never reach
// the caller, which gets the fake's result in EAX.
TEST_F(RuntimeCalls, AFakeThatChangesRegistersChangesNothingTheCallerSees) {
  LoadOnce();
  void** slot = ImportSlot(static_cast<HMODULE>(hostsim::PluginModule()), "KERNEL32.dll", "DeleteFileA");
  ASSERT_NE(slot, nullptr);
  void* real = Replace("DeleteFileA", const_cast<void*>(FakeSystemFunctions[1]));
  uint32_t argument = 0x1234;
  CallWithMarks(FakeSystemFunctions[1], &argument, 1);  // the fake alone changes them
  EXPECT_NE(registersAfter.ecx, registerMarks.ecx);
  EXPECT_NE(registersAfter.edx, registerMarks.edx);
  CallWithMarks(*slot, &argument, 1);
  Replace("DeleteFileA", real);
  EXPECT_EQ(registersAfter.eax, FakeResult + 1);
  EXPECT_EQ(registersAfter.ecx, registerMarks.ecx);
  EXPECT_EQ(registersAfter.edx, registerMarks.edx);
  EXPECT_EQ(registersAfter.ebx, registerMarks.ebx);
  EXPECT_EQ(registersAfter.esi, registerMarks.esi);
  EXPECT_EQ(registersAfter.edi, registerMarks.edi);
  EXPECT_EQ(registersAfter.esp - registersBefore.esp, 4u);
}

// The heap behind the runtime working, then failing at every call: the load and a run
// over prices that take the formatted print's long way (its big numbers live in a
// fixed pool) end the same, and neither asks the heap for anything.
TEST_F(RuntimeCalls, HeapFailureChangesNothingInALoadOrARun) {
  const std::vector<PriceLine> huge = {
      {"KAWA", "Kawa Arabica", "13,53"}, {"A", "a", "1e200"}, {"B", "b", "1,7e304"}, {"C", "c", "0,005"}};
  for (int failsFrom : {0, 1}) {
    SCOPED_TRACE(failsFrom ? "the heap fails every call" : "the heap works");
    StartAfresh();
    WriteGoods(1, Shop);
    WritePriceFile("towary.txt", huge);
    ASSERT_TRUE(hostsim::LoadPluginLibrary(PRZECENA_DLL));
    loaded = loadedOnce = true;
    heapCalls = 0;
    heapFailsFrom = failsFrom;
    realHeapAlloc = Replace("HeapAlloc", reinterpret_cast<void*>(&FailingHeapAlloc));
    char name[64];
    hostsim::CallOutcome load = hostsim::LoadCall(name);
    ASSERT_TRUE(load.completed) << std::hex << load.exceptionCode;
    EXPECT_EQ(load.result, 0);
    Answer({});
    hostsim::CallOutcome run = hostsim::ChooseMenuCommand(RepricingCommand);
    Replace("HeapAlloc", realHeapAlloc);
    ASSERT_TRUE(run.completed) << std::hex << run.exceptionCode;
    EXPECT_EQ(heapCalls, 0);
    EXPECT_EQ(Goods(1)[0].gross, 13.53);
    auto info4 = Lines("INFO4.TXT");
    ASSERT_EQ(info4.size(), 4u);
    EXPECT_EQ(info4[3], "[C]       0.01 c");
  }
}
