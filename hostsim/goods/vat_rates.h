// The host's VAT table as it is by default, code -> rate (0.23 for 23%).
#pragma once
#include <map>

namespace hostsim {

// 1: 23%, 2: 8%, 3: 5%, 4: 0%.
inline const std::map<int, double> DefaultVatRates = {{1, 0.23}, {2, 0.08}, {3, 0.05}, {4, 0.0}};

}  // namespace hostsim
