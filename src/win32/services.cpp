// The system services on the Win32 API.
#include "win32/services.h"

#include <windows.h>

#include <shlobj.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "win32/backend.h"
#include "win32/ole.h"
#include "win32/system_function.h"
#include "win32/text.h"

namespace marquill::win32 {
namespace {

// The program's visible windows, so a message box can block all of them.
std::vector<HWND> EnabledFormWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM list) -> BOOL {
        if (FormWindow::IsFormWindow(hwnd) && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd))
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

struct CoTaskMemDeleter {
  void operator()(void* memory) const {
    using FreeFn = void(WINAPI*)(LPVOID);
    static auto free = SystemFunction<FreeFn>(L"ole32.dll", "CoTaskMemFree");
    if (free) free(memory);
  }
};

[[noreturn]] void Unavailable(const char* what) {
  throw std::runtime_error(std::string(what) + " is not available");
}

}  // namespace

MsgResult MessageBoxes::Show(const std::string& text, const std::string& title, MsgButtons buttons,
                             MsgIcon icon) {
  UINT flags = 0;
  switch (buttons) {
    case MsgButtons::Ok:
      flags = MB_OK;
      break;
    case MsgButtons::OkCancel:
      flags = MB_OKCANCEL;
      break;
    case MsgButtons::YesNo:
      flags = MB_YESNO;
      break;
    case MsgButtons::YesNoCancel:
      flags = MB_YESNOCANCEL;
      break;
  }
  switch (icon) {
    case MsgIcon::None:
      break;
    case MsgIcon::Question:
      flags |= MB_ICONQUESTION;
      break;
    case MsgIcon::Information:
      flags |= MB_ICONINFORMATION;
      break;
    case MsgIcon::Exclamation:
      flags |= MB_ICONEXCLAMATION;
      break;
  }
  HWND owner = GetActiveWindow();
  if (owner && !FormWindow::IsFormWindow(owner)) owner = nullptr;
  // Every window of the program waits for the answer, not just the owner.
  std::vector<HWND> blocked = EnabledFormWindows();
  for (HWND window : blocked)
    if (window != owner) EnableWindow(window, FALSE);
  int answer =
      MessageBoxW(owner, Widen(text).c_str(), Widen(title).c_str(), flags | MB_SETFOREGROUND);
  for (HWND window : blocked)
    if (window != owner && IsWindow(window)) EnableWindow(window, TRUE);
  switch (answer) {
    case IDOK:
      return MsgResult::Ok;
    case IDYES:
      return MsgResult::Yes;
    case IDNO:
      return MsgResult::No;
    default:
      return buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Cancel;
  }
}

// What a wait reports, and what the interface thread needs once it has.
struct ProcessLauncher::Watch {
  // Read by the wait's callback before it posts; untouched by it after.
  HWND window;
  std::uintptr_t id;
  UniqueHandle process;
  UniqueWait wait;
  TaskEnded ended;
};

namespace {

constexpr wchar_t kTaskWindowClass[] = L"MarquillTasks";
constexpr UINT kProgramEnded = WM_APP + 1;  // wParam: the watch's id

}  // namespace

ProcessLauncher::ProcessLauncher() = default;

HWND ProcessLauncher::TaskWindow() {
  // Made with the first program started, not at Marquill's start.
  if (window_) return window_;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &ProcessLauncher::WindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kTaskWindowClass;
  RegisterClassExW(&wc);
  // Without it programs still start; only their ends go unheard.
  window_ = CreateWindowExW(0, kTaskWindowClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            wc.hInstance, this);
  return window_;
}

ProcessLauncher::~ProcessLauncher() {
  // Each wait is released before its handle is closed.
  watches_.clear();
  if (window_) DestroyWindow(window_);
}

LaunchResult ProcessLauncher::Launch(const std::string& application, const std::string& commandLine,
                                     WindowStyle style, TaskEnded ended) {
  std::wstring app = Widen(application);
  std::wstring line = Widen(commandLine);  // CreateProcessW may write to it
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow =
      static_cast<WORD>(style == WindowStyle::MaximizedFocus ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(app.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return {false, ErrorText(GetLastError())};
  CloseHandle(process.hThread);
  UniqueHandle handle(process.hProcess);
  if (!ended) return {true, {}};
  if (!TaskWindow()) return {true, {}, true};

  auto watch = std::make_unique<Watch>(
      Watch{window_, nextId_++, std::move(handle), nullptr, std::move(ended)});
  HANDLE wait = nullptr;
  // The callback only posts, so the pool's wait thread may run it itself.
  if (!RegisterWaitForSingleObject(&wait, watch->process.get(), &ProcessLauncher::OnProgramEnded,
                                   watch.get(), INFINITE,
                                   WT_EXECUTEONLYONCE | WT_EXECUTEINWAITTHREAD))
    return {true, {}, true};
  watch->wait.reset(wait);
  watches_.emplace(watch->id, std::move(watch));
  return {true, {}};
}

void CALLBACK ProcessLauncher::OnProgramEnded(PVOID context, BOOLEAN) {
  const auto* watch = static_cast<const Watch*>(context);
  PostMessageW(watch->window, kProgramEnded, static_cast<WPARAM>(watch->id), 0);
}

void ProcessLauncher::Ended(std::uintptr_t id) {
  const auto found = watches_.find(id);
  if (found == watches_.end()) return;
  const std::unique_ptr<Watch> watch = std::move(found->second);
  watches_.erase(found);
  // Its callback has posted and touches nothing more: no need to wait for it.
  UnregisterWaitEx(watch->wait.release(), nullptr);
  DWORD code = 0;
  std::optional<std::uint32_t> exitCode;
  if (GetExitCodeProcess(watch->process.get(), &code)) exitCode = code;
  watch->ended(exitCode);
}

LRESULT CALLBACK ProcessLauncher::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrW(
        hwnd, GWLP_USERDATA,
        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  auto* self = reinterpret_cast<ProcessLauncher*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if ((message != kProgramEnded && message != kListingOutput) || !self)
    return DefWindowProcW(hwnd, message, wParam, lParam);
  // The end runs the main window's handler: no exception may leave here.
  return Guarded(
      [&] {
        const auto id = static_cast<std::uintptr_t>(wParam);
        if (message == kProgramEnded)
          self->Ended(id);
        else
          self->DeliverListing(id);
        return LRESULT{0};
      },
      0);
}

Clipboard::Clipboard()
    : owner_(CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             GetModuleHandleW(nullptr), nullptr)) {}

std::string Clipboard::SetText(const std::string& text) {
  const std::wstring wide = Widen(text);
  const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  void* at = memory ? GlobalLock(memory) : nullptr;
  if (!at) {
    const DWORD error = GetLastError();
    if (memory) GlobalFree(memory);
    return ErrorText(error);
  }
  memcpy(at, wide.c_str(), bytes);
  GlobalUnlock(memory);
  // Another program may hold the clipboard for a moment.
  BOOL open = FALSE;
  for (int attempt = 0; attempt < 10 && !(open = OpenClipboard(owner_.get())); ++attempt) Sleep(20);
  const bool set = open && EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory);
  const DWORD error = GetLastError();
  if (open) CloseClipboard();
  if (set) return {};  // the clipboard owns the memory now
  GlobalFree(memory);
  return ErrorText(error);
}

std::string ProgramHost::ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  size_t slash = path.find_last_of(L'\\');
  if (slash == std::wstring::npos) return {};
  // A drive root keeps its backslash.
  path.resize(slash == 2 && path[1] == L':' ? slash + 1 : slash);
  return Narrow(path);
}

std::string ProgramHost::SystemFolder() {
  wchar_t path[MAX_PATH];
  const UINT length = GetSystemDirectoryW(path, MAX_PATH);
  // Too long for the buffer or failed: no system folder to offer.
  if (length == 0 || length >= MAX_PATH) return {};
  return Narrow(std::wstring_view(path, length));
}

void ProgramHost::EndProgram() { ExitProcess(0); }

std::optional<std::string> FolderBrowser::Browse(const FolderBrowseRequest& request) {
  using BrowseFn = PIDLIST_ABSOLUTE(WINAPI*)(LPBROWSEINFOW);
  using GetPathExFn = BOOL(WINAPI*)(PCIDLIST_ABSOLUTE, PWSTR, DWORD, GPFIDL_FLAGS);
  using GetPathFn = BOOL(WINAPI*)(PCIDLIST_ABSOLUTE, LPWSTR);
  static auto browse = SystemFunction<BrowseFn>(L"shell32.dll", "SHBrowseForFolderW");
  static auto getPathEx = SystemFunction<GetPathExFn>(L"shell32.dll", "SHGetPathFromIDListEx");
  static auto getPath = SystemFunction<GetPathFn>(L"shell32.dll", "SHGetPathFromIDListW");
  // The browser needs COM on this thread.
  if (!StartCom() || !browse || !getPath) Unavailable("The folder browser");

  std::wstring title = Widen(request.title);
  BROWSEINFOW info{};
  info.hwndOwner = reinterpret_cast<HWND>(request.owner);
  info.lpszTitle = title.c_str();
  info.ulFlags = request.flags;
  std::unique_ptr<ITEMIDLIST, CoTaskMemDeleter> list(browse(&info));
  if (!list) return std::nullopt;

  std::wstring path(kLongPath, L'\0');
  BOOL found = getPathEx ? getPathEx(list.get(), path.data(), kLongPath, GPFIDL_DEFAULT)
                         : getPath(list.get(), path.data());
  if (!found) return std::string();
  path.resize(wcslen(path.c_str()));
  return Narrow(path);
}

std::string DateFormatter::ShortDate(const Date& date) {
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(date.year);
  time.wMonth = static_cast<WORD>(date.month);
  time.wDay = static_cast<WORD>(date.day);
  wchar_t text[128];
  int length = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, 128);
  return length > 0 ? Narrow(std::wstring_view(text, length - 1)) : std::string();
}

Date DateFormatter::Today() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay};
}

std::string DateFormatter::TimeNow() {
  // The user's own time format, which shows the seconds.
  wchar_t text[128];
  int length = GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, nullptr, nullptr, text, 128);
  return length > 0 ? Narrow(std::wstring_view(text, length - 1)) : std::string();
}

}  // namespace marquill::win32
