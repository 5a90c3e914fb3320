// The file functions of the platform that the stand-in plays for the plug-in. Under the
// DOS extender the plug-in's file calls (its runtime's open and remove, through the
// KERNEL32 functions it imports) reach a file system whose names are in the host's
// character set, Mazovia; under Windows the ...A functions would read them in the ANSI
// code page, and a name with Polish letters would never match. Win32 only.
#pragma once

namespace hostsim {

// Hands the loaded plug-in, in place of the KERNEL32 functions of mazovia_files.cpp's
// list that the loader bound it to, functions that read the file names in Mazovia and
// call the wide-character function. The plug-in's code and import table stay as they
// are (RebindFunction). Returns how many of the list's functions it holds (0: none).
//
// Not played: the functions that give names back (FindFirstFileA, FindNextFileA,
// GetCurrentDirectoryA, GetFullPathNameA, GetModuleFileNameA) stay the system's, in the
// ANSI code page; the plug-in calls none of them.
int HandMazoviaFileFunctions(void* plugin);

}  // namespace hostsim
