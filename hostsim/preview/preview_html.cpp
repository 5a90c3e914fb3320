// preview.html: the preview as one page a person opens in a browser. No script and
// nothing from outside: the style is inline, the histogram is SVG in the page.
#include <algorithm>
#include <cstdio>

#include "hostsim/preview/histogram.h"
#include "hostsim/preview/preview.h"

namespace hostsim::preview {
namespace {

// Text for HTML and XML alike: the five characters with a meaning escaped.
std::string Escaped(const std::string& s) {
  std::string out;
  for (char c : s) switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  return out;
}

constexpr const char* Style =
    "body{font-family:sans-serif;margin:2em;color:#222}"
    "h1{font-size:1.5em}h2{font-size:1.2em;margin-top:1.6em}"
    "table{border-collapse:collapse}th,td{border:1px solid #bbb;padding:.25em .6em;text-align:left}"
    "th{background:#eee}td.num{text-align:right;font-variant-numeric:tabular-nums;white-space:nowrap}"
    "tr.warned td{background:#fde8e8}ul.warnings li{color:#a00000;margin:.2em 0}"
    "p.none{color:#060}pre{background:#f6f6f6;padding:.8em;display:inline-block}td code{white-space:pre}"
    "svg text{font-family:sans-serif;font-size:12px}rect.bar{fill:#3b6ea8}rect.bar.far{fill:#c0392b}"
    ".old{color:#777}";

// The histogram: one bar per class, its count above it and its label below.
std::string HistogramSvg(const std::vector<HistogramClass>& classes) {
  constexpr int BarWidth = 56, Gap = 20, Top = 24, Height = 180, Left = 10;
  int most = 1;
  for (const HistogramClass& c : classes) most = std::max(most, c.count);
  int width = Left * 2 + static_cast<int>(classes.size()) * (BarWidth + Gap);
  std::string out = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(width) + "\" height=\"" +
                    std::to_string(Top + Height + 40) + "\" role=\"img\" aria-label=\"zmiany w procentach\">\n";
  out += "<line x1=\"" + std::to_string(Left) + "\" y1=\"" + std::to_string(Top + Height) + "\" x2=\"" +
         std::to_string(width - Left) + "\" y2=\"" + std::to_string(Top + Height) + "\" stroke=\"#444\"/>\n";
  for (std::size_t i = 0; i < classes.size(); ++i) {
    const HistogramClass& c = classes[i];
    int x = Left + static_cast<int>(i) * (BarWidth + Gap) + Gap / 2;
    int h = c.count * Height / most;
    bool far = i == 0 || i + 1 == classes.size();
    out += "<rect class=\"bar" + std::string(far ? " far" : "") + "\" x=\"" + std::to_string(x) + "\" y=\"" +
           std::to_string(Top + Height - h) + "\" width=\"" + std::to_string(BarWidth) + "\" height=\"" +
           std::to_string(h) + "\"><title>" + Escaped(c.label) + ": " + std::to_string(c.count) + "</title></rect>\n";
    int middle = x + BarWidth / 2;
    out += "<text x=\"" + std::to_string(middle) + "\" y=\"" + std::to_string(Top + Height - h - 6) +
           "\" text-anchor=\"middle\">" + std::to_string(c.count) + "</text>\n";
    out += "<text x=\"" + std::to_string(middle) + "\" y=\"" + std::to_string(Top + Height + 18) +
           "\" text-anchor=\"middle\">" + Escaped(c.label) + "</text>\n";
  }
  return out + "</svg>\n";
}

std::string Cell(const std::string& text, const char* cls = nullptr) {
  return std::string("<td") + (cls ? std::string(" class=\"") + cls + "\"" : "") + ">" + Escaped(text) + "</td>";
}

// "old -> new" with the old value greyed; just the value when it stayed.
std::string Move(const std::string& old, const std::string& now) {
  if (old == now) return Escaped(now);
  return "<span class=\"old\">" + Escaped(old) + "</span> → " + Escaped(now);
}

std::string ChangedTable(const std::vector<GoodsChange>& changed) {
  std::string out =
      "<table class=\"changes\">\n<thead><tr><th>symbol</th><th>nazwa</th><th>netto</th><th>brutto</th>"
      "<th>zmiana</th><th>magazyn / rekord</th></tr></thead>\n<tbody>\n";
  for (const GoodsChange& g : changed) {
    out += std::string("<tr class=\"change") + (g.warnings.empty() ? "" : " warned") + "\">" + Cell(g.symbol);
    out += "<td>" + Move(g.oldName, g.newName) + "</td>";
    out += "<td class=\"num\">" + Move(Money(g.oldNet), Money(g.newNet)) + "</td>";
    out += "<td class=\"num\">" + Move(Money(g.oldGross), Money(g.newGross)) + "</td>";
    out += Cell(ChangeText(g), "num") + Cell(std::to_string(g.warehouse) + " / " + std::to_string(g.record), "num");
    out += "</tr>\n";
  }
  return out + "</tbody>\n</table>\n";
}

}  // namespace

std::string PreviewHtml(const Preview& p) {
  std::vector<GoodsChange> changed = ChangedBySize(p.goods);
  std::string out =
      "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"pl\">\n<head>\n"
      "<meta charset=\"utf-8\"/>\n<title>Podgląd przeceny</title>\n<style>";
  out += Style;
  out += "</style>\n</head>\n<body>\n<h1>Podgląd przeceny</h1>\n";
  out += "<p>Przebieg poszedł na kopię folderu <code>" + Escaped(p.dataFolder) + "</code> w <code>" +
         Escaped(p.scratchFolder) + "</code>; folder danych pozostał bez zmian.</p>\n";

  std::size_t warnings = PreviewWarningCount(p);
  out += "<h2>Ostrzeżenia: " + std::to_string(warnings) + "</h2>\n";
  out += "<p>Plik cen i przebieg; cena spadająca do zera lub poniżej, zmiana ceny brutto ponad ±" +
         ThresholdText(p.warnPercent) + " %, nazwa bez wspólnego słowa z dawną.</p>\n";
  if (warnings == 0) out += "<p class=\"none\">Brak.</p>\n";
  if (warnings) {
    out += "<ul class=\"warnings\">\n";
    for (const std::string& w : p.runWarnings) out += "<li>" + Escaped(w) + "</li>\n";
    for (const GoodsChange& g : changed)
      for (const Warning& w : g.warnings)
        out += "<li><b>" + Escaped(g.symbol) + "</b> (magazyn " + std::to_string(g.warehouse) + ", rekord " +
               std::to_string(g.record) + "): " + Escaped(w.text) + "</li>\n";
    out += "</ul>\n";
  }

  out += "<h2>Zmiany ceny brutto w procentach</h2>\n" + HistogramSvg(Histogram(p.goods));

  out += "<h2>Towary, które przebieg by zmienił: " + std::to_string(changed.size()) + " z " +
         std::to_string(p.goods.size()) + "</h2>\n";
  out += changed.empty() ? "<p class=\"none\">Brak.</p>\n" : ChangedTable(changed);

  out += "<h2>Towary, które przebieg zgłosił: " + std::to_string(p.reported.size()) + "</h2>\n";
  if (!p.reported.empty()) {
    out += "<table class=\"reported\">\n<thead><tr><th>rodzaj</th><th>symbol</th><th>wiersz raportu</th></tr>"
           "</thead>\n<tbody>\n";
    for (const ReportedGoods& r : p.reported)
      out += "<tr>" + Cell(r.kind) + Cell(r.symbol) + "<td><code>" + Escaped(r.line) + "</code></td></tr>\n";
    out += "</tbody>\n</table>\n";
  }

  out += "<h2>Podsumowanie wtyczki</h2>\n";
  out += p.summary.empty() ? std::string("<p>Wtyczka nie pokazała podsumowania.</p>\n")
                           : "<pre>" + Escaped(p.summary) + "</pre>\n";
  return out + "</body>\n</html>\n";
}

}  // namespace hostsim::preview
