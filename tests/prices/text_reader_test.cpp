// Lines of the price file as the runtime's text mode delivers them: CR LF as LF, a
// lone CR kept, Ctrl-Z ending the file, at most 255 bytes a piece.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "price_test_support.h"
#include "reprice/text_reader.h"

namespace {

TextReader reader;

std::vector<std::string> Lines(const std::string& bytes, int size = 256) {
  WriteFile("lines.txt", bytes);
  std::vector<std::string> lines;
  EXPECT_TRUE(OpenTextReader(reader, "lines.txt"));
  std::string buffer(size, '#');
  while (ReadTextLine(reader, buffer.data(), size)) lines.push_back(buffer.c_str());
  CloseTextReader(reader);
  return lines;
}

using L = std::vector<std::string>;

TEST(TextReader, TranslatesAsTextMode) {
  struct Case {
    const char* name;
    std::string bytes;
    L lines;
  };
  const Case cases[] = {
      {"CR LF", "a\r\nb\r\n", {"a\n", "b\n"}},
      {"LF", "a\nb\n", {"a\n", "b\n"}},
      {"no final line end", "a\r\nb", {"a\n", "b"}},
      {"lone CR stays", "a\rb\r\n", {"a\rb\n"}},
      {"CR CR LF", "a\r\r\nb", {"a\r\n", "b"}},
      {"CR at the end", "a\r", {"a\r"}},
      {"Ctrl-Z ends the file", std::string("a\n\x1A" "b\n", 5), {"a\n"}},
      {"Ctrl-Z inside a line", std::string("ab\x1A" "c\n", 5), {"ab"}},
      {"CR before Ctrl-Z", std::string("a\r\x1A\n", 4), {"a\r"}},
      {"empty", "", {}},
      {"only Ctrl-Z", "\x1A", {}},
      {"empty lines", "\n\r\n\n", {"\n", "\n", "\n"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Lines(c.bytes), c.lines);
  }
}

// The reader takes eight bytes at a time while none of them is translated: a line end,
// a lone CR or a Ctrl-Z at every place of such a group is still found.
TEST(TextReader, TranslatedBytesAtEveryPlaceOfALongRun) {
  for (int at = 0; at < 17; ++at) {
    SCOPED_TRACE("after " + std::to_string(at) + " bytes");
    std::string a(at, 'a'), b(20, 'b');
    EXPECT_EQ(Lines(a + "\r\n" + b + "\n"), (L{a + "\n", b + "\n"}));
    EXPECT_EQ(Lines(a + "\r" + b + "\n"), (L{a + "\r" + b + "\n"}));
    EXPECT_EQ(Lines(a + "\x1A" + b + "\n"), at == 0 ? L{} : L{a});  // nothing after the Ctrl-Z
  }
}

TEST(TextReader, LongLinesComeInPiecesOf255) {
  std::string line300 = std::string(299, 'x') + "\n";
  EXPECT_EQ(Lines(line300), (L{std::string(255, 'x'), std::string(44, 'x') + "\n"}));
  // 254 bytes and CR LF are 255 after translation: one piece.
  EXPECT_EQ(Lines(std::string(254, 'y') + "\r\n"), (L{std::string(254, 'y') + "\n"}));
  EXPECT_EQ(Lines(std::string(255, 'z') + "\r\n"), (L{std::string(255, 'z'), "\n"}));
  EXPECT_EQ(Lines(std::string(510, 'w')), (L{std::string(255, 'w'), std::string(255, 'w')}));
  EXPECT_EQ(Lines("ab\n", 0), L{});  // no room, not even for the terminator
}

TEST(TextReader, CarriageReturnLineFeedAcrossTheReadAheadBuffer) {
  // The CR is the last byte of the first block read ahead, its LF the first of the next.
  std::string bytes(sizeof reader.buffer - 1, 'a');
  bytes += "\r\nend\r\n";
  std::vector<std::string> lines = Lines(bytes);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2].back(), '\n');
  EXPECT_EQ(lines[lines.size() - 2].find('\r'), std::string::npos);
  EXPECT_EQ(lines.back(), "end\n");
  std::size_t total = 0;
  for (const std::string& l : lines) total += l.size();
  EXPECT_EQ(total, bytes.size() - 2);
}

TEST(TextReader, MissingFileDoesNotOpen) {
  EXPECT_FALSE(OpenTextReader(reader, "no such file.txt"));
  EXPECT_FALSE(OpenTextReader(reader, ""));
  CloseTextReader(reader);
}

}  // namespace
