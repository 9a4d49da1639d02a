// A preview of a listing of a million lines (about 80 MB of text) from the
// recording stand-in engine, once in the OEM code page and once in UTF-16:
// marquill.exe's time from the Preview button to the final summary, as a ratio
// to the same engine writing the same bytes into a pipe that is only drained;
// marquill.exe's peak working set against the listing's size; and the
// slowest answer of its main window to WM_NULL meanwhile. Medians of `runs`
// runs of each, alternated in one session.
//
//   preview_bench.exe <marquill.exe> [runs]
//
// The recording stand-in engine (tests/e2e's robocopy.exe) must lie beside
// marquill.exe.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_support.h"
#include "driver.h"
#include "wide_text.h"

namespace {

using namespace marquill::bench;
using namespace marquill::e2e;
using Clock = std::chrono::steady_clock;

constexpr int kLines = 1000000;

double MillisSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A listing as the engine prints it, each line about 80 characters; the size
// of its text.
size_t WriteListing(const std::wstring& path, bool utf16) {
  std::string text;
  char line[128];
  for (int i = 0; i < kLines; ++i) {
    const int length = std::snprintf(
        line, sizeof line, "\t%s\t\t  %9d\tC:\\Data\\Quarterly Reports %04d\\file %07d.txt\r\n",
        i % 10 ? "    New File  " : "*EXTRA File ", i * 7, i / 1000, i);
    text.append(line, static_cast<size_t>(length));
  }
  std::string bytes = text;
  if (utf16) {
    bytes = "\xFF\xFE";
    for (char c : text) bytes += {c, '\0'};
  }
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  if (!ok || written != bytes.size()) throw DriverError("cannot write the listing");
  return text.size();
}

// The engine alone, its output into a pipe that is only drained, read as
// marquill.exe reads it (a 1 MB pipe, 1 MB reads): the time until the pipe
// has ended and the engine with it.
double DrainedEngine(const std::string& engine) {
  constexpr DWORD kSize = 1 << 20;
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  CreatePipe(&read, &write, &inheritable, kSize);
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = write;
  std::wstring line = L"\"" + Wide(engine) + L"\" C:\\Data D:\\Backup /L";
  PROCESS_INFORMATION process{};
  const auto start = Clock::now();
  if (!CreateProcessW(Wide(engine).c_str(), line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                      nullptr, nullptr, &startup, &process))
    throw DriverError("cannot start " + engine);
  CloseHandle(write);
  std::vector<char> buffer(kSize);
  DWORD got = 0;
  while (ReadFile(read, buffer.data(), kSize, &got, nullptr)) {
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  const double millis = MillisSince(start);
  CloseHandle(read);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return millis;
}

double PeakWorkingSetBytes(const Process& process) {
  HANDLE handle =
      OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, process.Id());
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  const BOOL read = handle && GetProcessMemoryInfo(handle, &counters, sizeof counters);
  if (handle) CloseHandle(handle);
  if (!read) throw DriverError("the system reports no working set for marquill.exe");
  return static_cast<double>(counters.PeakWorkingSetSize);
}

// Asks the main window for WM_NULL again and again; the slowest answer.
struct Prober {
  HWND window;
  std::atomic<bool> stop{false};
  double slowest = 0;

  static DWORD WINAPI Run(void* self) {
    auto& prober = *static_cast<Prober*>(self);
    while (!prober.stop) {
      const auto start = Clock::now();
      DWORD_PTR result = 0;
      SendMessageTimeoutW(prober.window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
      prober.slowest = std::max(prober.slowest, MillisSince(start));
      Sleep(5);
    }
    return 0;
  }
};

struct PreviewRun {
  double millis;
  double peakBytes;
  double slowestAnswer;
};

PreviewRun Preview(const std::string& marquill) {
  const Process program = Process::Start(marquill);
  const HWND main = WaitForTopWindow(program, "Marquill 1.0");
  const std::vector<HWND> fields = ChildrenOf(main, "Edit");
  SetText(fields.at(0), "C:\\Data\\");
  SetText(fields.at(1), "D:\\Backup\\");
  Prober prober{main};
  HANDLE thread = CreateThread(nullptr, 0, &Prober::Run, &prober, 0, nullptr);
  // The button's command as its click sends it, without waiting for the
  // window to come to the front first.
  const HWND button = FindChild(main, "Button", "&Preview");
  const auto start = Clock::now();
  PostMessageW(main, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
  const HWND preview = WaitForTopWindow(program, "Preview", {}, 60s);
  const HWND summary = ChildrenOf(preview, "Static").at(0);
  while (GetText(summary).rfind("Listed at ", 0) != 0) {
    if (MillisSince(start) > 300000) throw DriverError("no final summary");
    Sleep(1);
  }
  const double millis = MillisSince(start);
  prober.stop = true;
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  const double peak = PeakWorkingSetBytes(program);
  CloseAndWait(program, main, "marquill.exe");
  return {millis, peak, prober.slowest};
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasArguments(argc, argv, 1, "<marquill.exe> [runs]")) return 2;
  const std::string marquill = argv[1];
  const int runs = RunsArgument(argc, argv, 2, 3);
  const std::string engine = marquill.substr(0, marquill.find_last_of('\\') + 1) + "robocopy.exe";
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring listing = std::wstring(temp) + L"marquill-preview-bench.txt";
  // The engine marquill.exe starts inherits these.
  SetEnvironmentVariableW(L"MARQUILL_ENGINE_OUTPUT", listing.c_str());
  SetEnvironmentVariableW(L"MARQUILL_ENGINE_RECORD",
                          (std::wstring(temp) + L"marquill-preview-bench.jsonl").c_str());
  try {
    for (const bool utf16 : {false, true}) {
      const double size = static_cast<double>(WriteListing(listing, utf16));
      std::vector<double> drained, previews, peaks, answers;
      for (int run = 0; run < runs; ++run) {
        drained.push_back(DrainedEngine(engine));
        const PreviewRun preview = Preview(marquill);
        previews.push_back(preview.millis);
        peaks.push_back(preview.peakBytes);
        answers.push_back(preview.slowestAnswer);
      }
      const double mb = 1024.0 * 1024.0;
      std::printf("preview of %d lines, %.1f MB of text in %s, median of %d runs:\n", kLines,
                  size / mb,
                  utf16 ? "UTF-16 (twice the bytes through the pipe)" : "the OEM code page", runs);
      std::printf("  Preview to the final summary  %8.0f ms\n", Median(previews));
      std::printf("  the engine into a drained pipe %7.0f ms\n", Median(drained));
      std::printf("  ratio                          %7.2f (goal at most 1.5)\n",
                  Median(previews) / Median(drained));
      std::printf(
          "  peak working set               %7.1f MB, %.2f times the text (goal at most 2)\n",
          Median(peaks) / mb, Median(peaks) / size);
      std::printf(
          "  slowest answer to WM_NULL      %7.1f ms (goal under 100), %.1f ms in the worst run\n",
          Median(answers), *std::max_element(answers.begin(), answers.end()));
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench failed: %s\n", error.what());
    DeleteFileW(listing.c_str());
    return 1;
  }
  DeleteFileW(listing.c_str());
  return 0;
}
