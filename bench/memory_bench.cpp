// Peak working set of marquill.exe once every window has been opened (main,
// Options, both date pickers, About), against that of the minimal window
// program, reported as medians and their ratio.
//
//   memory_bench.exe <marquill.exe> <minimal_window.exe> [runs]
//
// The menu commands are looked up through the probe DLL, which must lie
// beside this program (or be named by MARQUILL_E2E_PROBE_DLL).
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_support.h"
#include "driver.h"

namespace {

using namespace marquill::bench;

using namespace marquill::e2e;

constexpr char kMainTitle[] = "Marquill 1.0";

double PeakWorkingSetKb(const Process& process) {
  HANDLE handle =
      OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, process.Id());
  if (!handle) throw DriverError("cannot open the process to read its memory");
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  const BOOL read = GetProcessMemoryInfo(handle, &counters, sizeof counters);
  CloseHandle(handle);
  if (!read || counters.PeakWorkingSetSize == 0)
    throw DriverError("the system reports no working set for the process");
  return static_cast<double>(counters.PeakWorkingSetSize) / 1024.0;
}

// Waits until the program's interface thread is back at its message loop.
void WaitUntilIdle(HWND window) { GetText(window); }

double MarquillWithEveryWindowKb(const std::string& exe) {
  Process process = Process::Start(exe);
  const HWND main = WaitForTopWindow(process, kMainTitle);
  ChooseMenu(main, {"Tools", "Options"});
  const HWND options = WaitForTopWindow(process, "Options");
  Click(FindChild(options, "Button", "Exclude Files Older than:"));
  WaitForTopWindow(process, "Files older than this date will be excluded");
  Click(FindChild(options, "Button", "Exclude Files Newer Than:"));
  WaitForTopWindow(process, "Files newer than this date will be excluded");
  ChooseMenu(main, {"Help", "&About"});
  WaitForTopWindow(process, "About Marquill");
  WaitUntilIdle(main);
  const double kb = PeakWorkingSetKb(process);
  CloseAndWait(process, main, exe);
  return kb;
}

double MinimalWindowKb(const std::string& exe) {
  Process process = Process::Start(exe);
  const HWND window = WaitForTopWindow(process, "Minimal Window");
  WaitUntilIdle(window);
  const double kb = PeakWorkingSetKb(process);
  CloseAndWait(process, window, exe);
  return kb;
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasArguments(argc, argv, 2, "<marquill.exe> <minimal_window.exe> [runs]")) return 2;
  const int runs = RunsArgument(argc, argv, 3, 5);
  std::vector<double> marquill;
  std::vector<double> minimal;
  try {
    for (int run = 0; run < runs; ++run) {
      marquill.push_back(MarquillWithEveryWindowKb(argv[1]));
      minimal.push_back(MinimalWindowKb(argv[2]));
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench failed: %s\n", error.what());
    return 1;
  }
  const double marquillKb = Median(marquill);
  const double minimalKb = Median(minimal);
  std::printf("peak working set, median of %d runs each:\n", runs);
  std::printf("  marquill.exe, every window opened  %9.0f KB\n", marquillKb);
  std::printf("  minimal_window.exe                 %9.0f KB\n", minimalKb);
  std::printf("  ratio marquill/minimal: %.2f\n", marquillKb / minimalKb);
  return 0;
}
