#include "reprice/price_file_code_page.h"

#include <cstring>

namespace {

constexpr unsigned char BoxDrawingFirst = 0xB0, BoxDrawingLast = 0xDF;

bool High(unsigned char c) { return c >= 0x80; }
bool Letter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || High(c); }
bool BoxDrawing(unsigned char c) { return c >= BoxDrawingFirst && c <= BoxDrawingLast; }

// The bytes that follow a UTF-8 lead byte of the characters a shop's price file holds,
// or -1 when c leads none: 0xC2-0xC5 lead U+0080-U+017F (Latin-1 and Latin Extended-A,
// the Polish letters and the signs among them), 0xE2 U+2000-U+2FFF (quotes, dashes,
// the euro). Windows-1250's Polish capitals 0xC6, 0xCA, 0xD1, 0xD3 lead none, so a
// capital followed by another Polish letter is not taken for UTF-8.
int FollowingBytes(unsigned char c) {
  if (c >= 0xC2 && c <= 0xC5) return 1;
  if (c == 0xE2) return 2;
  return -1;
}

// Whether every byte 0x80 or above of the field lies in such a sequence: a lead byte
// followed by its number of bytes 0x80-0xBF.
bool WellFormedUtf8(const unsigned char* field) {
  for (const unsigned char* p = field; *p;) {
    if (!High(*p)) {
      ++p;
      continue;
    }
    int following = FollowingBytes(*p++);
    if (following < 0) return false;
    for (; following > 0; --following, ++p)
      if (*p < 0x80 || *p > 0xBF) return false;
  }
  return true;
}

}  // namespace

void NoteCodePage(CodePageNote& note, const char* field) {
  auto bytes = reinterpret_cast<const unsigned char*>(field);
  bool high = false;
  for (std::size_t i = 0; bytes[i]; ++i) {
    high = high || High(bytes[i]);
    if (!BoxDrawing(bytes[i])) continue;
    if ((i > 0 && Letter(bytes[i - 1])) || Letter(bytes[i + 1])) note.boxDrawingBesideLetter = true;
  }
  if (high && !WellFormedUtf8(bytes)) note.notUtf8 = true;
}

PriceFileCodePage CodePageOf(const CodePageNote& note) {
  if (!note.boxDrawingBesideLetter) return PriceFileCodePage::Mazovia;
  return note.notUtf8 ? PriceFileCodePage::Windows1250 : PriceFileCodePage::Utf8;
}

void DropByteOrderMark(TextReader& reader, char* line, int size) {
  static const char Mark[] = "\xEF\xBB\xBF";
  constexpr int MarkLength = 3;
  if (std::strncmp(line, Mark, MarkLength) != 0) return;
  int length = static_cast<int>(std::strlen(line));
  std::memmove(line, line + MarkLength, static_cast<std::size_t>(length - MarkLength + 1));
  length -= MarkLength;
  bool cut = length > 0 && length + MarkLength == size - 1 && line[length - 1] != '\n';
  if (cut) ReadTextLine(reader, line + length, size - length);
}
