#include <cstdint>
#include <type_traits>

#include "frame/binding/host_table.h"
#include "host/dialog.h"
#include "host/services.h"

extern "C" void* const FallbackStubs[15];  // fallback_stubs.S: removes 0, 4, ..., 56 bytes
extern "C" void FallbackStubReal();          // a quiet NaN on the FPU stack, removes nothing
#define FALLBACK_RESULT(ordinal, result) extern "C" void FallbackAnswerStub##ordinal();
#include "frame/binding/fallback_results.h"  // each answers its result, removes nothing
#undef FALLBACK_RESULT

namespace {

// Bytes a __stdcall function with these parameters removes: each is widened to 4.
template <typename F>
struct ParameterBytes;
template <typename R, typename... A>
struct ParameterBytes<R(A...)> {
  static constexpr uint32_t value = (0u + ... + static_cast<uint32_t>((sizeof(A) + 3) / 4 * 4));
};

// What the plug-in knows of the services it calls itself: how many bytes each removes
// (0 for __cdecl) and whether its result comes back on the FPU stack.
struct KnownService {
  uint32_t ordinal;
  uint32_t removes;
  bool realResult;
};

constexpr KnownService kKnownServices[] = {
#define HOST_SERVICE(ordinal, name, result, parameters) \
  {ordinal, 0, std::is_floating_point_v<result>},
#define HOST_SERVICE_STDCALL(ordinal, name, result, parameters) \
  {ordinal, ParameterBytes<void parameters>::value, false},
#include "host/service_list.h"
#undef HOST_SERVICE
#undef HOST_SERVICE_STDCALL
};

// The bytes a service of the list removes, or ~0u for an ordinal not in it.
constexpr uint32_t RemovedBy(uint32_t ordinal) {
  for (const KnownService& known : kKnownServices)
    if (known.ordinal == ordinal) return known.removes;
  return ~0u;
}
// host_table.S names the one __stdcall entry "_createProcess@40".
static_assert(RemovedBy(52005) == 40);

// A service whose stub answers a result of its own (fallback_results.h).
struct AnsweringService {
  uint32_t ordinal;
  int32_t result;
  void (*stub)();
};

constexpr AnsweringService kAnsweringServices[] = {
#define FALLBACK_RESULT(ordinal, result) {ordinal, result, &FallbackAnswerStub##ordinal},
#include "frame/binding/fallback_results.h"
#undef FALLBACK_RESULT
};

// Whether every answering stub fits its service: one of the list, its caller removing
// the arguments (the stubs remove nothing), its result an integer (the stubs leave the
// FPU stack alone).
constexpr bool AnsweringStubsFit() {
  for (const AnsweringService& answering : kAnsweringServices) {
    bool fits = false;
    for (const KnownService& known : kKnownServices)
      if (known.ordinal == answering.ordinal) fits = known.removes == 0 && !known.realResult;
    if (!fits) return false;
  }
  return true;
}
static_assert(AnsweringStubsFit());

// The result an answering stub gives for ordinal; 0 for every other service.
constexpr int32_t AnswerOf(uint32_t ordinal) {
  for (const AnsweringService& answering : kAnsweringServices)
    if (answering.ordinal == ordinal) return answering.result;
  return 0;
}
// The options dialog loop ends on CmdCancel; any other command shows the dialog again.
static_assert(AnswerOf(52026) == CmdCancel);

// The stub removing `bytes`, or null when none of the fifteen does.
void* StubRemoving(uint32_t bytes) {
  if (bytes % 4 != 0 || bytes > 56) return nullptr;
  return FallbackStubs[bytes / 4];
}

}  // namespace

// The services the plug-in calls keep their real convention: a __cdecl one gets the stub
// that removes nothing, whatever its number says, and one of fallback_results.h the stub
// that answers its result. Every other ordinal is read by its low two digits: 99 = the
// caller removes the arguments, else the bytes the service removes.
extern "C" void* ChooseFallback(uint32_t ordinal) {
  for (const AnsweringService& answering : kAnsweringServices)
    if (answering.ordinal == ordinal) return reinterpret_cast<void*>(answering.stub);
  for (const KnownService& known : kKnownServices) {
    if (known.ordinal != ordinal) continue;
    if (known.realResult) return reinterpret_cast<void*>(&FallbackStubReal);
    return StubRemoving(known.removes);
  }
  const uint32_t lowDigits = ordinal % 100;
  if (lowDigits == 99) return StubRemoving(0);
  return StubRemoving(lowDigits);
}
