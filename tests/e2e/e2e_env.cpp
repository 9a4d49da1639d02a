#include "e2e_env.h"

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "wide_text.h"

namespace marquill::e2e {
namespace {

RECT PrimaryWorkArea() {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
  return info.rcWork;
}

void SetPrimaryWorkArea(const RECT& area) {
  std::wstring command = L"xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA " +
                         std::to_wstring(area.left) + L"," + std::to_wstring(area.top) + L"," +
                         std::to_wstring(area.right - area.left) + L"," +
                         std::to_wstring(area.bottom - area.top);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(Wide(RequiredEnv("MARQUILL_E2E_XPROP")).c_str(), command.data(), nullptr,
                      nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
    throw DriverError("cannot start xprop (error " + std::to_string(GetLastError()) + ")");
  // Wine gives no handle to a Unix program: wait for its effect instead.
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode);
  WaitUntil(
      [&] {
        ChangeDisplaySettingsExW(nullptr, &mode, nullptr, CDS_RESET, nullptr);
        const RECT now = PrimaryWorkArea();
        return EqualRect(&area, &now) != FALSE;
      },
      "the new work area");
}

}  // namespace

std::string RequiredEnv(const char* name) {
  const char* value = std::getenv(name);
  if (!value || !*value) throw DriverError(std::string(name) + " is not set (see run_e2e.sh)");
  return value;
}

std::string ProgramFolder() { return RequiredEnv("MARQUILL_E2E_PROGRAM_DIR"); }

std::string ProgramFolderWithBlank() { return RequiredEnv("MARQUILL_E2E_PROGRAM_DIR_BLANK"); }

std::string SystemFolder() {
  wchar_t path[MAX_PATH];
  const UINT length = GetSystemDirectoryW(path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) throw DriverError("GetSystemDirectory failed");
  return Utf8(std::wstring(path, length));
}

std::string FreshScratchPath(const std::string& name) {
  const std::string path = RequiredEnv("MARQUILL_E2E_SCRATCH_DIR") + "\\" + name;
  std::error_code error;
  std::filesystem::remove_all(std::filesystem::path(Wide(path)), error);
  if (error) throw DriverError("cannot clear " + path + ": " + error.message());
  return path;
}

void MakeProgramFolder(const std::string& folder, const std::vector<std::string>& files) {
  if (!CreateDirectoryW(Wide(folder).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
    throw DriverError("cannot create " + folder);
  for (const auto& file : files) {
    const std::string from = ProgramFolder() + "\\" + file;
    if (!CopyFileW(Wide(from).c_str(), Wide(folder + "\\" + file).c_str(), FALSE))
      throw DriverError("cannot copy " + from + " to " + folder);
  }
}

std::vector<Invocation> ReadInvocations(const std::string& recordFile) {
  std::vector<Invocation> invocations;
  std::ifstream in(std::filesystem::path(Wide(recordFile)), std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    // A line still being written has no end yet: it is read next time.
    if (in.eof()) break;
    auto invocation = ParseJsonLine(line);
    if (!invocation) throw DriverError("a bad line in " + recordFile + ": " + line);
    invocations.push_back(*invocation);
  }
  return invocations;
}

std::vector<Invocation> WaitForInvocations(const std::string& recordFile, size_t count,
                                           Timeout timeout) {
  std::vector<Invocation> invocations;
  WaitUntil(
      [&] {
        invocations = ReadInvocations(recordFile);
        return invocations.size() >= count;
      },
      std::to_string(count) + " start(s) recorded in " + recordFile, timeout);
  return invocations;
}

WorkArea::WorkArea(const RECT& area) : before_(PrimaryWorkArea()) { SetPrimaryWorkArea(area); }

WorkArea::~WorkArea() {
  try {
    SetPrimaryWorkArea(before_);
  } catch (const DriverError&) {
    // The later tests then see the smaller area and say so.
  }
}

}  // namespace marquill::e2e
