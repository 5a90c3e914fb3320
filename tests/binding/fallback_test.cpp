// Services the host lacks: the report's answers, the fallback stub that Ignore binds
// (what it removes from the stack), and dead entries that raise on every call.
#include <cmath>
#include <iterator>
#include <type_traits>

#include "host/records.h"
#include "host/services.h"
#include "tests/binding/binding_fixture.h"

namespace binding_test {
namespace {

class FallbackTest : public BindingTest {};

constexpr int kDead = -1;

struct Row {
  const char* label;
  uint32_t ordinal;
  std::deque<int> answers;
  int removes;          // bytes the bound stub removes, or kDead
  uint32_t result = 0;  // what the bound stub answers in EAX
};

const Row kRows[] = {
    {"ends in 16", 52016, {IDIGNORE}, 16},
    {"one per hundred, ends in 16", 30416, {IDIGNORE}, 16},
    {"ends in 40", 52040, {IDIGNORE}, 40},
    {"ends in 56, the largest stub", 52056, {IDIGNORE}, 56},
    {"ends in 99", 30299, {IDIGNORE}, 0},
    {"ends in 00", 30800, {IDIGNORE}, 0},
    {"ends in 25: no stub", 52025, {IDIGNORE}, kDead},
    {"ends in 60: no stub", 52060, {IDIGNORE}, kDead},
    {"ends in 58: no stub", 52058, {IDIGNORE}, kDead},
    {"Abort", 52044, {IDABORT}, kDead},
    {"another answer counts as Abort", 52052, {IDCANCEL}, kDead},
    {"no answer (the box failed)", 52036, {0}, kDead},
    {"Retry three times, then Ignore", 52048, {IDRETRY, IDRETRY, IDRETRY, IDIGNORE}, 48},
    {"Retry, then Abort", 52068, {IDRETRY, IDABORT}, kDead},
    // The plug-in's own services keep their convention whatever their number says.
    {"messageBox (__cdecl, ends in 28)", 52028, {IDIGNORE}, 0},
    {"freeMemory (__cdecl, ends in 87)", 21287, {IDIGNORE}, 0},
    {"stopRequested (__cdecl, ends in 60)", 52460, {IDIGNORE}, 0},
    {"appendLine (__cdecl, ends in 07)", 52407, {IDIGNORE}, 0},
    {"createProcess (__stdcall, 40 bytes)", 52005, {IDIGNORE}, 40},
    // A dialog the host cannot show counts as left: CmdCancel, not 0.
    {"runDialog (__cdecl, answers 20482)", 52026, {IDIGNORE}, 0, 20482},
};

void ExpectStubCall(const HostServiceEntry& entry, int removes, uint32_t result) {
  probeLoad = {0x11111111, 0x22222222, 0x33333333, 0x44444444, 0x55555555, 0x66666666, 0x77777777, 0x2};
  ProbeCall(entry.entryPoint);
  EXPECT_EQ(probeAfter.espAfterCall - probeAfter.espBeforeCall, static_cast<uint32_t>(removes));
  EXPECT_EQ(probeAfter.registers.eax, result);
  EXPECT_EQ(probeAfter.registers.edx, 0u);
  EXPECT_EQ(probeAfter.registers.ebx, 0x22222222u);
  EXPECT_EQ(probeAfter.registers.esi, 0x55555555u);
  EXPECT_EQ(probeAfter.registers.edi, 0x66666666u);
  EXPECT_EQ(probeAfter.registers.ebp, 0x77777777u);
}

void ExpectRaised(const HostServiceEntry& entry) {
  Raised raised = CallExpectingException(entry.entryPoint);
  EXPECT_TRUE(raised.raised);
  EXPECT_EQ(raised.code, 0xE0534501u);
  EXPECT_EQ(raised.flags & EXCEPTION_NONCONTINUABLE, static_cast<DWORD>(EXCEPTION_NONCONTINUABLE));
  EXPECT_EQ(raised.parameterCount, 1u);
  EXPECT_EQ(raised.parameter, entry.ordinal);
}

TEST_F(FallbackTest, MissingServiceIsReportedOnceAndThenStubbedOrDead) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.label);
    boxes.clear();
    kindTwoCalls.clear();
    answers = row.answers;
    HostServiceEntry& entry = Entry(row.ordinal);
    if (row.removes == kDead) {
      ExpectRaised(entry);
      EXPECT_TRUE(entry.dead);
      EXPECT_EQ(entry.slot, entry.binder);  // never address 0
    } else {
      ExpectStubCall(entry, row.removes, row.result);
      EXPECT_NE(entry.slot, entry.binder);
    }
    EXPECT_EQ(boxes.size(), row.answers.size());
    EXPECT_EQ(kindTwoCalls[row.ordinal], 1);
    EXPECT_TRUE(answers.empty());

    SCOPED_TRACE("later call");
    boxes.clear();
    if (row.removes == kDead)
      ExpectRaised(entry);
    else
      ExpectStubCall(entry, row.removes, row.result);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(kindTwoCalls[row.ordinal], 1);
  }
}

// A stub for a service with a floating-point result leaves a quiet NaN where the caller
// takes the result from, so no price is computed from a missing rounding or conversion;
// a plain one would leave the FPU stack one short for the caller.
TEST_F(FallbackTest, StubOfAFloatingPointServiceReturnsNoNumber) {
  answers = {IDIGNORE, IDIGNORE};
  for (int i = 0; i < 10; ++i) {  // more calls than the FPU stack is deep
    SCOPED_TRACE(i);
    EXPECT_TRUE(std::isnan(roundAmount(12345.0, 100)));
    EXPECT_TRUE(std::isnan(convertNetGross(2, 1, 100.0)));
  }
  EXPECT_EQ(boxes.size(), 2u);
  double sum = 0;
  for (int i = 0; i < 10; ++i) sum += 0.5;  // the FPU is still sound
  EXPECT_EQ(sum, 5.0);
}

extern "C" void FallbackStub0();
extern "C" void FallbackStub40();
extern "C" void FallbackStubReal();
extern "C" void FallbackAnswerStub52026();

// Every service of the plug-in's list, whatever its number: __cdecl ones remove nothing
// (a floating-point result comes as a quiet NaN on the FPU stack), the __stdcall one its 40 bytes;
// the dialog service 52026 gets the stub that answers 20482 (the dialog left).
TEST(ChooseFallback, GivesThePluginsOwnServicesTheStubOfTheirConvention) {
  void* const none = reinterpret_cast<void*>(&FallbackStub0);
  void* const real = reinterpret_cast<void*>(&FallbackStubReal);
  void* const forty = reinterpret_cast<void*>(&FallbackStub40);
  void* const left = reinterpret_cast<void*>(&FallbackAnswerStub52026);
  const struct {
    uint32_t ordinal;
    void* stub;
  } rows[] = {
      {21286, none}, {21287, none}, {52005, forty}, {52006, none}, {52023, none}, {52026, left},
      {52028, none}, {52029, none}, {52030, none},  {52064, none}, {52081, none}, {52082, none},
      {52158, none}, {52161, none}, {52169, none},  {52179, real}, {52225, none}, {52256, none},
      {52278, none}, {52279, none}, {52280, none},  {52281, none}, {52289, real}, {52311, none},
      {52337, none}, {52405, none}, {52407, none},  {52411, none}, {52460, none},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.ordinal);
    EXPECT_EQ(ChooseFallback(row.ordinal), row.stub);
  }
  // The table above is the whole list of the plug-in's services.
  std::size_t listed = 0;
#define HOST_SERVICE(ordinal, name, result, parameters) ++listed;
#define HOST_SERVICE_STDCALL(ordinal, name, result, parameters) ++listed;
#include "host/service_list.h"
#undef HOST_SERVICE
#undef HOST_SERVICE_STDCALL
  EXPECT_EQ(listed, std::size(rows));
}

}  // namespace
}  // namespace binding_test
