// What the reader notes of a price file's character set, and the UTF-8 byte-order mark
// at its start: each row is one file, read as a run reads it.
#include <string>

#include <gtest/gtest.h>

#include "hostsim/base/charset.h"
#include "price_test_support.h"
#include "reprice/price_file_code_page.h"
#include "tests/support/windows1250.h"

namespace {

using CodePage = PriceListTest;
using Page = PriceFileCodePage;

enum Encoding { InMazovia, InUtf8, In1250 };

// The text (UTF-8 in the source) in the file's encoding: Windows-1250 for the Polish
// letters, every other character as it stands.
std::string Encoded(Encoding e, const std::string& utf8) {
  if (e == InMazovia) return hostsim::Utf8ToMazovia(utf8);
  if (e == In1250) return testing_support::Cp1250(utf8);
  return utf8;
}

const char* const Names[] = {"Mazovia", "UTF-8", "Windows-1250"};

struct Row {
  Encoding encoding;
  const char* symbol;
  const char* name;
  Page expected;
};

const Row Rows[] = {
    // Never refused: Polish in Mazovia, the signs goods carry, other letters of the set, ASCII.
    {InMazovia, "ZAŻÓŁĆ", "Zażółć gęślą jaźń ZAŻÓŁĆ GĘŚLĄ JAŹŃ", Page::Mazovia},
    {InMazovia, "WODKA", "Wódka 40°", Page::Mazovia},
    {InMazovia, "PANELE", "Panele 2,5 m²", Page::Mazovia},
    {InMazovia, "REZ", "Rezystor ±5 %", Page::Mazovia},
    {InMazovia, "SER", "½ kg", Page::Mazovia},
    {InMazovia, "KOND", "Kondensator 10 µF", Page::Mazovia},
    {InMazovia, "JOG", "Jogurt Müller Crème Café", Page::Mazovia},
    {InMazovia, "KAWA", "Kawa mielona 500 g", Page::Mazovia},
    // UTF-8: every Polish letter gives it away, wherever it stands; so do the signs.
    {InUtf8, "MLEKO", "Mleko świeże 3,2% 1 l", Page::Utf8},
    {InUtf8, "ZIEMN", "Ziemniaki młode 2 kg", Page::Utf8},
    {InUtf8, "A", "ą", Page::Utf8},
    {InUtf8, "A", "Ó", Page::Utf8},
    {InUtf8, "ŻUBR", "Piwo", Page::Utf8},
    {InUtf8, "WODKA", "Wódka 40°", Page::Utf8},
    {InUtf8, "WEDEL", "„Wedel” – 1 €, ŁÓDŹ", Page::Utf8},
    {InUtf8, "KAWA", "Kawa mielona 500 g", Page::Mazovia},  // nothing to tell: plain ASCII
    // Windows-1250: ą, ł, ż, Ć, Ę, Ń, Ó are box-drawing signs in Mazovia.
    {In1250, "MASLO", "Masło ekstra 82% 200 g", Page::Windows1250},
    {In1250, "MAKA", "Mąka pszenna", Page::Windows1250},
    {In1250, "DZEM", "Dżem", Page::Windows1250},
    {In1250, "CWIKLA", "Ćwikła", Page::Windows1250},
    {In1250, "GES", "GĘŚ", Page::Windows1250},   // Ę Ś would be a well-formed UTF-8 pair
    {In1250, "STOL", "STÓŁ", Page::Windows1250},  // so would Ó Ł
    {In1250, "KON", "KOŃ", Page::Windows1250},
    {In1250, "OSMY", "Ósmy", Page::Windows1250},
    {In1250, "ŁÓDŹ", "Ser", Page::Windows1250},
    // Windows-1250 letters that are letters or signs of Mazovia too: not told apart,
    // the run goes on as with any file.
    {In1250, "CMA", "ćma", Page::Mazovia},
    {In1250, "SLEDZ", "Śledź", Page::Mazovia},
    {In1250, "LOSOS", "Łosoś", Page::Mazovia},
    {In1250, "GEN", "gęń", Page::Mazovia},
};

TEST_F(CodePage, TheReaderNotesAFileThatIsPlainlyNotMazovia) {
  for (const Row& row : Rows) {
    SCOPED_TRACE(std::string(Names[row.encoding]) + ": " + row.symbol + " " + row.name);
    WriteFile("page.txt", Line("X", "Chleb", "1,00") + Line(Encoded(row.encoding, row.symbol),
                                                               Encoded(row.encoding, row.name), "2,00"));
    ASSERT_EQ(ReadPriceFile("page.txt"), ReadResult::Read);
    EXPECT_EQ(CodePageOf(priceFileCodePage), row.expected);
    ClearPriceList();
  }
}

TEST_F(CodePage, OnlyTheFieldsOfAcceptedLinesCount) {
  // A short line and the price field of a line in UTF-8: neither is a symbol or a name.
  WriteFile("fields.txt", "Żółć\r\n" + Line("KAWA", "Kawa", "1,00\tż"));
  ASSERT_EQ(ReadPriceFile("fields.txt"), ReadResult::Read);
  EXPECT_EQ(CodePageOf(priceFileCodePage), Page::Mazovia);
}

TEST_F(CodePage, EveryReadingStartsAfresh) {
  WriteFile("utf8.txt", Line("KAWA", "Kawa świeża", "1,00"));
  WriteFile("mazovia.txt", Line("KAWA", Encoded(InMazovia, "Kawa świeża"), "1,00"));
  ASSERT_EQ(ReadPriceFile("utf8.txt"), ReadResult::Read);
  EXPECT_EQ(CodePageOf(priceFileCodePage), Page::Utf8);
  ClearPriceList();
  ASSERT_EQ(ReadPriceFile("mazovia.txt"), ReadResult::Read);
  EXPECT_EQ(CodePageOf(priceFileCodePage), Page::Mazovia);
}

// A line of exactly 255 bytes, then a short one: without a mark the first is read whole.
const std::string Long = "A\tN\tx\ty\t1\t" + std::string(245, 'p');
static_assert(sizeof "A\tN\tx\ty\t1\t" - 1 + 245 == 255);

TEST_F(CodePage, AByteOrderMarkAtTheStartIsNoPartOfTheFirstSymbol) {
  const std::string Mark = "\xEF\xBB\xBF";
  struct Case {
    const char* label;
    std::string bytes;
    std::vector<std::string> symbols;
    double firstPrice;
  } cases[] = {
      {"a mark before the first line", Mark + Line("KAWA-500", "Kawa", "42,99") + Line("KAWA-500", "Kawa", "39,99"),
       {"KAWA-500", "KAWA-500"}, 429900},
      {"a mark before a line of 255 bytes", Mark + Long + Line("B", "M", "2"), {"A", "B"}, 10000},
      {"the same without the mark", Long + Line("B", "M", "2"), {"A", "B"}, 10000},
      {"a mark, 251 bytes and CR LF: a whole line of 255", Mark + Long.substr(0, 251) + "\r\n" + Line("B", "M", "2"),
       {"A", "B"}, 10000},
      {"a mark alone", Mark, {}, 0},
      {"a mark on the second line stays", Line("A", "N", "1") + Mark + Line("B", "M", "2"), {"A", Mark + "B"}, 10000},
      {"two bytes of a mark stay", "\xEF\xBB" + Line("A", "N", "1"), {"\xEF\xBB" "A"}, 10000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    WriteFile("mark.txt", c.bytes);
    ASSERT_EQ(ReadPriceFile("mark.txt"), ReadResult::Read);
    ASSERT_EQ(priceList.count, static_cast<int32_t>(c.symbols.size()));
    for (std::size_t i = 0; i < c.symbols.size(); ++i) EXPECT_EQ(priceList.entries[i].symbol, c.symbols[i]) << i;
    if (!c.symbols.empty()) {
      EXPECT_EQ(priceList.entries[0].price, c.firstPrice);
    }
    ClearPriceList();
  }
}

}  // namespace
