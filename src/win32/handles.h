// Owners of the Win32 objects the backend creates.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

// Owners of the system objects the backend creates: each frees its object
// once, when it goes, and none can be copied.
namespace marquill::win32 {

struct FontDeleter {
  void operator()(HFONT font) const { DeleteObject(font); }
};
struct IconDeleter {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct MenuDeleter {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct AcceleratorDeleter {
  void operator()(HACCEL keys) const { DestroyAcceleratorTable(keys); }
};
struct WindowDeleter {
  void operator()(HWND window) const { DestroyWindow(window); }
};

struct HandleDeleter {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
// A wait registered with the thread pool; released, it first lets a callback
// under way finish.
struct WaitDeleter {
  void operator()(HANDLE wait) const { UnregisterWaitEx(wait, INVALID_HANDLE_VALUE); }
};

using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;
// A menu not yet given to a window; the window destroys the menus it has.
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;
using UniqueAccelerators = std::unique_ptr<std::remove_pointer_t<HACCEL>, AcceleratorDeleter>;
using UniqueHandle = std::unique_ptr<void, HandleDeleter>;
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;
using UniqueWait = std::unique_ptr<void, WaitDeleter>;

}  // namespace marquill::win32
