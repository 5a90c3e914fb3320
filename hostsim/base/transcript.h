// Everything the stand-in shows to the user, recorded for tests and echoed to the
// terminal when echo is on.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace hostsim {

// One thing shown. service: the name of the host service that showed it, as in
// host/service_list.h ("messageBox", "errorMessage", ...). title and text are UTF-8,
// with the highlight bytes 0x02 (or 0x05) ... 0x01 kept as the markers « and ».
struct Shown {
  std::string service;
  std::string title;
  std::string text;
  int mode;
};

std::vector<Shown>& Transcript();

// When true, every Show also goes to stdout (UTF-8, highlight as bold reverse video).
extern bool echo;

// Records one thing shown. title and text are Mazovia texts; a null one counts as empty.
void Show(const char* service, const char* title, const char* text, int mode);

// A Mazovia text as the transcript keeps it (UTF-8, highlight markers « and »).
std::string ShownText(std::string_view mazovia);

// A Mazovia text for a terminal: UTF-8, highlight as ANSI bold reverse video.
std::string TerminalText(std::string_view mazovia);

// Where echoed lines go: null writes them to stdout as UTF-8 bytes with a line feed;
// a program may set a writer of its own (a console's), given each line without its
// line feed, highlight still as the ANSI codes of TerminalText.
extern void (*writeLine)(const std::string& utf8Line);

// Whether lines written to standard output as bytes (no writeLine: a pipe, a file)
// keep their ANSI highlight codes; false (the default) drops them. --color sets it.
extern bool colorCodes;

// Writes one line of the stand-in's own (UTF-8) through writeLine when echo is on;
// without writeLine, to stdout, its ANSI codes "ESC [ ... m" dropped unless colorCodes.
void Say(const std::string& utf8Line);

// Empties the transcript; echo stays as it is.
void ResetTranscript();

}  // namespace hostsim
