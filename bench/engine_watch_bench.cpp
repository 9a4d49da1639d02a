// Watching engines: the CPU time marquill.exe uses over 10 s while an engine
// runs and nothing else happens (nothing polls, so the goal is 0 ms), and
// the median time from an engine's end to the status line showing it (the
// goal is under 100 ms).
//
//   engine_watch_bench.exe <marquill.exe> [runs]
//
// The recording stand-in engine (tests/e2e's robocopy.exe) must lie beside
// marquill.exe: it waits for this program's event before it ends.
#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "bench_support.h"
#include "driver.h"

namespace {

using namespace marquill::e2e;
using namespace marquill::bench;
using Clock = std::chrono::steady_clock;

constexpr wchar_t kHold[] = L"MarquillBenchHoldEngine";
constexpr Rect96 kStatusRect{32, 156, 249, 40};

double CpuMillis(const Process& process) {
  HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process.Id());
  FILETIME created, ended, kernel, user;
  const BOOL ok = handle && GetProcessTimes(handle, &created, &ended, &kernel, &user);
  if (handle) CloseHandle(handle);
  if (!ok) throw DriverError("GetProcessTimes failed");
  auto ticks = [](FILETIME t) { return (ULONGLONG{t.dwHighDateTime} << 32) | t.dwLowDateTime; };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

// The engine marquill.exe has just started: its child that is not in `seen`.
HANDLE NewEngine(const Process& marquill, std::set<DWORD>& seen) {
  HANDLE engine = nullptr;
  WaitUntil(
      [&] {
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32FirstW(snapshot, &entry); more && !engine;
             more = Process32NextW(snapshot, &entry))
          if (entry.th32ParentProcessID == marquill.Id() && seen.insert(entry.th32ProcessID).second)
            engine = OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID);
        CloseHandle(snapshot);
        return engine != nullptr;
      },
      "the engine started");
  return engine;
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasArguments(argc, argv, 1, "<marquill.exe> [runs]")) return 2;
  const int runs = RunsArgument(argc, argv, 2, 10);
  HANDLE hold = CreateEventW(nullptr, TRUE, FALSE, kHold);
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  try {
    const Process marquill =
        Process::Start(argv[1], {},
                       {{"MARQUILL_ENGINE_HOLD", "MarquillBenchHoldEngine"},
                        {"MARQUILL_ENGINE_RECORD", std::string(temp) + "engine-watch.jsonl"}});
    const HWND main = WaitForTopWindow(marquill, "Marquill 1.0");
    const HWND status = FindChildAt(main, "Edit", kStatusRect);
    const std::vector<HWND> fields = ChildrenOf(main, "Edit");
    SetText(fields.at(0), "C:\\Data\\");
    SetText(fields.at(1), "D:\\Backup\\");
    const HWND run = FindChild(main, "Button", "RoboCopy");
    std::set<DWORD> seen;
    std::vector<double> latencies;
    // The same 10 s with no engine, as the reference: what Wine itself costs.
    const double before = CpuMillis(marquill);
    Sleep(10000);
    const double referenceCpu = CpuMillis(marquill) - before;
    double idleCpu = -1;
    for (int i = 0; i < runs; ++i) {
      ResetEvent(hold);
      Click(run);
      PressMessageBoxButton(WaitForMessageBox(marquill, "Continue?"), IDOK);
      HANDLE engine = NewEngine(marquill, seen);
      WaitUntil([&] { return GetText(status).ends_with("1 copy running"); }, "the running line");
      if (idleCpu < 0) {
        const double before = CpuMillis(marquill);
        Sleep(10000);
        idleCpu = CpuMillis(marquill) - before;
      }
      const std::string running = GetText(status);
      SetEvent(hold);
      WaitForSingleObject(engine, INFINITE);
      const auto ended = Clock::now();
      while (GetText(status) == running) Sleep(1);
      latencies.push_back(std::chrono::duration<double, std::milli>(Clock::now() - ended).count());
      CloseHandle(engine);
    }
    Close(main);
    std::printf("marquill.exe watching one running engine for 10 s, nothing else happening:\n");
    std::printf("  CPU time used       %8.1f ms (goal 0)\n", idleCpu);
    std::printf("  with no engine      %8.1f ms (the same 10 s before the first run)\n",
                referenceCpu);
    std::printf("engine's end to the status line showing it, median of %d runs:\n", runs);
    std::printf("  latency             %8.1f ms (goal under 100)\n",
                marquill::bench::Median(latencies));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench failed: %s\n", error.what());
    return 1;
  }
  CloseHandle(hold);
  return 0;
}
