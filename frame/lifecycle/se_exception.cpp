// Runs on the faulting thread inside the system's exception dispatch, possibly before
// the C runtime is started: only the system's own functions are used here.
#include "frame/lifecycle/se_exception.h"

namespace {

// The copy of the last structured exception that left the plug-in.
struct SavedException {
  EXCEPTION_POINTERS pointers;
  EXCEPTION_RECORD record;
  CONTEXT context;
};
SavedException savedException;

}  // namespace

extern "C" EXCEPTION_DISPOSITION __cdecl TranslateStructuredException(EXCEPTION_RECORD* record, void*,
                                                                     CONTEXT* context, void*) {
  if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) return ExceptionContinueSearch;
  if (record->ExceptionCode == SeExceptionCode) return ExceptionContinueSearch;  // already translated
  savedException.record = *record;
  savedException.context = *context;
  savedException.pointers = {&savedException.record, &savedException.context};
  SE_Exception thrown = {record->ExceptionCode, &savedException.pointers};
  const ULONG_PTR parameters[2] = {thrown.code, reinterpret_cast<ULONG_PTR>(thrown.info)};
  RaiseException(SeExceptionCode, EXCEPTION_NONCONTINUABLE, 2, parameters);
  return ExceptionContinueSearch;  // not reached: the exception is noncontinuable
}
