// This program's own exports (program_exports.cpp), reachable under other C++ names
// so that they do not clash with the system header's declarations of the same names.
#pragma once

extern "C" int __stdcall ProgramsGetConsoleSelectionInfo(void* info) __asm__("_GetConsoleSelectionInfo@4");
extern "C" unsigned short __stdcall ProgramsGetSystemDefaultLangID() __asm__("_GetSystemDefaultLangID@0");
inline constexpr int ProgramsSelectionResult = 7;
