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

std::string Number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", v);
  return text;
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
                    std::to_string(Top + Height + 40) + "\" role=\"img\" aria-label=\"changes in per cent\">\n";
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
      "<table class=\"changes\">\n<thead><tr><th>symbol</th><th>name</th><th>net</th><th>gross</th>"
      "<th>change</th><th>warehouse / record</th></tr></thead>\n<tbody>\n";
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
      "<meta charset=\"utf-8\"/>\n<title>Preview of the price change</title>\n<style>";
  out += Style;
  out += "</style>\n</head>\n<body>\n<h1>Preview of the price change</h1>\n";
  out += "<p>The run went to a copy of <code>" + Escaped(p.dataFolder) + "</code> in <code>" +
         Escaped(p.scratchFolder) + "</code>; the data folder is left as it was.</p>\n";

  std::size_t warnings = WarningCount(p.goods);
  out += "<h2>Warnings: " + std::to_string(warnings) + "</h2>\n";
  out += "<p>A price falling to zero or below, a change of the gross price beyond ±" + Number(p.warnPercent) +
         " %, a name replaced by one sharing no word with it.</p>\n";
  if (warnings == 0) out += "<p class=\"none\">None.</p>\n";
  if (warnings) {
    out += "<ul class=\"warnings\">\n";
    for (const GoodsChange& g : changed)
      for (const Warning& w : g.warnings)
        out += "<li><b>" + Escaped(g.symbol) + "</b> (warehouse " + std::to_string(g.warehouse) + ", record " +
               std::to_string(g.record) + "): " + Escaped(w.text) + "</li>\n";
    out += "</ul>\n";
  }

  out += "<h2>Changes of the gross price in per cent</h2>\n" + HistogramSvg(Histogram(p.goods));

  out += "<h2>Goods the run would change: " + std::to_string(changed.size()) + " of " +
         std::to_string(p.goods.size()) + "</h2>\n";
  out += changed.empty() ? "<p class=\"none\">None.</p>\n" : ChangedTable(changed);

  out += "<h2>Goods the run reported: " + std::to_string(p.reported.size()) + "</h2>\n";
  if (!p.reported.empty()) {
    out += "<table class=\"reported\">\n<thead><tr><th>kind</th><th>symbol</th><th>report line</th></tr></thead>\n"
           "<tbody>\n";
    for (const ReportedGoods& r : p.reported)
      out += "<tr>" + Cell(r.kind) + Cell(r.symbol) + "<td><code>" + Escaped(r.line) + "</code></td></tr>\n";
    out += "</tbody>\n</table>\n";
  }

  out += "<h2>The plug-in's summary</h2>\n";
  out += p.summary.empty() ? std::string("<p>The plug-in showed no summary.</p>\n")
                           : "<pre>" + Escaped(p.summary) + "</pre>\n";
  return out + "</body>\n</html>\n";
}

}  // namespace hostsim::preview
