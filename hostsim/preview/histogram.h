// The relative changes of the changed records counted in classes, for the picture of
// a run: a shifted column or a missing decimal comma shows as a bar far out.
#pragma once
#include <string>
#include <vector>

#include "hostsim/preview/goods_changes.h"

namespace hostsim::preview {

// One class: its label (UTF-8) and how many changed records fall in it.
struct HistogramClass {
  std::string label;
  int count;
};

// Always the same eleven classes of the gross price's change, in order: below -50 %,
// -50 to -20, -20 to -10, -10 to -5, -5 to 0 (each lower bound included), ±0: no
// change of price (the name or another field alone changed), then above 0 to 5, 5 to 10, 10 to 20, 20 to 50 (each
// upper bound included), above 50 % (a price up from zero as well).
std::vector<HistogramClass> Histogram(const std::vector<GoodsChange>& all);

}  // namespace hostsim::preview
