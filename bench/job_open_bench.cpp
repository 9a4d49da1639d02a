// The time to open a job of 1,000 exclusion values, as a ratio to start-up:
// marquill.exe started alone and started with such a job named on its command
// line, alternately in one session. Alone, the time runs to the main window
// shown; with the job, to the main window shown with the job's name in its
// caption, which it takes once the job is read and shown in the Options
// dialog. The difference of the medians is the job's opening.
//
//   job_open_bench.exe <marquill.exe> [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "driver.h"

namespace {

using namespace marquill::bench;
using namespace marquill::e2e;

constexpr int kExclusions = 1000;
constexpr char kTitle[] = "Marquill 1.0";
constexpr char kJobTitle[] = "bench.rcj - Marquill 1.0";

// A job laid out as the engine writes them, beside marquill.exe.
std::string WriteJob(const std::string& marquill) {
  const std::string path = marquill.substr(0, marquill.find_last_of('\\') + 1) + "bench.rcj";
  std::ofstream file(path, std::ios::binary);
  file << "::\r\n:: Robocopy Job\r\n::\r\n\t/SD:C:\\Data\\\r\n\t/DD:D:\\Backup\\\r\n\t/XF\r\n";
  for (int n = 0; n < kExclusions; ++n) file << "\t\texcluded-" << n << ".tmp\r\n";
  file << "\t/S\r\n\t/R:3\r\n";
  if (!file) throw DriverError("cannot write " + path);
  return path;
}

double MillisToMainWindow(const std::string& exe, const std::vector<std::string>& args,
                          const std::string& title) {
  const Process process = Process::Start(exe, args);
  HWND main = nullptr;
  WaitUntil([&] { return (main = FindTopWindow(process.Id(), title)) && IsShown(main); },
            "\"" + title + "\" shown", 30s);
  const double millis = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                                  process.StartedAt())
                            .count();
  CloseAndWait(process, main, exe);
  return millis;
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasArguments(argc, argv, 1, "<marquill.exe> [runs]")) return 2;
  const std::string marquill = argv[1];
  const int runs = RunsArgument(argc, argv, 2, 10);
  std::vector<double> alone, withJob;
  try {
    const std::string job = WriteJob(marquill);
    // One warm-up each, so the first run does not pay for loading Wine's DLLs.
    MillisToMainWindow(marquill, {}, kTitle);
    MillisToMainWindow(marquill, {job}, kJobTitle);
    for (int run = 0; run < runs; ++run) {
      alone.push_back(MillisToMainWindow(marquill, {}, kTitle));
      withJob.push_back(MillisToMainWindow(marquill, {job}, kJobTitle));
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench failed: %s\n", error.what());
    return 1;
  }
  const double startup = Median(alone);
  const double opened = Median(withJob);
  std::printf("start-up to main window shown, median of %d runs each:\n", runs);
  std::printf("  marquill.exe alone                  %8.1f ms\n", startup);
  std::printf("  with a job of %d exclusion values %8.1f ms\n", kExclusions, opened);
  std::printf("  opening the job: %.1f ms, ratio to start-up: %.2f\n", opened - startup,
              (opened - startup) / startup);
  return 0;
}
