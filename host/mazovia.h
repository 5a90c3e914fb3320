// Texts in the host's character set (Mazovia), written readably in the source.
// Mz("Za mało pamięci") turns the UTF-8 literal into Mazovia bytes at compile time:
// ASCII stays, the 18 Polish letters get their Mazovia bytes, and any other
// character is a compile error, so a text can never reach the host half-converted.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

namespace mazovia {

struct Letter {
  char16_t unicode;
  unsigned char byte;
};

// The Polish letters of the set; everything else at 0x80 and above is CP437.
inline constexpr Letter kPolish[18] = {
    {u'ą', 0x86}, {u'Ą', 0x8F}, {u'ć', 0x8D}, {u'Ć', 0x95}, {u'ę', 0x91}, {u'Ę', 0x90},
    {u'ł', 0x92}, {u'Ł', 0x9C}, {u'ń', 0xA4}, {u'Ń', 0xA5}, {u'ó', 0xA2}, {u'Ó', 0xA3},
    {u'ś', 0x9E}, {u'Ś', 0x98}, {u'ź', 0xA6}, {u'Ź', 0xA0}, {u'ż', 0xA7}, {u'Ż', 0xA1},
};

// Mazovia byte of one Polish letter, or -1.
constexpr int ByteOf(char16_t c) {
  for (const Letter& l : kPolish)
    if (l.unicode == c) return l.byte;
  return -1;
}

// A UTF-8 literal taken as a template argument.
template <std::size_t N>
struct Utf8 {
  char8_t text[N];
  consteval Utf8(const char8_t (&s)[N]) {
    for (std::size_t i = 0; i < N; ++i) text[i] = s[i];
  }
  consteval Utf8(const char (&s)[N]) {  // the sources are UTF-8
    for (std::size_t i = 0; i < N; ++i) text[i] = static_cast<char8_t>(s[i]);
  }
};

// Number of characters (not bytes) of a UTF-8 text without its terminator.
template <std::size_t N>
consteval std::size_t Length(const Utf8<N>& s) {
  std::size_t n = 0;
  for (std::size_t i = 0; i + 1 < N; ++i)
    if ((s.text[i] & 0xC0) != 0x80) ++n;
  return n;
}

template <Utf8 S>
consteval std::array<char, Length(S) + 1> Convert() {
  std::array<char, Length(S) + 1> out{};
  std::size_t o = 0;
  for (std::size_t i = 0; S.text[i] != 0;) {
    unsigned char c = static_cast<unsigned char>(S.text[i]);
    if (c < 0x80) {
      out[o++] = static_cast<char>(c);
      i += 1;
      continue;
    }
    if ((c & 0xE0) != 0xC0) throw "only ASCII and Polish letters belong in a Mazovia text";
    char16_t u = static_cast<char16_t>(((c & 0x1F) << 6) | (S.text[i + 1] & 0x3F));
    int b = ByteOf(u);
    if (b < 0) throw "only ASCII and Polish letters belong in a Mazovia text";
    out[o++] = static_cast<char>(b);
    i += 2;
  }
  out[o] = 0;
  return out;
}

template <Utf8 S>
inline constexpr auto kText = Convert<S>();

}  // namespace mazovia

// Mz("...") is a const char* to the zero-terminated Mazovia bytes of the literal;
// MzArray("...") is the std::array itself (size() counts the terminator).
#define MzArray(literal) (::mazovia::kText<literal>)
#define Mz(literal) (::mazovia::kText<literal>.data())
