// The preview's pages: the CSV rows as a spreadsheet gets them, the HTML page parsed
// back as XML (well-formed, self-contained, one row per changed record, one bar per
// class), and the console's lines.
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "hostsim/preview/preview.h"
#include "tests/preview/preview_fixture.h"

using namespace hostsim::preview;
using testing_preview::Goods;
using testing_preview::GoodsFile;

namespace {

// Five goods of warehouse 1: a small rise, one unchanged, a fall to zero with a new
// name that shares no word with the old one, "Ser "Gouda"; plastry" up by 900 %, and
// one up from zero to a price wider than its column. One warning of the run as a whole.
Preview Sample() {
  std::string before = GoodsFile({{"KAWA-500", "Kawa ziarnista 500 g", 20, 24.6},
                                  {"HERB-100", "Herbata czarna", 4.87, 5.99},
                                  {"MLEKO-32", "Mleko 3,2%", 2.44, 3},
                                  {"SER", "Ser \"Gouda\"; plastry", 1, 1},
                                  {"CHLEB", "Chleb", 0, 0}});
  std::string after = GoodsFile({{"KAWA-500", "Kawa ziarnista 500 g", 21, 25.83},
                                 {"HERB-100", "Herbata czarna", 4.87, 5.99},
                                 {"MLEKO-32", "Jabłka", 0, 0},
                                 {"SER", "Ser \"Gouda\"; plastry", 10, 10},
                                 {"CHLEB", "Chleb", 1000000, 1234567.89}});
  Preview p{"/shop", "/tmp/copy", 50, CompareGoodsFiles(before, after, 1, 50), {}, "", {}};
  p.reported = {{"ta sama cena", "HERB-100", "Mag:1 HERB-100 - Ta sama cena towaru 5.99"}};
  p.runWarnings = {"Plik cen „towary.txt” & co"};
  p.summary = "Ilość towarów odczytana z pliku:    2\nBłąd zmiany ceny:                   0";
  return p;
}

TEST(PreviewCsv, OneRowPerGoodsRecordInFileOrder) {
  std::string csv = PreviewCsv(Sample());
  std::vector<std::string> rows;
  ASSERT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
  for (std::size_t at = 3; at < csv.size();) {
    std::size_t end = csv.find("\r\n", at);
    ASSERT_NE(end, std::string::npos) << "every row ends with CR LF";
    rows.push_back(csv.substr(at, end - at));
    at = end + 2;
  }
  EXPECT_EQ(rows,
            (std::vector<std::string>{
                "magazyn;rekord;symbol;nazwa przed;nazwa po;netto przed;netto po;brutto przed;brutto po;zmiana %;"
                "zmieniony;ostrzeżenia",
                "1;1;KAWA-500;Kawa ziarnista 500 g;Kawa ziarnista 500 g;20,00;21,00;24,60;25,83;5,0;tak;",
                "1;2;HERB-100;Herbata czarna;Herbata czarna;4,87;4,87;5,99;5,99;0,0;nie;",
                "1;3;MLEKO-32;Mleko 3,2%;Jabłka;2,44;0,00;3,00;0,00;-100,0;tak;"
                "\"cena spada do zera lub poniżej: brutto 3,00 -> 0,00, netto 2,44 -> 0,00; "
                "cena brutto zmienia się o -100,0 %: 3,00 -> 0,00; "
                "nowa nazwa nie ma ze starą żadnego wspólnego słowa: „Mleko 3,2%” -> „Jabłka”\"",
                "1;4;SER;\"Ser \"\"Gouda\"\"; plastry\";\"Ser \"\"Gouda\"\"; plastry\";1,00;10,00;1,00;10,00;900,0;tak;"
                "cena brutto zmienia się o +900,0 %: 1,00 -> 10,00",
                "1;5;CHLEB;Chleb;Chleb;0,00;1000000,00;0,00;1234567,89;;tak;cena brutto rośnie od zera: 0,00 -> 1234567,89",
            }));
}

// A strict reader of the page as XML: elements nest and close, attribute values are
// quoted, only the five named entities and numeric ones appear. What it found:
struct Element {
  std::string name;
  std::map<std::string, std::string> attributes;
  std::vector<std::string> path;  // names of the enclosing elements, outermost first
  std::string text;               // text directly inside, entities left as they are
};

bool ParseXml(const std::string& page, std::vector<Element>& elements, std::string& error) {
  std::size_t at = 0;
  if (page.rfind("<!DOCTYPE html>", 0) == 0) at = 15;
  std::vector<std::size_t> open;  // indexes into elements
  auto path = [&] {
    std::vector<std::string> p;
    for (std::size_t i : open) p.push_back(elements[i].name);
    return p;
  };
  while (at < page.size()) {
    std::size_t lt = page.find('<', at);
    std::string text = page.substr(at, (lt == std::string::npos ? page.size() : lt) - at);
    for (std::size_t amp = text.find('&'); amp != std::string::npos; amp = text.find('&', amp + 1)) {
      std::size_t semi = text.find(';', amp);
      std::string entity = semi == std::string::npos ? "" : text.substr(amp, semi - amp + 1);
      if (entity != "&amp;" && entity != "&lt;" && entity != "&gt;" && entity != "&quot;" && entity != "&#39;")
        return error = "bad entity at " + std::to_string(at + amp), false;
    }
    if (text.find('>') != std::string::npos) return error = "stray > near " + std::to_string(at), false;
    if (!open.empty()) elements[open.back()].text += text;
    else if (text.find_first_not_of(" \n") != std::string::npos) return error = "text outside the root", false;
    if (lt == std::string::npos) break;
    std::size_t gt = page.find('>', lt);
    if (gt == std::string::npos) return error = "unclosed tag", false;
    std::string tag = page.substr(lt + 1, gt - lt - 1);
    at = gt + 1;
    if (!tag.empty() && tag[0] == '/') {
      if (open.empty() || elements[open.back()].name != tag.substr(1))
        return error = "</" + tag.substr(1) + "> closes " + (open.empty() ? "nothing" : elements[open.back()].name),
               false;
      open.pop_back();
      continue;
    }
    bool empty = !tag.empty() && tag.back() == '/';
    if (empty) tag.pop_back();
    Element e;
    std::size_t i = tag.find_first_of(" \n");
    e.name = tag.substr(0, i);
    e.path = path();
    while (i != std::string::npos && i < tag.size()) {
      i = tag.find_first_not_of(" \n", i);
      if (i == std::string::npos) break;
      std::size_t eq = tag.find('=', i);
      if (eq == std::string::npos || eq + 1 >= tag.size() || tag[eq + 1] != '"')
        return error = "unquoted attribute in <" + tag + ">", false;
      std::size_t close = tag.find('"', eq + 2);
      if (close == std::string::npos) return error = "unclosed attribute in <" + tag + ">", false;
      std::string name = tag.substr(i, eq - i);
      if (e.attributes.count(name)) return error = "attribute twice in <" + tag + ">", false;
      e.attributes[name] = tag.substr(eq + 2, close - eq - 2);
      i = close + 1;
    }
    if (open.empty() && !elements.empty()) return error = "a second root", false;
    elements.push_back(e);
    if (!empty) open.push_back(elements.size() - 1);
  }
  if (!open.empty()) return error = "<" + elements[open.back()].name + "> is never closed", false;
  return true;
}

bool Inside(const Element& e, const std::string& name) {
  for (const std::string& p : e.path)
    if (p == name) return true;
  return false;
}

TEST(PreviewHtml, WellFormedSelfContainedWithARowPerChangeAndABarPerClass) {
  std::string page = PreviewHtml(Sample());
  std::vector<Element> elements;
  std::string error;
  ASSERT_TRUE(ParseXml(page, elements, error)) << error;
  ASSERT_FALSE(elements.empty());
  EXPECT_EQ(elements[0].name, "html");

  int changeRows = 0, warnedRows = 0, bars = 0, warnings = 0, svgs = 0;
  std::vector<std::string> firstCells, headings;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    const Element& e = elements[i];
    EXPECT_NE(e.name, "script");
    EXPECT_NE(e.name, "link");
    EXPECT_NE(e.name, "img");
    EXPECT_EQ(e.attributes.count("src"), 0u) << e.name;
    EXPECT_EQ(e.attributes.count("href"), 0u) << e.name;
    for (const auto& [name, value] : e.attributes) EXPECT_NE(name.rfind("on", 0), 0u) << "handler " << name;
    std::string cls = e.attributes.count("class") ? e.attributes.at("class") : "";
    if (e.name == "tr" && cls.rfind("change", 0) == 0) {
      ++changeRows;
      warnedRows += cls == "change warned";
      EXPECT_EQ(elements[i + 1].name, "td");
      firstCells.push_back(elements[i + 1].text);
    }
    if (e.name == "rect" && Inside(e, "svg")) ++bars;
    if (e.name == "svg") ++svgs;
    if (e.name == "li" && Inside(e, "ul")) ++warnings;
    if ((e.name == "title" && !Inside(e, "svg")) || e.name == "h1" || e.name == "h2" || e.name == "th")
      headings.push_back(e.text);
  }
  // Four records changed, the biggest change first: CHLEB up from zero, SER +900 %,
  // MLEKO-32 -100 %, KAWA-500 +5 %.
  EXPECT_EQ(changeRows, 4);
  EXPECT_EQ(firstCells, (std::vector<std::string>{"CHLEB", "SER", "MLEKO-32", "KAWA-500"}));
  EXPECT_EQ(warnedRows, 3);
  EXPECT_EQ(warnings, 6);
  EXPECT_EQ(headings, (std::vector<std::string>{
                          "Podgląd przeceny", "Podgląd przeceny", "Ostrzeżenia: 6", "Zmiany ceny brutto w procentach",
                          "Towary, które przebieg by zmienił: 4 z 5", "symbol", "nazwa", "netto", "brutto", "zmiana",
                          "magazyn / rekord", "Towary, które przebieg zgłosił: 1", "rodzaj", "symbol",
                          "wiersz raportu", "Podsumowanie wtyczki"}));
  EXPECT_NE(page.find("<li>Plik cen „towary.txt” &amp; co</li>"), std::string::npos);
  EXPECT_EQ(svgs, 1);
  EXPECT_EQ(bars, 11);
  for (const char* outside : {"url(", "@import", "<script", "javascript:"})
    EXPECT_EQ(page.find(outside), std::string::npos) << outside;
  EXPECT_NE(page.find("Ser &quot;Gouda&quot;"), std::string::npos);
  EXPECT_NE(page.find("<meta charset=\"utf-8\"/>"), std::string::npos);
}

TEST(PreviewHtml, NoChangesStillElevenBarsAndNoRows) {
  Preview p{"/shop & 'co'", "/tmp/copy", 50, {}, {}, "", {}};
  std::vector<Element> elements;
  std::string error, page = PreviewHtml(p);
  ASSERT_TRUE(ParseXml(page, elements, error)) << error;
  EXPECT_NE(page.find("<code>/shop &amp; &#39;co&#39;</code>"), std::string::npos);
  int bars = 0, rows = 0;
  for (const Element& e : elements) {
    bars += e.name == "rect";
    rows += e.name == "tr";
  }
  EXPECT_EQ(bars, 11);
  EXPECT_EQ(rows, 0);
}

TEST(PreviewText, TheConsoleLines) {
  std::vector<std::string> lines = PreviewLines(Sample());
  std::vector<std::string> expected = {
      "Podgląd: przebieg poszedł na kopię folderu /shop w /tmp/copy; folder danych pozostał bez zmian.",
      "",
      "Towary, które przebieg by zmienił: 4 z 5 (największa zmiana najpierw)",
      "  symbol     netto przed -> po        brutto przed -> po          zmiana   nazwa",
      "  CHLEB           0,00 -> 1000000,00        0,00 -> 1234567,89        nowa   Chleb",
      "  SER             1,00 ->     10,00        1,00 ->     10,00    +900,0 %   Ser \"Gouda\"; plastry",
      "  MLEKO-32        2,44 ->      0,00        3,00 ->      0,00    -100,0 %   Mleko 3,2% -> Jabłka",
      "  KAWA-500       20,00 ->     21,00       24,60 ->     25,83      +5,0 %   Kawa ziarnista 500 g",
      "",
      "Towary, które przebieg zgłosił (INFO.TXT, INFO2.TXT): 1",
      "  ta sama cena   Mag:1 HERB-100 - Ta sama cena towaru 5.99",
      "",
      "Ostrzeżenia: 6 (plik cen i przebieg; cena spadająca do zera lub poniżej, zmiana ceny brutto ponad ±50 %, "
      "nazwa bez wspólnego słowa z dawną)",
      "  Plik cen „towary.txt” & co",
      "  CHLEB (magazyn 1, rekord 5): cena brutto rośnie od zera: 0,00 -> 1234567,89",
      "  SER (magazyn 1, rekord 4): cena brutto zmienia się o +900,0 %: 1,00 -> 10,00",
      "  MLEKO-32 (magazyn 1, rekord 3): cena spada do zera lub poniżej: brutto 3,00 -> 0,00, netto 2,44 -> 0,00",
      "  MLEKO-32 (magazyn 1, rekord 3): cena brutto zmienia się o -100,0 %: 3,00 -> 0,00",
      "  MLEKO-32 (magazyn 1, rekord 3): nowa nazwa nie ma ze starą żadnego wspólnego słowa: „Mleko 3,2%” -> "
      "„Jabłka”",
      "",
      "Podsumowanie wtyczki:",
      "  Ilość towarów odczytana z pliku:    2",
      "  Błąd zmiany ceny:                   0",
  };
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(PreviewLines(Preview{"/shop", "/tmp/copy", 12.5, {}, {}, "", {}}),
            (std::vector<std::string>{
                "Podgląd: przebieg poszedł na kopię folderu /shop w /tmp/copy; folder danych pozostał bez zmian.", "",
                "Towary, które przebieg by zmienił: 0 z 0", "",
                "Towary, które przebieg zgłosił (INFO.TXT, INFO2.TXT): 0", "",
                "Ostrzeżenia: 0 (plik cen i przebieg; cena spadająca do zera lub poniżej, zmiana ceny brutto ponad "
                "±12,5 %, nazwa bez wspólnego słowa z dawną)",
                "", "Wtyczka nie pokazała podsumowania."}));
  // A goods file's raw double is printed whole, however long: 301 digits, the comma, two.
  EXPECT_EQ(Money(-1e300).size(), 305u);
  EXPECT_EQ(Money(-1e300).substr(0, 5), "-1000");
  EXPECT_EQ(Money(-1e300).substr(301), "0,00");
}

}  // namespace
