// Mazovia is CP437 with 18 bytes given to the Polish letters; the table below is
// CP437's upper half, and the Polish letters are laid over it from host/mazovia.h.
#include "hostsim/services/charset.h"

#include <array>
#include <cstdint>

#include "host/mazovia.h"

namespace hostsim {
namespace {

constexpr char16_t kCp437Upper[128] = {
    u'Ç', u'ü', u'é', u'â', u'ä', u'à', u'å', u'ç', u'ê', u'ë', u'è', u'ï', u'î', u'ì', u'Ä', u'Å',
    u'É', u'æ', u'Æ', u'ô', u'ö', u'ò', u'û', u'ù', u'ÿ', u'Ö', u'Ü', u'¢', u'£', u'¥', u'₧', u'ƒ',
    u'á', u'í', u'ó', u'ú', u'ñ', u'Ñ', u'ª', u'º', u'¿', u'⌐', u'¬', u'½', u'¼', u'¡', u'«', u'»',
    u'░', u'▒', u'▓', u'│', u'┤', u'╡', u'╢', u'╖', u'╕', u'╣', u'║', u'╗', u'╝', u'╜', u'╛', u'┐',
    u'└', u'┴', u'┬', u'├', u'─', u'┼', u'╞', u'╟', u'╚', u'╔', u'╩', u'╦', u'╠', u'═', u'╬', u'╧',
    u'╨', u'╤', u'╥', u'╙', u'╘', u'╒', u'╓', u'╫', u'╪', u'┘', u'┌', u'█', u'▄', u'▌', u'▐', u'▀',
    u'α', u'ß', u'Γ', u'π', u'Σ', u'σ', u'µ', u'τ', u'Φ', u'Θ', u'Ω', u'δ', u'∞', u'φ', u'ε', u'∩',
    u'≡', u'±', u'≥', u'≤', u'⌠', u'⌡', u'÷', u'≈', u'°', u'∙', u'·', u'√', u'ⁿ', u'²', u'■', u'\u00A0',
};

// The character of each byte 0x80-0xFF of Mazovia.
constexpr std::array<char16_t, 128> MakeUpperHalf() {
  std::array<char16_t, 128> table{};
  for (int i = 0; i < 128; ++i) table[i] = kCp437Upper[i];
  for (const mazovia::Letter& l : mazovia::kPolish) table[l.byte - 0x80] = l.unicode;
  return table;
}
constexpr std::array<char16_t, 128> kUpperHalf = MakeUpperHalf();

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

char16_t MazoviaChar(unsigned char byte) { return byte < 0x80 ? byte : kUpperHalf[byte - 0x80]; }

bool MazoviaByte(char16_t c, char& byte) {
  if (c < 0x80) return byte = static_cast<char>(c), true;
  for (int k = 0; k < 128; ++k)
    if (kUpperHalf[k] == c) return byte = static_cast<char>(0x80 + k), true;
  return false;
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
