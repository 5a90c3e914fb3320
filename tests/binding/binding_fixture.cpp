#include "tests/binding/binding_fixture.h"

#include <cstdio>
#include <cstdlib>

#include "frame/lifecycle/lifecycle.h"
#include "hostsim/win32/import_patch.h"

// The frame's state that the table reads; in the DLL the lifecycle code has it.
HostCallback hostCallback;
int32_t underWindows;

namespace binding_test {

std::map<uint32_t, void*> services;
std::map<uint32_t, int> kindTwoCalls;
std::vector<Box> boxes;
std::deque<int> answers;

uint32_t __cdecl FakeHostCallback(uint32_t kind, uint32_t value) {
  if (kind != 2) return 0;
  ++kindTwoCalls[value];
  auto it = services.find(value);
  return it == services.end() ? 0 : reinterpret_cast<uint32_t>(it->second);
}

namespace {

int WINAPI ScriptedMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT flags) {
  boxes.push_back({owner, text ? text : "", caption ? caption : "", flags});
  if (answers.empty()) {
    ADD_FAILURE() << "unexpected message box: " << (text ? text : "");
    return IDABORT;
  }
  int answer = answers.front();
  answers.pop_front();
  return answer;
}

// Patched once for the whole program; the real box is never reached.
bool PatchMessageBox() {
  static void* original =
      hostsim::PatchImport(GetModuleHandleA(nullptr), "user32.dll", "MessageBoxA",
                           reinterpret_cast<void*>(&ScriptedMessageBox));
  return original != nullptr;
}

const void* raisingEntry;
Raised raised;

LONG CALLBACK CatchOnProbeThread(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD* record = info->ExceptionRecord;
  if (record->ExceptionCode != DeadServiceException) return EXCEPTION_CONTINUE_SEARCH;
  raised = {true, record->ExceptionCode, record->ExceptionFlags, record->NumberParameters,
            record->NumberParameters ? static_cast<uint32_t>(record->ExceptionInformation[0]) : 0};
  ExitThread(0);
}

DWORD WINAPI ProbeThread(void*) {
  ProbeCall(raisingEntry);
  return 1;  // came back: nothing was raised
}

}  // namespace

Raised CallExpectingException(const void* entry) {
  raisingEntry = entry;
  raised = {};
  void* handler = AddVectoredExceptionHandler(1, CatchOnProbeThread);
  HANDLE thread = CreateThread(nullptr, 0, ProbeThread, nullptr, 0, nullptr);
  EXPECT_NE(thread, nullptr);
  if (thread) {
    EXPECT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
    CloseHandle(thread);
  }
  RemoveVectoredExceptionHandler(handler);
  return raised;
}

void Unbind(HostServiceEntry* entry) {
  entry->slot = entry->binder;
  entry->dead = 0;
}

HostServiceEntry& Entry(uint32_t ordinal) {
  HostServiceEntry* entry = FindHostService(ordinal);
  if (!entry) {
    std::fprintf(stderr, "the table has no entry for %u\n", static_cast<unsigned>(ordinal));
    std::abort();
  }
  return *entry;
}

void BindingTest::SetUp() {
  ASSERT_TRUE(PatchMessageBox()) << "MessageBoxA not found among the program's imports";
  hostCallback = FakeHostCallback;
  underWindows = 0;
  services.clear();
  kindTwoCalls.clear();
  boxes.clear();
  answers.clear();
}

void BindingTest::TearDown() {
  EXPECT_TRUE(answers.empty()) << answers.size() << " scripted answers left over";
}

}  // namespace binding_test
