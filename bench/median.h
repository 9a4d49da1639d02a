#pragma once

#include <algorithm>
#include <vector>

namespace marquill::bench {

// The middle of the measured values: robust to the odd slow run under Wine.
inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t mid = values.size() / 2;
  return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

}  // namespace marquill::bench
