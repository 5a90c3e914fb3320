#include "hostsim/preview/histogram.h"

#include <cmath>

namespace hostsim::preview {

std::vector<HistogramClass> Histogram(const std::vector<GoodsChange>& all) {
  std::vector<HistogramClass> classes = {
      {"< −50 %", 0},  {"−50…−20", 0}, {"−20…−10", 0}, {"−10…−5", 0}, {"−5…0", 0},     {"±0", 0},
      {"0…5", 0},      {"5…10", 0},    {"10…20", 0},   {"20…50", 0},  {"> 50 %", 0},
  };
  // The bounds between the classes below and above "0".
  constexpr double Lower[] = {-50, -20, -10, -5};  // a change >= bound is in a later class
  constexpr double Upper[] = {5, 10, 20, 50};      // a change <= bound is in this class
  for (const GoodsChange& g : all) {
    if (!g.changed) continue;
    double p = g.percent ? *g.percent : HUGE_VAL;
    std::size_t c;
    if (std::fabs(p) < 1e-9) {
      c = 5;
    } else if (p < 0) {
      c = 0;
      while (c < 4 && p >= Lower[c]) ++c;
    } else {
      c = 6;
      while (c < 10 && p > Upper[c - 6]) ++c;
    }
    ++classes[c].count;
  }
  return classes;
}

}  // namespace hostsim::preview
