// OLE on the interface thread.
#include "win32/ole.h"

#include <windows.h>

#include <objbase.h>

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

bool StartCom() {
  using InitializeFn = HRESULT(WINAPI*)(LPVOID, DWORD);
  static bool comStarted = false;
  if (!comStarted) {
    auto initialize = SystemFunction<InitializeFn>(L"ole32.dll", "CoInitializeEx");
    // S_FALSE: OLE, or an earlier call, has started it already.
    comStarted = initialize && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
  }
  return comStarted;
}

}  // namespace marquill::win32
