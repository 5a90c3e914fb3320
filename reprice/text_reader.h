// Reading a text file line by line with the rules of the C runtime's text mode as the
// DLL's runtime (msvcrt) applies them, identically on every platform.
#pragma once
#include <cstddef>
#include <cstdio>

struct TextReader {
  std::FILE* file;              // opened in binary mode; null when closed
  unsigned char buffer[65536];  // raw bytes read ahead
  std::size_t position;         // next raw byte in buffer
  std::size_t end;              // raw bytes in buffer
  bool ended;                   // end of file or a Ctrl-Z seen
};

// Opens path for reading; false when it cannot be opened (reader stays closed).
bool OpenTextReader(TextReader& reader, const char* path);

// Reads like fgets(line, size, ...) on a file opened with "rt": at most size - 1
// bytes, up to and including a line feed, then a terminating zero. CR LF arrives as
// LF, a lone CR stays, a byte 26 ends the file. False at the end of the file.
bool ReadTextLine(TextReader& reader, char* line, int size);

// Closes the file; harmless when already closed.
void CloseTextReader(TextReader& reader);
