// Whole runs over one shop and one price file, in Mazovia, in UTF-8 with and without a
// byte-order mark and in Windows-1250, names copied and not: the goods bytes, the
// reports and the messages. A file plainly not in Mazovia never garbles a name: with
// names copied the run ends before the first pass and says what the file looks like.
#include "tests/run/run_fixture.h"
#include "tests/support/windows1250.h"

using namespace testing_run;

namespace {

const std::string Shop =
    "symbol,index,name,vat,net,gross,remarks\n"
    "KAWA-500,1,Kawa mielona 500 g,1,30.00,36.90,\n"
    "MLEKO-32,2,Mleko 1 l,2,3.00,3.24,\n"
    "MASLO-82,3,Masło 200 g,2,6.00,6.48,\n";

// Every Polish letter in both cases; KAWA-500 twice, its first line first in the file.
const std::vector<PriceLine> Prices = {
    {"KAWA-500", "Kawa Zażółć gęślą jaźń", "42,99"},
    {"MLEKO-32", "Mleko świeże ZAŻÓŁĆ GĘŚLĄ JAŹŃ", "3,49"},
    {"MASLO-82", "Masło ekstra 82% 200 g", "7,49"},
    {"KAWA-500", "Kawa druga", "39,99"},
};

enum Encoding { InMazovia, InUtf8, InUtf8WithMark, In1250 };

// The text's bytes in the encoding (no mark).
std::string Encoded(Encoding e, const std::string& utf8) {
  if (e == InMazovia) return hostsim::Utf8ToMazovia(utf8);
  if (e == In1250) return testing_support::Cp1250(utf8);
  return utf8;
}

std::string Blanks(int n) { return std::string(n, ' '); }

struct Row {
  const char* label;
  Encoding encoding;
  bool copyNames;
  const char* refusedAs;  // what the message says the file looks like; null: the run goes on
};

const Row Rows[] = {
    {"Mazovia", InMazovia, false, nullptr},
    {"Mazovia, names copied", InMazovia, true, nullptr},
    {"UTF-8", InUtf8, false, nullptr},
    {"UTF-8, names copied", InUtf8, true, "UTF-8"},
    {"UTF-8 with a byte-order mark", InUtf8WithMark, false, nullptr},
    {"UTF-8 with a byte-order mark, names copied", InUtf8WithMark, true, "UTF-8"},
    {"Windows-1250", In1250, false, nullptr},
    {"Windows-1250, names copied", In1250, true, "Windows-1250"},
};

class CodePageRun : public RunFixture {};

TEST_F(CodePageRun, AFileNotInMazoviaNeverGarblesAName) {
  for (const Row& row : Rows) {
    SCOPED_TRACE(row.label);
    StartAfresh();
    WriteGoods(1, Shop);
    std::string goodsBefore = FileBytes(hostsim::GoodsFileName(1));
    std::string text = PriceFileText(Prices);
    WriteFile("towary.txt", (row.encoding == InUtf8WithMark ? "\xEF\xBB\xBF" : "") + Encoded(row.encoding, text));
    Choice choice;
    choice.copyName = row.copyNames;
    Answer(choice);
    Run();

    if (row.refusedAs) {
      EXPECT_TRUE(FileBytes(hostsim::GoodsFileName(1)) == goodsBefore);
      for (const char* f : ReportFiles) EXPECT_FALSE(Exists(f)) << f;
      EXPECT_EQ(Shown(), std::vector<std::string>{"messageBox: uwaga: Plik cen nie jest zapisany w stronie kodowej "
                                                  "Mazovia\n(wygląda na " +
                                                  std::string(row.refusedAs) +
                                                  "):\ntowary.txt\nTowary nie zostały zmienione."});
      continue;
    }
    auto goods = Goods(1);
    ASSERT_EQ(goods.size(), 3u);
    EXPECT_EQ(goods[0].gross, 42.99);  // the first KAWA-500 line, with or without a mark before it
    EXPECT_EQ(goods[1].gross, 3.49);
    EXPECT_EQ(goods[2].gross, 7.49);
    bool copied = row.copyNames;
    EXPECT_EQ(goods[0].name, copied ? "Kawa Zażółć gęślą jaźń" : "Kawa mielona 500 g");
    EXPECT_EQ(goods[1].name, copied ? "Mleko świeże ZAŻÓŁĆ GĘŚLĄ JAŹŃ" : "Mleko 1 l");
    EXPECT_EQ(goods[2].name, copied ? "Masło ekstra 82% 200 g" : "Masło 200 g");
    // INFO4.TXT holds the names as the file has them.
    Encoding e = row.encoding;
    EXPECT_EQ(FileBytes("INFO4.TXT"), "[KAWA-500]      42.99 " + Encoded(e, "Kawa Zażółć gęślą jaźń") + "\r\n" +
                                          "[MLEKO-32]       3.49 " + Encoded(e, "Mleko świeże ZAŻÓŁĆ GĘŚLĄ JAŹŃ") + "\r\n" +
                                          "[MASLO-82]       7.49 " + Encoded(e, "Masło ekstra 82% 200 g") + "\r\n" +
                                          "[KAWA-500]      39.99 Kawa druga\r\n");
    EXPECT_EQ(Lines("INFO2.TXT"),
              std::vector<std::string>{"Mag:1 KAWA-500" + Blanks(17) + " - Brak towaru na magazynie"});
    EXPECT_EQ(Lines("INFO3.TXT"), (std::vector<std::string>{
                                      "Mag:1 KAWA-500" + Blanks(17) + " -      30.00->     34.95 zmiana ceny",
                                      "Mag:1 MLEKO-32" + Blanks(17) + " -       3.00->      3.23 zmiana ceny",
                                      "Mag:1 MASLO-82" + Blanks(17) + " -       6.00->      6.94 zmiana ceny",
                                  }));
    EXPECT_EQ(Shown(), (std::vector<std::string>{
                           "messageBox: uwaga: Proszę czekać. Tworzenie raportu.",
                           "closeWaitMessage",
                           "messageBoxFormat: uwaga: Ilość towarów odczytana z pliku:    4\n"
                           "Ilość niezidentyfikowanych towarów: 1\n"
                           "Ilość za długich symboli:           0\n"
                           "Błąd zmiany ceny:                   0\n"
                           "Towary z takimi samymi cenami:      0",
                           "showTextFile: INFO.TXT: (brak pliku)",
                       }));
  }
}

}  // namespace
