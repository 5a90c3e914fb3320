// Start and shut-down of the runtime: the static constructors (the linker's list
// between __CTOR_LIST__ and its zero), the exit list of atexit, the static destructors,
// and last the files still open.
// The exit list is a fixed table, so neither the start nor a registration needs memory.

#include "frame/runtime/runtime.h"

extern "C" {

using Routine = void (*)();

// The linker's lists: entry 0 is -1 (or a count), then the routines, then 0.
extern Routine __CTOR_LIST__[];
extern Routine __DTOR_LIST__[];

}  // extern "C"

namespace {

constexpr int ExitListCapacity = 32;
Routine exitList[ExitListCapacity];
int exitCount;
bool started;
bool shutDown;

}  // namespace

extern "C" {

// Registers `routine` to run at shut-down, after those registered later; 0, or -1 when
// the list is full.
int atexit(Routine routine) {
  if (exitCount == ExitListCapacity) return -1;
  exitList[exitCount++] = routine;
  return 0;
}

// Constructors run from the end of the list to its start, as the compiler's own start-up
// runs them.
void StartRuntimeLibrary() {
  if (started) return;
  started = true;
  int count = 0;
  while (__CTOR_LIST__[count + 1]) ++count;
  for (int i = count; i >= 1; --i) __CTOR_LIST__[i]();
}

void ShutDownRuntimeLibrary() {
  if (!started || shutDown) return;
  shutDown = true;
  while (exitCount > 0) exitList[--exitCount]();
  for (int i = 1; __DTOR_LIST__[i]; ++i) __DTOR_LIST__[i]();
  CloseRuntimeFiles();
}

}  // extern "C"
