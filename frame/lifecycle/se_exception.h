// How a structured system exception leaves the plug-in towards the host.
#pragma once
#include <cstdint>

#include <windows.h>

// The code of the one structured exception the plug-in raises towards the host.
inline constexpr uint32_t SeExceptionCode = 0xE0534500;

// The exception "thrown by value": its two fields are the two parameters of the
// exception with code SeExceptionCode. info points to a copy of the original record
// and context in the plug-in's static storage, readable while the host handles it
// (until the next structured exception in the plug-in).
struct SE_Exception {
  uint32_t code;              // the original exception code
  EXCEPTION_POINTERS* info;   // ->ExceptionRecord, ->ContextRecord: the copies
};

// The handler of the frame that every entry from the host into the plug-in sets up
// (guard.S). For any exception but SeExceptionCode itself it saves the record and the
// context and raises the SE_Exception from within the handler, so the host's handlers
// above see it with the faulting stack still in place. It never resumes the original
// exception and never swallows it; during an unwind it does nothing.
extern "C" EXCEPTION_DISPOSITION __cdecl TranslateStructuredException(EXCEPTION_RECORD* record, void* frame,
                                                                     CONTEXT* context, void* dispatcher);
