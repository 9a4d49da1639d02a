// Stands in for the System Information tool the About box starts.
#include <windows.h>

#include "fake_program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return marquill::e2e::RecordThisInvocation(L"MARQUILL_SYSINFO_RECORD", L"msinfo32-record.jsonl");
}
