// Stands in for the copy engine in the program folder: records its command
// line and copies nothing.
#include <windows.h>

#include "fake_program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return marquill::e2e::RecordThisInvocation(L"MARQUILL_ENGINE_RECORD", L"robocopy-record.jsonl");
}
