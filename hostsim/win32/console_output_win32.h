// The transcript's lines on a Windows console (hostsim.exe only).
#pragma once

namespace hostsim {

// When standard output is a console, the transcript's lines go through the console's
// wide-character output, their ANSI highlight codes turned into colour attributes;
// otherwise (a pipe, a file) nothing changes and the lines stay UTF-8 bytes. On a
// console, and unless echo is off, the passes' status line is drawn there too.
void WriteLinesToConsoleIfThere();

}  // namespace hostsim
