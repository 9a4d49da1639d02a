// Start-up time to the main window shown: marquill.exe against the minimal
// window program, run alternately in one session, reported as medians and
// their ratio, with the size of marquill.exe.
//
//   startup_bench.exe <marquill.exe> <minimal_window.exe> [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "driver.h"

namespace {

using namespace marquill::e2e;
using Clock = std::chrono::steady_clock;

struct Subject {
  std::string exe;
  std::string title;
  std::vector<double> millis;
};

// Polls as tightly as is fair to the programs measured.
double MillisToShownWindow(const Subject& subject) {
  Process process = Process::Start(subject.exe);
  HWND window = nullptr;
  const auto deadline = process.StartedAt() + 30s;
  while (!(window = FindTopWindow(process.Id(), subject.title)) || !IsShown(window)) {
    if (Clock::now() > deadline || !process.Running())
      throw DriverError("no window \"" + subject.title + "\" from " + subject.exe);
    Sleep(1);
  }
  const double millis =
      std::chrono::duration<double, std::milli>(Clock::now() - process.StartedAt()).count();
  Close(window);
  if (!process.WaitForExit()) throw DriverError(subject.exe + " did not end on WM_CLOSE");
  return millis;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t mid = values.size() / 2;
  return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

long long FileSizeKb(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  const unsigned long long bytes =
      (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return static_cast<long long>((bytes + 1023) / 1024);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <marquill.exe> <minimal_window.exe> [runs]\n", argv[0]);
    return 2;
  }
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 10;
  Subject marquill{argv[1], "Marquill 1.0", {}};
  Subject minimal{argv[2], "Minimal Window", {}};
  try {
    // One warm-up each, so the first run does not pay for loading Wine's DLLs.
    MillisToShownWindow(marquill);
    MillisToShownWindow(minimal);
    for (int run = 0; run < runs; ++run) {
      marquill.millis.push_back(MillisToShownWindow(marquill));
      minimal.millis.push_back(MillisToShownWindow(minimal));
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench failed: %s\n", error.what());
    return 1;
  }
  const double marquillMedian = Median(marquill.millis);
  const double minimalMedian = Median(minimal.millis);
  std::printf("start-up to main window shown, median of %d runs each:\n", runs);
  std::printf("  marquill.exe        %8.1f ms\n", marquillMedian);
  std::printf("  minimal_window.exe  %8.1f ms\n", minimalMedian);
  std::printf("  ratio marquill/minimal: %.2f\n", marquillMedian / minimalMedian);
  std::printf("marquill.exe size: %lld KB\n", FileSizeKb(marquill.exe));
  return 0;
}
