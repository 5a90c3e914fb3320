// A preview: what a run on a copy of the data folder did, shown as text at the
// console, as CSV for a spreadsheet and as one self-contained HTML page.
#pragma once
#include <string>
#include <vector>

#include "hostsim/preview/goods_changes.h"
#include "hostsim/preview/reported_goods.h"

namespace hostsim::preview {

struct Preview {
  std::string dataFolder;     // the folder left as it was, as the person named it
  std::string scratchFolder;  // where the run went
  double warnPercent;         // the threshold the big-change warnings used
  std::vector<GoodsChange> goods;       // every record of every goods file compared
  std::vector<ReportedGoods> reported;  // the report files' lines
  std::string summary;  // the summary the plug-in showed (UTF-8, lines); empty: none
  std::vector<std::string> runWarnings;  // of the run as a whole (run_warnings.h), UTF-8
};

// The warnings of the run and of every goods record.
std::size_t PreviewWarningCount(const Preview& p);

// The console's lines (UTF-8, no line ends, in Polish as the shop reads them): the
// changed goods, biggest change first, the reported goods, the warnings (the run's
// first), the summary.
std::vector<std::string> PreviewLines(const Preview& p);

// preview.csv as a Polish spreadsheet opens it: a header in Polish and one row per
// goods record in file order (warehouse, record, symbol, names, prices with two
// decimals, change in per cent with one, changed tak/nie, warnings joined by "; "),
// fields separated by semicolons, numbers with a decimal comma, CR LF, UTF-8 with a
// byte-order mark; a field with a semicolon, quote or line end quoted.
std::string PreviewCsv(const Preview& p);

// preview.html: one page in Polish, UTF-8, no script, no outside reference: the
// warnings, the histogram of the relative changes (inline SVG, one bar per class), the
// changed goods, the reported goods and the summary. Well-formed as XML as well.
std::string PreviewHtml(const Preview& p);

// A price with two decimals; a per cent change with one and its sign, or "nowa" for a
// price up from zero; both with a decimal comma.
std::string Money(double v);
std::string ChangeText(const GoodsChange& g);

// v with that many decimals after a decimal comma, with its sign when withSign (+ for
// growth); a zero never shows a minus.
std::string DecimalText(double v, int decimals, bool withSign);

// A threshold in per cent as short as it goes ("50", "12,5").
std::string ThresholdText(double v);

}  // namespace hostsim::preview
