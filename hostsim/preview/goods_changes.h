// What a run did to a warehouse, record by record: the goods file before the run
// against the same file after it, with the warnings a person should look at twice.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace hostsim::preview {

enum WarningKind {
  WarnNotPositive,   // a changed price is zero or below afterwards
  WarnBigChange,     // the gross price moves beyond the threshold (or up from zero)
  WarnNameUnrelated  // the new name shares no word with the old one
};

// One warning about one goods record; text is what the person reads (UTF-8, Polish).
struct Warning {
  WarningKind kind;
  std::string text;
};

// One goods record before and after the run. Texts UTF-8, prices in currency units.
struct GoodsChange {
  int warehouse;
  int record;  // from 1, in file order
  std::string symbol;
  std::string oldName, newName;
  double oldNet, newNet, oldGross, newGross;
  bool changed;                    // any byte of the record differs
  std::optional<double> percent;   // change of the gross price in per cent; none when
                                   // it was 0 and is not any more
  std::vector<Warning> warnings;
};

// The records of a goods file before and after (769 bytes each; a trailing partial
// record is left out), one per record of before; a record that after lacks counts as
// unchanged. warnPercent: a change of more than this (either way) is warned of.
std::vector<GoodsChange> CompareGoodsFiles(const std::string& before, const std::string& after, int warehouse,
                                           double warnPercent);

// Whether two names (UTF-8) have a word in common: words are runs of letters and
// digits of two or more characters, compared without regard to letter case (Polish
// letters included).
bool NamesShareAWord(const std::string& a, const std::string& b);

// The changed records, the biggest change first: by the size of the per cent change
// (a change up from zero before all), then by warehouse and record.
std::vector<GoodsChange> ChangedBySize(const std::vector<GoodsChange>& all);

// The number of warnings over all records.
std::size_t WarningCount(const std::vector<GoodsChange>& all);

}  // namespace hostsim::preview
