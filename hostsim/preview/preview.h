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
};

// The console's lines (UTF-8, no line ends): the changed goods, biggest change first,
// the reported goods, the warnings, the summary.
std::vector<std::string> PreviewLines(const Preview& p);

// preview.csv: a header and one row per goods record in file order (warehouse,
// record, symbol, names, prices with two decimals, change in per cent with one,
// changed yes/no, warnings joined by "; "), CR LF, UTF-8 with a byte-order mark so a
// spreadsheet reads the Polish letters; a field with a comma, quote or line end quoted.
std::string PreviewCsv(const Preview& p);

// preview.html: one page, no script, no outside reference: the warnings, the histogram
// of the relative changes (inline SVG, one bar per class), the changed goods, the
// reported goods and the summary. Well-formed as XML as well.
std::string PreviewHtml(const Preview& p);

// A price with two decimals; a per cent change with one and its sign, or "new" for a
// price up from zero.
std::string Money(double v);
std::string ChangeText(const GoodsChange& g);

}  // namespace hostsim::preview
