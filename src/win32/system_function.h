// System functions looked up when first needed.
#pragma once

#include <windows.h>

// A function of a system DLL, looked up when first needed: newer functions
// may be missing, and the shell and dialog DLLs are costly to load at start-up
// for windows most runs never open. Null when unavailable.
namespace marquill::win32 {

template <class Fn>
Fn SystemFunction(const wchar_t* module, const char* name) {
  HMODULE handle = GetModuleHandleW(module);
  if (!handle) handle = LoadLibraryExW(module, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  return handle ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(handle, name)))
                : nullptr;
}

}  // namespace marquill::win32
