// Texts in the host's character set (Mazovia), written readably in the source.
// Mz("Za mało pamięci") turns the UTF-8 literal into Mazovia bytes at compile time:
// ASCII stays, the 18 Polish letters get their Mazovia bytes, and any other
// character is a compile error, so a text can never reach the host half-converted.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include "host/charsets.h"  // the Polish letters' Mazovia bytes

namespace mazovia {

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
    int b = charsets::PolishLetterToMazovia(u);
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
