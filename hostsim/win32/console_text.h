// UTF-8 text out of a Win32 program, right through a pipe and at the console alike: to
// a pipe or a file as the UTF-8 bytes, to a console through its wide-character output
// (whose code page would garble the bytes); and the system's wide-character text (the
// command line, paths it gives) as UTF-8. hostsim.exe and goodstool use it.
#pragma once
#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace hostsim {

// Writes the UTF-8 text through the console's wide-character output of `console`.
void WriteConsoleUtf8(HANDLE console, std::string_view utf8);

// Writes the UTF-8 text to stream (stdout or stderr): through the console's wide
// output when the stream is a console, else as bytes (stream flushed first, so the
// two ways keep their order).
void PrintUtf8(std::FILE* stream, std::string_view utf8);

// The wide-character text in UTF-8.
std::string Utf8FromWide(std::wstring_view wide);

// wmain's arguments in UTF-8, and pointers to them (valid while the first lives).
std::vector<std::string> Utf8Arguments(int argc, wchar_t** argv);
std::vector<char*> ArgumentPointers(std::vector<std::string>& arguments);

}  // namespace hostsim
