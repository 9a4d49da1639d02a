// Stands in for the copy engine in the program folder: records its command
// line and copies nothing. A test may choose its exit code
// (MARQUILL_ENGINE_EXIT_CODE, decimal or 0x hex) and when it ends: with
// MARQUILL_ENGINE_HOLD naming an event, not before the test sets it.
#include <windows.h>

#include <cwchar>
#include <string>

#include "fake_program.h"

namespace {

std::wstring Variable(const wchar_t* name) {
  wchar_t value[256];
  const DWORD length = GetEnvironmentVariableW(name, value, 256);
  return length > 0 && length < 256 ? std::wstring(value, length) : std::wstring();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const int recorded =
      marquill::e2e::RecordThisInvocation(L"MARQUILL_ENGINE_RECORD", L"robocopy-record.jsonl");
  const std::wstring hold = Variable(L"MARQUILL_ENGINE_HOLD");
  if (!hold.empty()) {
    if (HANDLE event = OpenEventW(SYNCHRONIZE, FALSE, hold.c_str())) {
      // A test that never lets go must not leave engines behind for long.
      WaitForSingleObject(event, 60000);
      CloseHandle(event);
    }
  }
  const std::wstring code = Variable(L"MARQUILL_ENGINE_EXIT_CODE");
  if (recorded != 0 || code.empty()) return recorded;
  return static_cast<int>(std::wcstoul(code.c_str(), nullptr, 0));
}
