// The host's character sets and the conversions between them, one table each:
// - Mazovia, the host's own set: CP437 with 18 of its bytes given to the Polish
//   letters; kCp437UpperHalf and kPolishLetters together give the character of every
//   byte (MazoviaToUnicode, UnicodeToMazovia);
// - Windows-1250, the system's set for its message boxes: host service 52158
//   converts the Polish letters between it and Mazovia (set numbers below), the
//   Windows-1250 column of kPolishLetters.
// Bytes 0x00-0x7F are ASCII in every set.
#pragma once
#include <array>
#include <cstdint>

namespace charsets {

// The sets as host service 52158 numbers them.
inline constexpr int SetMazovia = 1;
inline constexpr int SetWindows1250 = 3;

struct PolishLetter {
  char16_t unicode;
  unsigned char mazovia;
  unsigned char windows1250;
};

// The Polish letters, small and capital, in alphabetical order.
inline constexpr PolishLetter kPolishLetters[18] = {
    {u'ą', 0x86, 0xB9}, {u'Ą', 0x8F, 0xA5}, {u'ć', 0x8D, 0xE6}, {u'Ć', 0x95, 0xC6},
    {u'ę', 0x91, 0xEA}, {u'Ę', 0x90, 0xCA}, {u'ł', 0x92, 0xB3}, {u'Ł', 0x9C, 0xA3},
    {u'ń', 0xA4, 0xF1}, {u'Ń', 0xA5, 0xD1}, {u'ó', 0xA2, 0xF3}, {u'Ó', 0xA3, 0xD3},
    {u'ś', 0x9E, 0x9C}, {u'Ś', 0x98, 0x8C}, {u'ź', 0xA6, 0x9F}, {u'Ź', 0xA0, 0x8F},
    {u'ż', 0xA7, 0xBF}, {u'Ż', 0xA1, 0xAF},
};

// CP437's bytes 0x80-0xFF; Mazovia is this with the Polish letters laid over it.
inline constexpr char16_t kCp437UpperHalf[128] = {
    u'Ç', u'ü', u'é', u'â', u'ä', u'à', u'å', u'ç', u'ê', u'ë', u'è', u'ï', u'î', u'ì', u'Ä', u'Å',
    u'É', u'æ', u'Æ', u'ô', u'ö', u'ò', u'û', u'ù', u'ÿ', u'Ö', u'Ü', u'¢', u'£', u'¥', u'₧', u'ƒ',
    u'á', u'í', u'ó', u'ú', u'ñ', u'Ñ', u'ª', u'º', u'¿', u'⌐', u'¬', u'½', u'¼', u'¡', u'«', u'»',
    u'░', u'▒', u'▓', u'│', u'┤', u'╡', u'╢', u'╖', u'╕', u'╣', u'║', u'╗', u'╝', u'╜', u'╛', u'┐',
    u'└', u'┴', u'┬', u'├', u'─', u'┼', u'╞', u'╟', u'╚', u'╔', u'╩', u'╦', u'╠', u'═', u'╬', u'╧',
    u'╨', u'╤', u'╥', u'╙', u'╘', u'╒', u'╓', u'╫', u'╪', u'┘', u'┌', u'█', u'▄', u'▌', u'▐', u'▀',
    u'α', u'ß', u'Γ', u'π', u'Σ', u'σ', u'µ', u'τ', u'Φ', u'Θ', u'Ω', u'δ', u'∞', u'φ', u'ε', u'∩',
    u'≡', u'±', u'≥', u'≤', u'⌠', u'⌡', u'÷', u'≈', u'°', u'∙', u'·', u'√', u'ⁿ', u'²', u'■', u'\u00A0',
};

// The character of each byte 0x80-0xFF of Mazovia: CP437 with the Polish letters.
constexpr std::array<char16_t, 128> MazoviaUpperHalf() {
  std::array<char16_t, 128> table{};
  for (int i = 0; i < 128; ++i) table[i] = kCp437UpperHalf[i];
  for (const PolishLetter& l : kPolishLetters) table[l.mazovia - 0x80] = l.unicode;
  return table;
}
inline constexpr std::array<char16_t, 128> kMazoviaUpperHalf = MazoviaUpperHalf();

// The character one Mazovia byte stands for (0x00-0x7F unchanged).
constexpr char16_t MazoviaToUnicode(unsigned char byte) {
  return byte < 0x80 ? char16_t{byte} : kMazoviaUpperHalf[byte - 0x80];
}

// The Mazovia byte of a character (0x00-0x7F unchanged), or -1 when the set lacks it.
constexpr int UnicodeToMazovia(char16_t c) {
  if (c < 0x80) return c;
  for (int k = 0; k < 128; ++k)
    if (kMazoviaUpperHalf[k] == c) return 0x80 + k;
  return -1;
}

// The Mazovia byte of a Polish letter, or -1 for any other character.
constexpr int PolishLetterToMazovia(char16_t c) {
  for (const PolishLetter& l : kPolishLetters)
    if (l.unicode == c) return l.mazovia;
  return -1;
}

// A Polish letter's byte from one set to the other (0x00-0x7F unchanged); -1 for a
// byte above 0x7F that is no Polish letter of the set converted from.
constexpr int MazoviaToWindows1250(unsigned char byte) {
  if (byte < 0x80) return byte;
  for (const PolishLetter& l : kPolishLetters)
    if (l.mazovia == byte) return l.windows1250;
  return -1;
}
constexpr int Windows1250ToMazovia(unsigned char byte) {
  if (byte < 0x80) return byte;
  for (const PolishLetter& l : kPolishLetters)
    if (l.windows1250 == byte) return l.mazovia;
  return -1;
}

// Spot checks of the tables against the sets' code charts.
static_assert(MazoviaToUnicode(0x86) == u'ą' && MazoviaToUnicode(0xA1) == u'Ż' && MazoviaToUnicode(0x80) == u'Ç');
static_assert(MazoviaToUnicode(0xA2) == u'ó' && MazoviaToUnicode(0xFF) == u'\u00A0' && MazoviaToUnicode('A') == u'A');
static_assert(UnicodeToMazovia(u'ł') == 0x92 && UnicodeToMazovia(u'€') == -1);
static_assert(MazoviaToWindows1250(0x9E) == 0x9C && Windows1250ToMazovia(0x9C) == 0x9E);
static_assert(MazoviaToWindows1250(0x81) == -1 && Windows1250ToMazovia(0x80) == -1);

// Every letter has a byte of its own in each set.
constexpr bool LettersDistinct() {
  for (int i = 0; i < 18; ++i)
    for (int j = i + 1; j < 18; ++j)
      if (kPolishLetters[i].unicode == kPolishLetters[j].unicode ||
          kPolishLetters[i].mazovia == kPolishLetters[j].mazovia ||
          kPolishLetters[i].windows1250 == kPolishLetters[j].windows1250)
        return false;
  return true;
}
static_assert(LettersDistinct());

}  // namespace charsets
