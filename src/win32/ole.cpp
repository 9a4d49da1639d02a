// OLE on the interface thread.
#include "win32/ole.h"

#include <windows.h>

#include "win32/system_function.h"

namespace marquill::win32 {
namespace {

bool started = false;

}  // namespace

bool StartOle() {
  using InitializeFn = HRESULT(WINAPI*)(LPVOID);
  if (!started) {
    auto initialize = SystemFunction<InitializeFn>(L"ole32.dll", "OleInitialize");
    started = initialize && SUCCEEDED(initialize(nullptr));
  }
  return started;
}

bool OleStarted() { return started; }

}  // namespace marquill::win32
