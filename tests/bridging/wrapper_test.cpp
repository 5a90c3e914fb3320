// The wrappers and their installation, from a copy of the wrapper objects linked into
// this program with a SystemEntryTable of its own: test slots instead of the DLL's.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/bridging/system_wrappers.h"
#include "host/services.h"
#include "tests/bridging/register_call.h"

namespace {

struct Row {
  const char* name;
  int arguments;
};
const std::vector<Row>& WrappedRows() {
  static const std::vector<Row> rows = {
#define SYSTEM_WRAPPED(name, module, arguments) {#name, arguments},
#define SYSTEM_IMPORT(name, module, arguments)
#include "frame/bridging/system_imports.h"
#undef SYSTEM_WRAPPED
#undef SYSTEM_IMPORT
  };
  return rows;
}

// What each test slot holds before installation: a distinct mark per slot.
void* SlotMark(int i) { return reinterpret_cast<void*>(0x51070000u + i); }

}  // namespace

// This program's stand-ins for the DLL's slots, and the table that points at them.
static void* testSlots[SystemWrappedCount];
extern "C" void* SystemEntryTable[SystemWrappedCount + 1];
void* SystemEntryTable[SystemWrappedCount + 1];

TEST(SystemWrappers, AreOnePerWrappedFunctionInTableOrder) {
  ASSERT_EQ(WrappedRows().size(), 129u);
  EXPECT_EQ(SystemWrapperCount, 129u);
  int perCount[11] = {};
  for (const Row& row : WrappedRows()) ++perCount[row.arguments];
  const int expected[11] = {14, 46, 30, 9, 10, 10, 5, 2, 2, 0, 1};
  for (int n = 0; n <= 10; ++n) EXPECT_EQ(perCount[n], expected[n]) << n << " arguments";
  for (size_t i = 1; i < WrappedRows().size(); ++i)
    EXPECT_LE(WrappedRows()[i - 1].arguments, WrappedRows()[i].arguments) << WrappedRows()[i].name;
  EXPECT_STREQ(WrappedRows()[SystemWrapperCreateProcessA].name, "CreateProcessA");
}

TEST(SystemWrappers, InstallSwapsEverySlotOnceAndGivesProcessCreationToTheHost) {
  for (int i = 0; i < SystemWrappedCount; ++i) {
    testSlots[i] = SlotMark(i);
    SystemEntryTable[i] = &testSlots[i];
  }
  SystemEntryTable[SystemWrappedCount] = nullptr;
  ASSERT_EQ(systemWrappersInstalled, 0);

  InstallSystemWrappers();
  EXPECT_EQ(systemWrappersInstalled, 1);
  for (int i = 0; i < SystemWrappedCount; ++i) {
    SCOPED_TRACE(WrappedRows()[i].name);
    EXPECT_EQ(SystemEntryTable[i], SlotMark(i));
    if (i == SystemWrapperCreateProcessA)
      EXPECT_EQ(testSlots[i], reinterpret_cast<void*>(&createProcess));
    else
      EXPECT_EQ(testSlots[i], SystemCallWrappers[i]);
  }
  EXPECT_EQ(SystemEntryTable[SystemWrappedCount], nullptr);

  // A second installation finds the flag set and changes nothing.
  std::vector<void*> slots(testSlots, testSlots + SystemWrappedCount);
  std::vector<void*> entries(SystemEntryTable, SystemEntryTable + SystemWrappedCount + 1);
  InstallSystemWrappers();
  EXPECT_EQ(std::vector<void*>(testSlots, testSlots + SystemWrappedCount), slots);
  EXPECT_EQ(std::vector<void*>(SystemEntryTable, SystemEntryTable + SystemWrappedCount + 1), entries);
}

// Every wrapper, each in front of a fake that changes every register but ESP: the
// caller gets the fake's result in EAX, every other register and the flags back as
// they were, and exactly its n arguments removed; the fake saw them in order.
TEST(SystemWrappers, KeepTheCallersRegistersAndRemoveExactlyTheirArguments) {
  std::vector<void*> entries(SystemEntryTable, SystemEntryTable + SystemWrappedCount + 1);
  for (int i = 0; i < SystemWrappedCount; ++i) {
    const Row& row = WrappedRows()[i];
    SCOPED_TRACE(row.name);
    SystemEntryTable[i] = const_cast<void*>(FakeSystemFunctions[row.arguments]);
    uint32_t arguments[10];
    for (int k = 0; k < 10; ++k) arguments[k] = 0xA5000000u + 0x100u * i + k;
    std::fill(std::begin(fakeArguments), std::end(fakeArguments), 0u);
    fakeCalls = 0;

    CallWithMarks(SystemCallWrappers[i], arguments, row.arguments);

    EXPECT_EQ(fakeCalls, 1u);
    for (int k = 0; k < row.arguments; ++k) EXPECT_EQ(fakeArguments[k], arguments[k]) << "argument " << k;
    const RegisterState& after = registersAfter;
    EXPECT_EQ(after.eax, FakeResult + row.arguments);
    EXPECT_EQ(after.ebx, registerMarks.ebx);
    EXPECT_EQ(after.ecx, registerMarks.ecx);
    EXPECT_EQ(after.edx, registerMarks.edx);
    EXPECT_EQ(after.esi, registerMarks.esi);
    EXPECT_EQ(after.edi, registerMarks.edi);
    EXPECT_EQ(after.ebp, registerMarks.ebp);
    EXPECT_EQ(after.flags & FlagsChecked, registerMarks.flags & FlagsChecked);
    EXPECT_EQ(after.esp - registersBefore.esp, 4u * row.arguments);
  }
  std::copy(entries.begin(), entries.end(), SystemEntryTable);
}

// The same caller straight into a fake: proves the fakes really change what the
// wrappers are shown to keep.
TEST(SystemWrappers, FakesChangeTheRegistersTheWrappersKeep) {
  uint32_t arguments[10] = {};
  CallWithMarks(FakeSystemFunctions[10], arguments, 10);
  EXPECT_NE(registersAfter.ecx, registerMarks.ecx);
  EXPECT_NE(registersAfter.edx, registerMarks.edx);
  EXPECT_NE(registersAfter.ebx, registerMarks.ebx);
  EXPECT_NE(registersAfter.ebp, registerMarks.ebp);
  EXPECT_NE(registersAfter.flags & FlagsChecked, registerMarks.flags & FlagsChecked);
  EXPECT_EQ(registersAfter.esp - registersBefore.esp, 40u);
}
