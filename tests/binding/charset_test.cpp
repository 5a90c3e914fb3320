// The stand-in's 52158: Mazovia (set 1) to Windows-1250 (set 3) and back, in place.
#include <gtest/gtest.h>

#include <string>

#include "host/mazovia.h"
#include "host/services.h"

namespace {

std::string Convert(std::string text, int from, int to) {
  convertCharset(text.data(), text.data(), from, to);
  return text;
}

TEST(ConvertCharset, TurnsMazoviaIntoWindows1250InPlace) {
  const struct {
    const char* label;
    std::string mazovia, windows;
  } rows[] = {
      {"all 18 letters", Mz("ąĄćĆęĘłŁńŃóÓśŚźŹżŻ"),
       "\xB9\xA5\xE6\xC6\xEA\xCA\xB3\xA3\xF1\xD1\xF3\xD3\x9C\x8C\x9F\x8F\xBF\xAF"},
      {"ASCII and the marker bytes stay", "A\x01z\x02 9~\x05\n", "A\x01z\x02 9~\x05\n"},
      {"a sentence", Mz("Za mało pamięci"), "Za ma\xB3o pami\xEA" "ci"},
      {"empty", "", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(Convert(row.mazovia, 1, 3), row.windows);
    EXPECT_EQ(Convert(row.windows, 3, 1), row.mazovia);
  }
}

TEST(ConvertCharset, MarksBytesWithoutAPolishLetterAndLeavesOtherSetsAlone) {
  EXPECT_EQ(Convert("\x81\xDB" "a", 1, 3), "??a");  // CP437 u-umlaut and a block
  EXPECT_EQ(Convert(Mz("łódź"), 1, 1), Mz("łódź"));
  EXPECT_EQ(Convert(Mz("łódź"), 2, 3), Mz("łódź"));
  std::string source = Mz("żółw");
  char destination[8] = {};
  convertCharset(source.data(), destination, 1, 3);
  EXPECT_EQ(std::string(destination), "\xBF\xF3\xB3w");
  EXPECT_EQ(source, Mz("żółw"));
  char copy[8] = "xxxxxxx";
  convertCharset(source.data(), copy, 3, 2);  // another pair into another buffer: copied as it is
  EXPECT_EQ(std::string(copy), Mz("żółw"));
  convertCharset(nullptr, copy, 1, 3);  // no text or no buffer: nothing is done
  convertCharset(source.data(), nullptr, 1, 3);
  EXPECT_EQ(std::string(copy), Mz("żółw"));
  EXPECT_EQ(source, Mz("żółw"));
}

}  // namespace
