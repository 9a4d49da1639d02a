// Stands in for the copy engine in the program folder: records its command
// line and copies nothing. A test may choose its exit code
// (MARQUILL_ENGINE_EXIT_CODE, decimal or 0x hex), when it ends (with
// MARQUILL_ENGINE_HOLD naming an event, not before the test sets it), and
// what it prints before it ends: the bytes of the file MARQUILL_ENGINE_OUTPUT
// names, as they are (UTF-16 or OEM text), on its standard output.
#include <windows.h>

#include <cwchar>

#include "fake_program.h"

namespace {

void PrintFileNamedBy(const wchar_t* variable) {
  wchar_t path[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(variable, path, MAX_PATH)) return;
  HANDLE file =
      CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  static char buffer[1 << 16];
  const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD got = 0, written = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0 &&
         WriteFile(output, buffer, got, &written, nullptr)) {
  }
  CloseHandle(file);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const int recorded =
      marquill::e2e::RecordThisInvocation(L"MARQUILL_ENGINE_RECORD", L"robocopy-record.jsonl");
  PrintFileNamedBy(L"MARQUILL_ENGINE_OUTPUT");
  wchar_t hold[256] = {}, code[32] = {};
  GetEnvironmentVariableW(L"MARQUILL_ENGINE_HOLD", hold, 256);
  // A test that never lets go must not leave engines behind for long.
  if (HANDLE event = *hold ? OpenEventW(SYNCHRONIZE, FALSE, hold) : nullptr) {
    WaitForSingleObject(event, 60000);
    CloseHandle(event);
  }
  if (recorded != 0 || !GetEnvironmentVariableW(L"MARQUILL_ENGINE_EXIT_CODE", code, 32))
    return recorded;
  return static_cast<int>(std::wcstoul(code, nullptr, 0));
}
