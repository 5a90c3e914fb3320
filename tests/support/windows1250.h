// The texts a test expects in the system's message box under Windows: written in
// UTF-8, the Polish letters turned into their Windows-1250 bytes (the host's table).
#pragma once
#include <string>

#include "host/charsets.h"

namespace testing_support {

inline std::string Cp1250(const std::string& utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    bool matched = false;
    for (const charsets::PolishLetter& letter : charsets::kPolishLetters) {
      // Every Polish letter takes two bytes in UTF-8.
      const char bytes[2] = {static_cast<char>(0xC0 | (letter.unicode >> 6)),
                             static_cast<char>(0x80 | (letter.unicode & 0x3F))};
      if (utf8.compare(i, 2, bytes, 2) != 0) continue;
      out += static_cast<char>(letter.windows1250);
      i += 2;
      matched = true;
      break;
    }
    if (!matched) out += utf8[i++];
  }
  return out;
}

}  // namespace testing_support
