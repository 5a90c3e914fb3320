// Conversion between the host's character set (Mazovia) and UTF-8, for what the
// stand-in shows on a terminal and reads from its answers file.
#pragma once
#include <string>
#include <string_view>

namespace hostsim {

// Every byte of a Mazovia text as UTF-8: 0x00-0x7F unchanged, 0x80-0xFF as the
// Polish letters of the set and the CP437 characters elsewhere.
std::string MazoviaToUtf8(std::string_view mazovia);

// A UTF-8 text in Mazovia. A character the set lacks, or a malformed sequence,
// becomes '?' (one per character), so the length in characters is kept.
std::string Utf8ToMazovia(std::string_view utf8);

// A UTF-8 text as UTF-16 (a malformed sequence becomes U+FFFD), for the screen.
std::u16string Utf8ToUtf16(std::string_view utf8);

// The character that one Mazovia byte shows (0x00-0x7F unchanged).
char16_t MazoviaChar(unsigned char byte);

// The Mazovia byte of a character into byte; false (byte untouched) when the set lacks it.
bool MazoviaByte(char16_t c, char& byte);

}  // namespace hostsim
