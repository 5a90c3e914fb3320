#include <gtest/gtest.h>

#include <string>

#include "host/mazovia.h"
#include "hostsim/base/charset.h"
#include "hostsim/base/transcript.h"

namespace {

TEST(Charset, PolishLettersBothWays) {
  const std::string utf8 = "ąĄćĆęĘłŁńŃóÓśŚźŹżŻ";
  const std::string mz = "\x86\x8F\x8D\x95\x91\x90\x92\x9C\xA4\xA5\xA2\xA3\x9E\x98\xA6\xA0\xA7\xA1";
  EXPECT_EQ(hostsim::Utf8ToMazovia(utf8), mz);
  EXPECT_EQ(hostsim::MazoviaToUtf8(mz), utf8);
  EXPECT_EQ(hostsim::MazoviaToUtf8(Mz("Za mało pamięci")), "Za mało pamięci");
}

TEST(Charset, EveryByteRoundTrips) {
  for (int b = 1; b < 256; ++b) {
    SCOPED_TRACE(b);
    std::string one(1, static_cast<char>(b));
    EXPECT_EQ(hostsim::Utf8ToMazovia(hostsim::MazoviaToUtf8(one)), one);
  }
}

TEST(Charset, Cp437UpperHalfOutsideThePolishLetters) {
  struct Row { unsigned char byte; const char* utf8; } rows[] = {
      {0x80, "Ç"}, {0x81, "ü"}, {0xAE, "«"}, {0xB0, "░"}, {0xC4, "─"}, {0xDB, "█"},
      {0xE1, "ß"}, {0xF8, "°"}, {0xFE, "■"}, {0xFF, "\u00A0"}, {0xA2, "ó"}, {0x9B, "¢"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.byte);
    EXPECT_EQ(hostsim::MazoviaToUtf8(std::string(1, static_cast<char>(r.byte))), r.utf8);
  }
}

TEST(Charset, UnknownCharactersBecomeOneQuestionMarkEach) {
  EXPECT_EQ(hostsim::Utf8ToMazovia("a€b✓"), "a?b?");
  EXPECT_EQ(hostsim::Utf8ToMazovia("x\xC3"), "x?");
}

TEST(Transcript, HighlightBytesBecomeMarkers) {
  EXPECT_EQ(hostsim::ShownText("a\x02" "b\x01" "c \x05" "F3\x01 d"), "a«b»c «F3» d");
  EXPECT_EQ(hostsim::TerminalText("\x02x\x01"), "\x1b[1;7mx\x1b[0m");
}

}  // namespace
