// Start-up time to the main window shown: marquill.exe against the minimal
// window program, run alternately in one session, reported as medians and
// their ratio, with the size of marquill.exe. Where the time goes: the minimal
// window again with what marquill's main window shows added step by step (the
// common controls, a menu bar, its controls), each as a ratio to the plain
// one. In the same marquill runs, the time from the Tools > Options command
// to the Options dialog shown (its first load, and a load again after the
// close box unloaded it), as ratios to marquill's own start-up.
//
//   startup_bench.exe <marquill.exe> <minimal_window.exe> [runs]
//   startup_bench.exe --trace <marquill.exe> [runs]
//
// With --trace it only starts marquill.exe, runs times, with Wine's trace of
// timestamps, DLL loads and (as the registry's Relay settings choose) calls
// on; the trace goes to this program's standard error, startup_trace.py reads
// it. Each run is held until the window has been painted and its drops set up.
//
// The menu command is looked up through the probe DLL, which must lie beside
// this program (or be named by MARQUILL_E2E_PROBE_DLL).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "bench_support.h"
#include "driver.h"

namespace {

using namespace marquill::bench;

using namespace marquill::e2e;
using Clock = std::chrono::steady_clock;

struct Subject {
  std::string exe;
  std::string title;
  std::vector<std::string> args;
  std::vector<double> millis;
};

// What the minimal window adds at each step (its argument).
constexpr const char* kSteps[] = {"+ the common controls loaded", "+ a menu bar",
                                  "+ ten controls, message font"};

// What one marquill run measured.
struct MarquillTimes {
  double startup;
  double firstOpen;
  double reopen;
};

double MillisSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Polls as tightly as is fair to the programs measured.
HWND WaitShown(const Process& process, const std::string& title, Clock::time_point start) {
  HWND window = nullptr;
  while (!(window = FindTopWindow(process.Id(), title)) || !IsShown(window)) {
    if (Clock::now() > start + 30s || !process.Running())
      throw DriverError("no window \"" + title + "\" shown");
    Sleep(1);
  }
  return window;
}

double MillisToShownWindow(const Subject& subject,
                           const std::map<std::string, std::string>& environment = {},
                           DWORD hold = 0) {
  Process process = Process::Start(subject.exe, subject.args, environment);
  const HWND window = WaitShown(process, subject.title, process.StartedAt());
  const double millis = MillisSince(process.StartedAt());
  Sleep(hold);
  CloseAndWait(process, window, subject.exe);
  return millis;
}

// marquill.exe started `runs` times under Wine's trace (see the top).
int Trace(const std::string& exe, int runs) {
  const Subject marquill{exe, "Marquill 1.0", {}, {}};
  const std::map<std::string, std::string> trace{{"WINEDEBUG", "+timestamp,+pid,+loaddll,+relay"}};
  try {
    MillisToShownWindow(marquill);  // the warm-up, untraced
    for (int run = 0; run < runs; ++run) MillisToShownWindow(marquill, trace, 1000);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "trace failed: %s\n", error.what());
    return 1;
  }
  return 0;
}

// From the menu command posted, as a click on the item posts it, to the
// dialog shown and answering again: a window turns visible in the middle of
// being shown, and the handler is done only once its thread reads messages.
double MillisToOptionsShown(const Process& process, HWND main, UINT command) {
  Activate(main);
  const auto start = Clock::now();
  if (!PostMessageW(main, WM_COMMAND, MAKEWPARAM(command, 0), 0))
    throw DriverError("cannot post the Options command");
  const HWND options = WaitShown(process, "Options", start);
  DWORD_PTR ignored = 0;
  if (!SendMessageTimeoutW(options, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 30000, &ignored))
    throw DriverError("the Options dialog does not answer");
  return MillisSince(start);
}

// One marquill run: its start-up, then the Options dialog opened, closed by
// its close box (which unloads it) and opened again.
MarquillTimes MeasureMarquill(const Subject& marquill) {
  Process process = Process::Start(marquill.exe);
  const HWND main = WaitShown(process, marquill.title, process.StartedAt());
  const double startup = MillisSince(process.StartedAt());
  const UINT command = MenuCommandId(main, {"Tools", "Options"});
  const double firstOpen = MillisToOptionsShown(process, main, command);
  Close(FindTopWindow(process.Id(), "Options"));
  WaitUntil([&] { return FindTopWindow(process.Id(), "Options") == nullptr; },
            "the Options dialog unloaded");
  const double reopen = MillisToOptionsShown(process, main, command);
  CloseAndWait(process, main, marquill.exe);
  return {startup, firstOpen, reopen};
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
    std::fprintf(stderr,
                 "usage: %s <marquill.exe> <minimal_window.exe> [runs]\n"
                 "       %s --trace <marquill.exe> [runs]\n",
                 argv[0], argv[0]);
    return 2;
  }
  const int runs = RunsArgument(argc, argv, 3, 10);
  if (std::string(argv[1]) == "--trace") return Trace(argv[2], runs);
  Subject marquill{argv[1], "Marquill 1.0", {}, {}};
  Subject minimal{argv[2], "Minimal Window", {}, {}};
  std::vector<Subject> steps;
  for (size_t step = 1; step <= std::size(kSteps); ++step)
    steps.push_back({argv[2], "Minimal Window", {std::to_string(step)}, {}});
  std::vector<double> firstOpen, reopen;
  try {
    // One warm-up each, so the first run does not pay for loading Wine's DLLs.
    MeasureMarquill(marquill);
    MillisToShownWindow(minimal);
    for (int run = 0; run < runs; ++run) {
      const MarquillTimes times = MeasureMarquill(marquill);
      marquill.millis.push_back(times.startup);
      firstOpen.push_back(times.firstOpen);
      reopen.push_back(times.reopen);
      minimal.millis.push_back(MillisToShownWindow(minimal));
      for (Subject& step : steps) step.millis.push_back(MillisToShownWindow(step));
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench failed: %s\n", error.what());
    return 1;
  }
  const double marquillMedian = Median(marquill.millis);
  const double minimalMedian = Median(minimal.millis);
  const double firstOpenMedian = Median(firstOpen);
  const double reopenMedian = Median(reopen);
  std::printf("start-up to main window shown, median of %d runs each:\n", runs);
  std::printf("  marquill.exe        %8.1f ms\n", marquillMedian);
  std::printf("  minimal_window.exe  %8.1f ms\n", minimalMedian);
  std::printf("  ratio marquill/minimal: %.2f\n", marquillMedian / minimalMedian);
  std::printf("the minimal window with what marquill's main window shows, step by step:\n");
  for (size_t step = 0; step < steps.size(); ++step) {
    const double median = Median(steps[step].millis);
    std::printf("  %-32s %8.1f ms  ratio to minimal %.2f\n", kSteps[step], median,
                median / minimalMedian);
  }
  std::printf("Tools > Options to the dialog shown, median of %d runs:\n", runs);
  std::printf("  first open          %8.1f ms\n", firstOpenMedian);
  std::printf("  open after unload   %8.1f ms\n", reopenMedian);
  std::printf("  ratio first open/marquill start-up: %.2f\n", firstOpenMedian / marquillMedian);
  std::printf("  ratio open after unload/marquill start-up: %.2f\n", reopenMedian / marquillMedian);
  std::printf("marquill.exe size: %lld KB\n", FileSizeKb(marquill.exe));
  return 0;
}
