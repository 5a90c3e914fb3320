// This program's own export (program_exports.cpp), reachable under another C++ name
// so that it does not clash with the system header's declaration of the same name.
#pragma once

extern "C" int __stdcall ProgramsGetConsoleSelectionInfo(void* info) __asm__("_GetConsoleSelectionInfo@4");
inline constexpr int ProgramsSelectionResult = 7;
