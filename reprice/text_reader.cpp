// The file is read in binary mode and translated here, because glibc's "t" does
// nothing while msvcrt's turns CR LF into LF and stops at Ctrl-Z; this way a price
// file reads the same in the DLL and in the native build.
#include "reprice/text_reader.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr int CarriageReturn = 13;
constexpr int LineFeed = 10;
constexpr int EndOfFileMark = 26;  // Ctrl-Z

// Whether one of the eight bytes of word is one that text mode translates (a line feed,
// a carriage return, Ctrl-Z): (w - 0x01..01) & ~w & 0x80..80 is nonzero exactly when a
// byte of w is zero, and w is word with the sought byte taken out of each of its bytes.
bool HoldsTranslatedByte(uint64_t word) {
  constexpr uint64_t Ones = 0x0101010101010101u, Highs = 0x8080808080808080u;
  auto zeroByte = [](uint64_t w) { return (w - Ones) & ~w & Highs; };
  return (zeroByte(word ^ (Ones * LineFeed)) | zeroByte(word ^ (Ones * CarriageReturn)) |
          zeroByte(word ^ (Ones * EndOfFileMark))) != 0;
}

// Reads the next block of raw bytes into the buffer from its start; false when none came.
bool Refill(TextReader& r) {
  r.position = 0;
  r.end = std::fread(r.buffer, 1, sizeof r.buffer, r.file);
  return r.end != 0;
}

// The next byte after translation, or -1 at the end. Called only for a byte of the block
// that text mode translates (ReadTextLine copies the others in spans), so there is one.
int TextByte(TextReader& r) {
  int c = r.buffer[r.position++];
  if (c == EndOfFileMark) {
    r.ended = true;
    return -1;
  }
  if (c != CarriageReturn) return c;
  if (r.position == r.end && !Refill(r)) return CarriageReturn;
  if (r.buffer[r.position] != LineFeed) return CarriageReturn;
  ++r.position;
  return LineFeed;
}

}  // namespace

bool OpenTextReader(TextReader& reader, const char* path) {
  reader.position = reader.end = 0;
  reader.ended = false;
  reader.file = std::fopen(path, "rb");
  return reader.file != nullptr;
}

bool ReadTextLine(TextReader& reader, char* line, int size) {
  int length = 0;
  while (length < size - 1 && !reader.ended) {
    if (reader.position == reader.end && !Refill(reader)) {
      reader.ended = true;
      break;
    }
    // The bytes that text mode passes as they are, straight from the block read ahead,
    // up to the next byte it translates, the end of the block or a full line.
    const unsigned char* from = reader.buffer + reader.position;
    std::size_t span = reader.end - reader.position;
    if (span > static_cast<std::size_t>(size - 1 - length)) span = static_cast<std::size_t>(size - 1 - length);
    std::size_t n = 0;
    for (uint64_t word; n + sizeof word <= span; n += sizeof word) {  // eight at a time while none is
      std::memcpy(&word, from + n, sizeof word);
      if (HoldsTranslatedByte(word)) break;
      std::memcpy(line + length + n, &word, sizeof word);
    }
    for (unsigned char c; n < span && (c = from[n]) != LineFeed && c != CarriageReturn && c != EndOfFileMark; ++n)
      line[length + n] = static_cast<char>(c);
    length += static_cast<int>(n);
    reader.position += n;
    if (n == span) continue;
    int c = TextByte(reader);  // a line feed, a carriage return or Ctrl-Z
    if (c < 0) break;
    line[length++] = static_cast<char>(c);
    if (c == LineFeed) break;
  }
  if (size > 0) line[length] = 0;
  return length > 0;
}

void CloseTextReader(TextReader& reader) {
  if (reader.file) std::fclose(reader.file);
  reader.file = nullptr;
}
