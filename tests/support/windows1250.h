// The texts a test expects in the system's message box under Windows: written in
// UTF-8, the Polish letters turned into their Windows-1250 bytes.
#pragma once
#include <cstring>
#include <string>
#include <utility>

namespace testing_support {

inline std::string Cp1250(const std::string& utf8) {
  static const std::pair<const char*, char> letters[] = {
      {"ą", '\xB9'}, {"Ą", '\xA5'}, {"ć", '\xE6'}, {"Ć", '\xC6'}, {"ę", '\xEA'}, {"Ę", '\xCA'},
      {"ł", '\xB3'}, {"Ł", '\xA3'}, {"ń", '\xF1'}, {"Ń", '\xD1'}, {"ó", '\xF3'}, {"Ó", '\xD3'},
      {"ś", '\x9C'}, {"Ś", '\x8C'}, {"ź", '\x9F'}, {"Ź", '\x8F'}, {"ż", '\xBF'}, {"Ż", '\xAF'},
  };
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    bool matched = false;
    for (const auto& [letter, byte] : letters)
      if (utf8.compare(i, std::strlen(letter), letter) == 0) {
        out += byte;
        i += std::strlen(letter);
        matched = true;
        break;
      }
    if (!matched) out += utf8[i++];
  }
  return out;
}

}  // namespace testing_support
