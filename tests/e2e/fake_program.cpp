#include "fake_program.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "invocation_record.h"
#include "wide_text.h"

namespace marquill::e2e {
namespace {

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring RecordPath(const wchar_t* recordVariable, const wchar_t* defaultName,
                        const std::wstring& modulePath) {
  const DWORD size = GetEnvironmentVariableW(recordVariable, nullptr, 0);
  if (size > 1) {
    std::wstring path(size, L'\0');
    path.resize(GetEnvironmentVariableW(recordVariable, path.data(), size));
    return path;
  }
  return modulePath.substr(0, modulePath.find_last_of(L'\\') + 1) + defaultName;
}

Invocation ThisInvocation(const std::wstring& modulePath) {
  Invocation invocation;
  const wchar_t* commandLine = GetCommandLineW();
  invocation.cmdline = Utf8(commandLine);
  int count = 0;
  if (LPWSTR* args = CommandLineToArgvW(commandLine, &count)) {
    for (int i = 0; i < count; ++i) invocation.argv.push_back(Utf8(args[i]));
    LocalFree(args);
  }
  invocation.exe = Utf8(modulePath);
  return invocation;
}

// Several copies may run at once: each appends its whole line with one write,
// retrying while another copy holds the file.
bool AppendLine(const std::wstring& path, const std::string& line) {
  for (int attempt = 0; attempt < 200; ++attempt) {
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      Sleep(10);
      continue;
    }
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == line.size();
  }
  return false;
}

}  // namespace

int RecordThisInvocation(const wchar_t* recordVariable, const wchar_t* defaultName) {
  const std::wstring modulePath = ModulePath();
  const bool recorded = AppendLine(RecordPath(recordVariable, defaultName, modulePath),
                                   ToJsonLine(ThisInvocation(modulePath)));
  return recorded ? 0 : 1;
}

}  // namespace marquill::e2e
