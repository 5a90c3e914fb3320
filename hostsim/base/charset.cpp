// UTF-8 to and from Mazovia through the host's tables (host/charsets.h).
#include "hostsim/base/charset.h"

#include <cstdint>

#include "host/charsets.h"

namespace hostsim {
namespace {

// Appends the UTF-8 bytes of one character of the Basic Multilingual Plane.
void AppendUtf8(std::string& out, char16_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Decodes one UTF-8 character at text[i]; advances i. Returns 0xFFFFFFFF when malformed.
uint32_t DecodeUtf8(std::string_view text, std::size_t& i) {
  unsigned char c = static_cast<unsigned char>(text[i++]);
  if (c < 0x80) return c;
  int more = (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
  if (more < 0) return 0xFFFFFFFFu;
  uint32_t code = c & (0x3F >> more);
  for (int k = 0; k < more; ++k) {
    if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0xFFFFFFFFu;
    code = (code << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
  }
  return code;
}

}  // namespace

std::string MazoviaToUtf8(std::string_view mazovia) {
  std::string out;
  out.reserve(mazovia.size() * 2);
  for (char ch : mazovia) {
    unsigned char b = static_cast<unsigned char>(ch);
    AppendUtf8(out, MazoviaChar(b));
  }
  return out;
}

char16_t MazoviaChar(unsigned char byte) { return charsets::MazoviaToUnicode(byte); }

bool MazoviaByte(char16_t c, char& byte) {
  int b = charsets::UnicodeToMazovia(c);
  if (b < 0) return false;
  byte = static_cast<char>(b);
  return true;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  for (std::size_t i = 0; i < utf8.size();) {
    uint32_t code = DecodeUtf8(utf8, i);
    if (code == 0xFFFFFFFFu) code = 0xFFFD;
    if (code < 0x10000) {
      out += static_cast<char16_t>(code);
      continue;
    }
    code -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (code >> 10));
    out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
  }
  return out;
}

std::string Utf8ToMazovia(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    uint32_t code = DecodeUtf8(utf8, i);
    if (code < 0x80) {
      out += static_cast<char>(code);
      continue;
    }
    char byte = '?';
    if (code <= 0xFFFF) MazoviaByte(static_cast<char16_t>(code), byte);
    out += byte;
  }
  return out;
}

}  // namespace hostsim
