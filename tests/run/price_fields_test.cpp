// Whole runs over price fields that give no usable price (no number, a number below
// zero) beside fields that do (zero among them) and one beyond a double: what the goods
// keep, and the INFO, INFO2, INFO3 and INFO4 lines and the summary of each, with prices
// gross and net, names copied and not, a key matched by two goods records and a key
// matched by none.
#include <cmath>

#include "tests/run/run_fixture.h"

using namespace testing_run;

namespace {

// KAWA is the key of two records (the second in other letter case); HERB, at 0% VAT,
// keeps its price under either option and is the one unchanged price of every run.
const std::string Shop =
    "symbol,index,name,vat,net,gross,remarks\n"
    "KAWA,100,Kawa mielona,2,10.00,10.80,półka 1\n"
    "HERB,102,Herbata,4,6.15,6.15,półka 3\n"
    "kawa,101,Kawa druga,4,20.00,20.00,półka 2\n";

std::string Blanks(int n) { return std::string(n, ' '); }

const std::string Kawa = "Mag:1 KAWA" + Blanks(21);
const std::string Herb = "Mag:1 HERB" + Blanks(21);

enum Outcome {
  Refused,  // no number, or below zero: nothing applied, a failed change of its own
  Applied,  // a price of zero or more
  Failed,   // beyond a double: not stored, "Źle zmianiono cenę" as before
};

// The KAWA records after the run as INFO3.TXT shows their new net prices (10 wide), and
// their prices in the goods file.
struct Repriced {
  const char* net1;  // the first KAWA record
  const char* net2;  // the second one
  double net1Value, gross1, net2Value, gross2;
};

struct Row {
  const char* field;
  Outcome outcome;
  const char* info4Price;  // the entry's price in INFO4.TXT, 10 wide
  Repriced asGross, asNet;
};

const Repriced Untouched = {"", "", 10.00, 10.80, 20.00, 20.00};
const Repriced Zero = {"      0.00", "      0.00", 0, 0, 0, 0};

const Row Rows[] = {
    {"", Refused, "      0.00", Untouched, Untouched},
    {"abc", Refused, "      0.00", Untouched, Untouched},
    {"-", Refused, "      0.00", Untouched, Untouched},
    {".", Refused, "      0.00", Untouched, Untouched},
    {"Cena", Refused, "      0.00", Untouched, Untouched},
    {"-5,49", Refused, "     -5.49", Untouched, Untouched},
    {"-0", Applied, "      0.00", Zero, Zero},
    {"0", Applied, "      0.00", Zero, Zero},
    {"0,00", Applied, "      0.00", Zero, Zero},
    {"12,50", Applied, "     12.50", {"     11.57", "     12.50", 11.57, 12.50, 12.50, 12.50},
     {"     12.50", "     12.50", 12.50, 13.50, 12.50, 12.50}},
    {" 7", Applied, "      7.00", {"      6.48", "      7.00", 6.48, 7.00, 7.00, 7.00},
     {"      7.00", "      7.00", 7.00, 7.56, 7.00, 7.00}},
    {"1e400", Failed, "       inf", {"       inf", "       inf", 10.00, 10.80, 20.00, 20.00},
     {"       inf", "       inf", 10.00, 10.80, 20.00, 20.00}},
};

// The INFO3.TXT line of a KAWA record: refused, or repriced from the old net price.
std::string KawaInfo3(Outcome outcome, const char* oldNet, const char* newNet) {
  if (outcome == Refused) return Kawa + " - " + oldNet + " Błędna cena w pliku TOWARY.TXT";
  return Kawa + " - " + oldNet + "->" + newNet + " zmiana ceny";
}

class PriceFieldsTest : public RunFixture {};

TEST_F(PriceFieldsTest, OnlyAPriceOfZeroOrMoreIsApplied) {
  for (const Row& row : Rows)
    for (bool gross : {true, false})
      for (bool copy : {false, true}) {
        SCOPED_TRACE(std::string("field \"") + row.field + "\", " + (gross ? "gross" : "net") +
                     (copy ? ", names copied" : ""));
        StartAfresh();
        WriteGoods(1, Shop);
        std::string before = FileBytes(hostsim::GoodsFileName(1));
        WritePriceFile("towary.txt",
                       {{"KAWA", "Kawa nowa", row.field}, {"HERB", "Herbata", "6,15"}, {"MLEKO", "Mleko", row.field}});
        Answer({"towary.txt", gross, 'S', copy, 1});
        Run();

        const Repriced& r = gross ? row.asGross : row.asNet;
        std::string after = FileBytes(hostsim::GoodsFileName(1));
        ASSERT_EQ(after.size(), before.size());
        EXPECT_TRUE(after.substr(RecordBytes, RecordBytes) == before.substr(RecordBytes, RecordBytes)) << "HERB changed";
        if (row.outcome != Applied) {
          EXPECT_TRUE(after == before) << "the goods changed";
        } else {
          auto goods = Goods(1);
          EXPECT_EQ(goods[0].net, r.net1Value);
          EXPECT_EQ(goods[0].gross, r.gross1);
          EXPECT_EQ(goods[2].net, r.net2Value);
          EXPECT_EQ(goods[2].gross, r.gross2);
          for (double price : {goods[0].net, goods[0].gross, goods[2].net, goods[2].gross})
            EXPECT_FALSE(std::signbit(price)) << "a negative zero was stored";
          EXPECT_EQ(goods[0].name, copy ? "Kawa nowa" : "Kawa mielona");
          EXPECT_EQ(goods[2].name, copy ? "Kawa nowa" : "Kawa druga");
          for (std::size_t at : {std::size_t{0}, 2 * RecordBytes})
            for (std::size_t i = 0; i < RecordBytes; ++i) {
              bool nameOrPrice = (i >= 2 && i < 123) || (i >= 247 && i < 255) || (i >= 327 && i < 335);
              if (nameOrPrice) continue;
              EXPECT_EQ(after[at + i], before[at + i]) << "record " << at / RecordBytes << ", byte " << i;
            }
        }

        EXPECT_EQ(Lines("INFO3.TXT"), (std::vector<std::string>{
                                          KawaInfo3(row.outcome, "     10.00", r.net1),
                                          Herb + " -       6.15->      6.15",
                                          KawaInfo3(row.outcome, "     20.00", r.net2),
                                      }));
        EXPECT_EQ(Lines("INFO4.TXT"), (std::vector<std::string>{
                                          std::string("[KAWA] ") + row.info4Price + " Kawa nowa",
                                          "[HERB]       6.15 Herbata",
                                          std::string("[MLEKO] ") + row.info4Price + " Mleko",
                                      }));
        EXPECT_EQ(Lines("INFO2.TXT"),
                  (std::vector<std::string>{"Mag:1 MLEKO" + Blanks(20) + " - Brak towaru na magazynie"}));
        std::vector<std::string> info;
        if (row.outcome == Refused) info.push_back(Kawa + " - Błędna cena w pliku");
        if (row.outcome == Failed) info.push_back(Kawa + " - Źle zmianiono cenę");
        info.push_back(Herb + " - Ta sama cena towaru" + Blanks(17) + "6.15");
        EXPECT_EQ(Lines("INFO.TXT"), info);

        std::string errors = row.outcome == Applied ? "0" : "1";
        std::string shownInfo;
        for (const std::string& line : info) shownInfo += line + "\n";
        EXPECT_EQ(Shown(), (std::vector<std::string>{
                               "messageBox: uwaga: Proszę czekać. Tworzenie raportu.",
                               "closeWaitMessage",
                               "messageBoxFormat: uwaga: Ilość towarów odczytana z pliku:    3\n"
                               "Ilość niezidentyfikowanych towarów: 1\n"
                               "Ilość za długich symboli:           0\n"
                               "Błąd zmiany ceny:                   " + errors + "\n"
                               "Towary z takimi samymi cenami:      1",
                               "showTextFile: INFO.TXT: " + shownInfo,
                           }));

        // A refused price is neither converted nor noted for its records: what is left
        // is HERB's, once in each pass.
        EXPECT_EQ(hostsim::conversions.size(), row.outcome == Refused ? 2u : 6u);
        EXPECT_EQ(hostsim::goodsCounters.notes, row.outcome == Applied ? 6 : 2);
        EXPECT_EQ(hostsim::goodsCounters.stores, (row.outcome == Applied ? 2 : 0) + (copy ? 1 : 0));
      }
}

}  // namespace
