// Stands in for the copy engine in the program folder: records its command
// line and copies nothing. A test may choose its exit code
// (MARQUILL_ENGINE_EXIT_CODE, decimal or 0x hex) and when it ends: with
// MARQUILL_ENGINE_HOLD naming an event, not before the test sets it.
#include <windows.h>

#include <cwchar>

#include "fake_program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const int recorded =
      marquill::e2e::RecordThisInvocation(L"MARQUILL_ENGINE_RECORD", L"robocopy-record.jsonl");
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
