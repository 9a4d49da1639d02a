// What the benchmark programs share: medians, the count of runs asked for,
// and ending a program they started.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "driver.h"

namespace marquill::bench {

// The middle of the measured values: robust to the odd slow run under Wine.
inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t mid = values.size() / 2;
  return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// Whether the program was given at least `needed` arguments; otherwise how
// to call it (`arguments` names them) goes to standard error.
inline bool HasArguments(int argc, char** argv, int needed, const char* arguments) {
  if (argc > needed) return true;
  std::fprintf(stderr, "usage: %s %s\n", argv[0], arguments);
  return false;
}

// The number of runs given as argument `at`, or `fallback` when none is.
inline int RunsArgument(int argc, char** argv, int at, int fallback) {
  return argc > at ? std::max(1, std::atoi(argv[at])) : fallback;
}

// Closes `main` as its close box would and waits for the program to end.
inline void CloseAndWait(const e2e::Process& process, HWND main, const std::string& exe) {
  e2e::Close(main);
  if (!process.WaitForExit()) throw e2e::DriverError(exe + " did not end on WM_CLOSE");
}

}  // namespace marquill::bench
