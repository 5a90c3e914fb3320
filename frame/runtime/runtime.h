// The plug-in's own C runtime (frame/runtime): what the frame calls of it directly.
#pragma once
#include <cstdarg>

extern "C" {
// Runs the static constructors, once; later calls do nothing. Allocates nothing, so
// it cannot fail. The load call runs it after storing the host callback.
void StartRuntimeLibrary();
// Runs the exit list (last registered first), then the static destructors; only when
// StartRuntimeLibrary ran, and once. The detach routine runs it.
void ShutDownRuntimeLibrary();
// Closes every file of fopen still open: a call that a structured exception ended
// while the price file was read never closed it. The shut-down runs it.
void CloseRuntimeFiles();
// The runtime's formatted print into `buffer` (no size limit, as sprintf): the
// conversions of the print family, integers with h, l, ll, I64 and I32, doubles with
// three exponent digits as the system's C runtime writes them. Returns the length.
int __cdecl FormattedPrint(char* buffer, const char* format, ...);
int FormattedPrintList(char* buffer, const char* format, va_list arguments);
// Sets errno (the cell of _errno, locale.cpp) for the runtime's own functions.
void SetErrorNumber(int number);
}
