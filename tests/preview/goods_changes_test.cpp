// The comparison of a goods file before and after a run: which records changed, by
// how much, in what order, and the warnings, each kind with its text.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/mazovia.h"
#include "hostsim/preview/goods_changes.h"
#include "hostsim/preview/histogram.h"
#include "hostsim/preview/reported_goods.h"
#include "tests/preview/preview_fixture.h"

using namespace hostsim::preview;
using testing_preview::Goods;
using testing_preview::GoodsFile;

namespace {

TEST(GoodsChanges, EachKindOfWarningWithItsText) {
  struct Row {
    const char* label;
    Goods before, after;
    double threshold;
    std::vector<std::string> warnings;  // texts, in the order given
  } rows[] = {
      {"unchanged", {"A", "Kawa", 10, 12.3}, {"A", "Kawa", 10, 12.3}, 50, {}},
      {"a small rise", {"A", "Kawa", 10, 12.3}, {"A", "Kawa", 11, 13.53}, 50, {}},
      {"gross to zero",
       {"A", "Kawa", 10, 12.3},
       {"A", "Kawa", 0, 0},
       50,
       {"cena spada do zera lub poniżej: brutto 12,30 -> 0,00, netto 10,00 -> 0,00",
        "cena brutto zmienia się o -100,0 %: 12,30 -> 0,00"}},
      {"net below zero, gross a little lower",
       {"A", "Kawa", 10, 12.3},
       {"A", "Kawa", -0.01, 12.2},
       50,
       {"cena spada do zera lub poniżej: brutto 12,30 -> 12,20, netto 10,00 -> -0,01"}},
      {"+900 %", {"A", "Kawa", 2, 2}, {"A", "Kawa", 20, 20}, 50, {"cena brutto zmienia się o +900,0 %: 2,00 -> 20,00"}},
      {"exactly +50 % is within", {"A", "Kawa", 3, 3}, {"A", "Kawa", 4.5, 4.5}, 50, {}},
      {"exactly -50 % is within", {"A", "Kawa", 4, 4}, {"A", "Kawa", 2, 2}, 50, {}},
      {"+50.3 % is beyond",
       {"A", "Kawa", 3, 3},
       {"A", "Kawa", 4.51, 4.51},
       50,
       {"cena brutto zmienia się o +50,3 %: 3,00 -> 4,51"}},
      {"a threshold of 10 %", {"A", "Kawa", 1, 1}, {"A", "Kawa", 1.11, 1.11}, 10,
       {"cena brutto zmienia się o +11,0 %: 1,00 -> 1,11"}},
      {"up from zero", {"A", "Kawa", 0, 0}, {"A", "Kawa", 5, 5}, 50, {"cena brutto rośnie od zera: 0,00 -> 5,00"}},
      {"a new name at a price of zero", {"A", "Kawa", 0, 0}, {"A", "Kawa mielona", 0, 0}, 50, {}},
      {"a name with nothing in common",
       {"A", "Kawa ziarnista 500 g", 10, 12.3},
       {"A", "Mleko 3,2% 1 l", 10, 12.3},
       50,
       {"nowa nazwa nie ma ze starą żadnego wspólnego słowa: „Kawa ziarnista 500 g” -> „Mleko 3,2% 1 l”"}},
      {"a word in common in another letter case",
       {"A", "Kawa ziarnista 500 g", 10, 12.3},
       {"A", "KAWA mielona", 10, 12.3},
       50,
       {}},
      {"Polish capitals match their small letters",
       {"A", "ŻUBRÓWKA 0,5", 10, 12.3},
       {"A", "Żubrówka 0,7 l", 10, 12.3},
       50,
       {}},
      {"gross alone to zero",
       {"A", "Kawa", 10, 12.3},
       {"A", "Kawa", 10, 0},
       50,
       {"cena spada do zera lub poniżej: brutto 12,30 -> 0,00, netto 10,00 -> 10,00",
        "cena brutto zmienia się o -100,0 %: 12,30 -> 0,00"}},
      {"a name given", {"A", "", 10, 12.3}, {"A", "Kawa", 10, 12.3}, 50, {}},
      {"a name taken away", {"A", "Kawa", 10, 12.3}, {"A", "", 10, 12.3}, 50, {}},
      {"marks that are no letters end words", {"A", "Kawa~mielona_ziarno│paczka", 10, 12.3},
       {"A", "paczka", 10, 12.3}, 50, {}},
      {"every Polish capital", {"A", "ĄĆĘŁŃÓŚŹŻ 1", 10, 12.3}, {"A", "ąćęłńóśźż 2", 10, 12.3}, 50, {}},
      {"one-letter words do not count",
       {"A", "Herbata z cytryną", 10, 12.3},
       {"A", "Sok z jabłek", 10, 12.3},
       50,
       {"nowa nazwa nie ma ze starą żadnego wspólnego słowa: „Herbata z cytryną” -> „Sok z jabłek”"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::vector<GoodsChange> c = CompareGoodsFiles(GoodsFile({row.before}), GoodsFile({row.after}), 1, row.threshold);
    ASSERT_EQ(c.size(), 1u);
    std::vector<std::string> texts;
    for (const Warning& w : c[0].warnings) texts.push_back(w.text);
    EXPECT_EQ(texts, row.warnings);
  }
}

TEST(GoodsChanges, WarningsSayTheirKind) {
  std::vector<GoodsChange> c = CompareGoodsFiles(GoodsFile({{"A", "Kawa", 10, 10}, {"B", "Kawa", 1, 1}}),
                                                 GoodsFile({{"A", "Kawa", 0, 0}, {"B", "Herbata", 1, 1}}), 1, 50);
  ASSERT_EQ(c.size(), 2u);
  ASSERT_EQ(c[0].warnings.size(), 2u);
  EXPECT_EQ(c[0].warnings[0].kind, WarnNotPositive);
  EXPECT_EQ(c[0].warnings[1].kind, WarnBigChange);
  ASSERT_EQ(c[1].warnings.size(), 1u);
  EXPECT_EQ(c[1].warnings[0].kind, WarnNameUnrelated);
  EXPECT_EQ(WarningCount(c), 3u);
}

TEST(GoodsChanges, RecordsInFileOrderAndTheChangedBiggestFirst) {
  std::string before = GoodsFile({{"A", "a", 10, 10}, {"B", "b", 10, 10}, {"C", "c", 0, 0}, {"D", "d", 10, 10},
                                  {"E", "e", 10, 10}, {"F", "Fa", 10, 10}});
  std::string after = GoodsFile({{"A", "a", 11, 11}, {"B", "b", 10, 10}, {"C", "c", 1, 1}, {"D", "d", 5, 5},
                                 {"E", "e", 9, 9}, {"F", "Fb", 10, 10}});
  std::vector<GoodsChange> all = CompareGoodsFiles(before, after, 3, 50);
  std::vector<std::string> order;
  for (const GoodsChange& g : all) order.push_back(g.symbol + (g.changed ? "+" : "="));
  EXPECT_EQ(order, (std::vector<std::string>{"A+", "B=", "C+", "D+", "E+", "F+"}));
  order.clear();
  for (const GoodsChange& g : ChangedBySize(all)) order.push_back(g.symbol + " " + std::to_string(g.record));
  // C comes up from zero, D -50 %, A +10 %, E -10 % (A first, in file order), F's name alone.
  EXPECT_EQ(order, (std::vector<std::string>{"C 3", "D 4", "A 1", "E 5", "F 6"}));
  EXPECT_EQ(all[3].warehouse, 3);
  EXPECT_DOUBLE_EQ(*all[3].percent, -50.0);
  EXPECT_FALSE(all[2].percent.has_value());
  // Changes of one size: the lower warehouse first, whatever order they come in.
  std::vector<GoodsChange> two = CompareGoodsFiles(GoodsFile({{"B", "b", 10, 10}}), GoodsFile({{"B", "b", 11, 11}}), 2, 50);
  for (const GoodsChange& g : CompareGoodsFiles(GoodsFile({{"A", "a", 10, 10}}), GoodsFile({{"A", "a", 11, 11}}), 1, 50))
    two.push_back(g);
  order.clear();
  for (const GoodsChange& g : ChangedBySize(two)) order.push_back(g.symbol + " " + std::to_string(g.warehouse));
  EXPECT_EQ(order, (std::vector<std::string>{"A 1", "B 2"}));
}

TEST(GoodsChanges, ATrailingPartialRecordAndAShorterAfterAreNoRecords) {
  std::string before = GoodsFile({{"A", "a", 10, 10}, {"B", "b", 10, 10}}) + std::string(100, 'x');
  std::string after = GoodsFile({{"A", "a", 12, 12}});
  std::vector<GoodsChange> all = CompareGoodsFiles(before, after, 1, 50);
  ASSERT_EQ(all.size(), 2u);
  EXPECT_TRUE(all[0].changed);
  EXPECT_FALSE(all[1].changed);
}

TEST(GoodsChanges, HistogramClassesAndTheirBounds) {
  // Gross prices from 100.00: the new price is the change in per cent plus 100.
  std::vector<double> changes = {-60, -50, -49.9, -20, -10, -5.01, -5, -0.5, 0.5, 5, 5.01, 10, 20, 50, 50.01, 800};
  std::vector<Goods> before, after;
  for (double c : changes) {
    before.push_back({"A", "a", 100, 100});
    after.push_back({"A", "a", 100 + c, 100 + c});
  }
  before.push_back({"N", "old", 100, 100});  // the name alone changes
  after.push_back({"N", "new", 100, 100});
  before.push_back({"Z", "z", 0, 0});  // up from zero
  after.push_back({"Z", "z", 1, 1});
  before.push_back({"S", "s", 7, 7});  // no change: in no class
  after.push_back({"S", "s", 7, 7});
  std::vector<HistogramClass> h = Histogram(CompareGoodsFiles(GoodsFile(before), GoodsFile(after), 1, 50));
  std::vector<std::string> got;
  for (const HistogramClass& c : h) got.push_back(c.label + "=" + std::to_string(c.count));
  EXPECT_EQ(got, (std::vector<std::string>{"< −50 %=1", "−50…−20=2", "−20…−10=1", "−10…−5=2", "−5…0=2", "±0=1",
                                            "0…5=2", "5…10=2", "10…20=1", "20…50=1", "> 50 %=3"}));
}

TEST(ReportedGoods, EachReportLineByItsWords) {
  std::string info = std::string(Mz("Mag:1 HERB-100                  - Ta sama cena towaru                 5.99")) +
                     "\r\n" + Mz("Mag:1 BARDZO-DLUGI-SYMBOL-TOWAR-X - Za długi symbol towaru") + "\r\n" +
                     Mz("Mag:1 MLEKO-32                  - Źle zmianiono cenę") + "\r\n" +
                     Mz("Mag:1 SER                       - Błędna cena w pliku") + "\r\n" + "garbage\r\n" +
                     "Mag:1\r\n\r\nMag:1 ZZ - Nieznany\n";  // no blank; an empty line; no phrase, no CR
  std::string info2 = Mz("Mag:1 OSCYPEK                   - Brak towaru na magazynie");  // no line end
  std::vector<ReportedGoods> r = ReadReports(info, info2);
  std::vector<std::string> got;
  for (const ReportedGoods& g : r) got.push_back(g.kind + "|" + g.symbol);
  EXPECT_EQ(got, (std::vector<std::string>{"ta sama cena|HERB-100", "za długi|BARDZO-DLUGI-SYMBOL-TOWAR-X",
                                            "błąd zmiany|MLEKO-32", "zła cena|SER", "inne|", "inne|", "inne|",
                                            "brak towaru|OSCYPEK"}));
  EXPECT_EQ(r[2].line, "Mag:1 MLEKO-32                  - Źle zmianiono cenę");
  EXPECT_TRUE(ReadReports("", "").empty());
}

}  // namespace
