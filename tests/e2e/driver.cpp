#include "driver.h"

#include <winternl.h>

#include <algorithm>
#include <cstdlib>
#include <cwctype>
#include <sstream>

#include "probe.h"
#include "wide_text.h"

namespace marquill::e2e {
namespace {

constexpr UINT kSendTimeoutMs = 5000;
constexpr int kMessageBoxTextId = 0xFFFF;

// Rectangles and DPI are read in physical pixels whatever the system DPI, so
// the driver makes itself DPI aware before it looks at any window.
void EnsureDpiAware() {
  static const bool aware = [] {
    return SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) != FALSE;
  }();
  (void)aware;
}

std::string LastError(const std::string& what) {
  return what + " failed (error " + std::to_string(GetLastError()) + ")";
}

// One argument by the standard Windows rules: quoted when needed, with the
// backslashes before a quote doubled.
std::wstring QuoteArgument(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

bool SameName(const std::wstring& a, const std::wstring& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](wchar_t x, wchar_t y) { return std::towupper(x) == std::towupper(y); });
}

// The driver's environment with `overrides` applied, as a CreateProcessW
// environment block (sorted, as Windows expects).
std::wstring EnvironmentBlock(const std::map<std::string, std::string>& overrides) {
  std::vector<std::wstring> entries;
  if (LPWCH strings = GetEnvironmentStringsW()) {
    for (const wchar_t* entry = strings; *entry; entry += wcslen(entry) + 1) {
      const std::wstring text(entry);
      const std::wstring name = text.substr(0, text.find(L'=', 1));
      const bool replaced = std::any_of(overrides.begin(), overrides.end(), [&](const auto& kv) {
        return SameName(Wide(kv.first), name);
      });
      if (!replaced) entries.push_back(text);
    }
    FreeEnvironmentStringsW(strings);
  }
  for (const auto& [name, value] : overrides) entries.push_back(Wide(name) + L"=" + Wide(value));
  std::sort(entries.begin(), entries.end(), [](const std::wstring& a, const std::wstring& b) {
    return _wcsicmp(a.c_str(), b.c_str()) < 0;
  });
  std::wstring block;
  for (const auto& entry : entries) block += entry + L'\0';
  return block + L'\0';
}

std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

struct TopWindowQuery {
  DWORD processId;
  std::wstring title;
  std::wstring className;
  bool visibleOnly;
  bool all = false;  // collect every match, not just the first
  std::vector<HWND> found;
};

bool MatchesClassAndText(HWND window, const std::wstring& className, const std::wstring& text) {
  if (!className.empty() && Wide(ClassOf(window)) != className) return false;
  return Wide(TextOf(window)) == text;
}

BOOL CALLBACK MatchTopWindow(HWND window, LPARAM param) {
  auto& query = *reinterpret_cast<TopWindowQuery*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != query.processId) return TRUE;
  if (query.visibleOnly && !IsWindowVisible(window)) return TRUE;
  if (!MatchesClassAndText(window, query.className, query.title)) return TRUE;
  query.found.push_back(window);
  return query.all;
}

std::vector<HWND> FindTops(DWORD processId, const std::string& title, const std::string& className,
                           bool visibleOnly, bool all) {
  TopWindowQuery query{processId, Wide(title), Wide(className), visibleOnly, all, {}};
  EnumWindows(MatchTopWindow, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

HWND FindTop(DWORD processId, const std::string& title, const std::string& className,
             bool visibleOnly) {
  const auto found = FindTops(processId, title, className, visibleOnly, false);
  return found.empty() ? nullptr : found.front();
}

std::string Describe(const std::string& className, const std::string& caption) {
  return "\"" + caption + "\"" + (className.empty() ? "" : " (" + className + ")");
}

LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                           &result))
    throw DriverError(LastError("SendMessageTimeout of message " + std::to_string(message)));
  return static_cast<LRESULT>(result);
}

std::wstring BesideThisProgram(const wchar_t* fileName) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return FolderOf(path) + L"\\" + fileName;
}

HWND RootOf(HWND window) {
  HWND root = GetAncestor(window, GA_ROOT);
  return root ? root : window;
}

void SendKeyboardInput(HWND expected, std::vector<INPUT> inputs) {
  const HWND foreground = GetForegroundWindow();
  if (foreground != RootOf(expected))
    throw DriverError("keyboard input refused: the foreground window is \"" +
                      (foreground ? TextOf(foreground) : std::string("(none)")) + "\", not \"" +
                      TextOf(RootOf(expected)) + "\"");
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  if (sent != inputs.size()) throw DriverError(LastError("SendInput"));
}

INPUT KeyInput(WORD virtualKey, WORD scanCode, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = scanCode;
  input.ki.dwFlags = flags;
  return input;
}

}  // namespace

Process Process::Start(const std::string& exe, const std::vector<std::string>& args,
                       const std::map<std::string, std::string>& environment, int show) {
  EnsureDpiAware();
  const std::wstring application = Wide(exe);
  std::wstring commandLine = QuoteArgument(application);
  for (const auto& arg : args) commandLine += L" " + QuoteArgument(Wide(arg));
  std::wstring block = EnvironmentBlock(environment);
  const std::wstring folder = FolderOf(application);

  Process process;
  process.job_ = CreateJobObjectW(nullptr, nullptr);
  if (!process.job_) throw DriverError(LastError("CreateJobObject"));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (show >= 0) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
  }
  process.startedAt_ = std::chrono::steady_clock::now();
  // Wine now and then refuses a start under load with an internal error; a
  // second try succeeds.
  for (int attempt = 1;; ++attempt) {
    if (CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                       CREATE_SUSPENDED | CREATE_UNICODE_ENVIRONMENT, block.data(),
                       folder.empty() ? nullptr : folder.c_str(), &startup, &process.info_))
      break;
    if (GetLastError() != ERROR_INTERNAL_ERROR || attempt == 3)
      throw DriverError(LastError("CreateProcess of " + exe));
    Sleep(200);
  }
  // In the job before its first instruction, so every program it starts is
  // counted too.
  if (!AssignProcessToJobObject(process.job_, process.info_.hProcess)) {
    const std::string error = LastError("AssignProcessToJobObject");
    TerminateProcess(process.info_.hProcess, 1);
    throw DriverError(error);
  }
  ResumeThread(process.info_.hThread);
  return process;
}

Process::Process(Process&& other) noexcept
    : info_(other.info_), job_(other.job_), startedAt_(other.startedAt_) {
  other.info_ = {};
  other.job_ = nullptr;
}

Process::~Process() {
  if (info_.hProcess) {
    if (Running()) {
      TerminateProcess(info_.hProcess, 1);
      WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  // Closing the job leaves the programs in it running; the fake ones end by
  // themselves.
  if (job_) CloseHandle(job_);
}

bool Process::Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

bool Process::WaitForExit(Timeout timeout) const {
  return WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const {
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

DWORD Process::HandleCount() const {
  // Wine answers GetProcessHandleCount with 0; the system's list of every
  // process's handles is right under both.
  struct Entry {
    ULONG process;
    BYTE type, flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
  };
  constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
  std::vector<char> list(1 << 20);
  ULONG needed = 0;
  NTSTATUS status;
  while ((status = NtQuerySystemInformation(kSystemHandleInformation, list.data(),
                                            static_cast<ULONG>(list.size()), &needed)) ==
         static_cast<NTSTATUS>(0xC0000004L))  // too small
    list.resize(std::max<size_t>(list.size() * 2, needed));
  if (status != 0) throw DriverError("NtQuerySystemInformation failed: " + std::to_string(status));
  const ULONG count = *reinterpret_cast<const ULONG*>(list.data());
  const auto* entries = reinterpret_cast<const Entry*>(list.data() + sizeof(ULONG_PTR));
  return static_cast<DWORD>(std::count_if(entries, entries + count, [&](const Entry& entry) {
    return entry.process == info_.dwProcessId;
  }));
}

int Process::DescendantsStarted() const {
  JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
  if (!QueryInformationJobObject(job_, JobObjectBasicAccountingInformation, &accounting,
                                 sizeof accounting, nullptr))
    throw DriverError(LastError("QueryInformationJobObject"));
  return static_cast<int>(accounting.TotalProcesses) - 1;
}

int Process::ProcessesRunning() const {
  JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
  if (!QueryInformationJobObject(job_, JobObjectBasicAccountingInformation, &accounting,
                                 sizeof accounting, nullptr))
    throw DriverError(LastError("QueryInformationJobObject"));
  return static_cast<int>(accounting.ActiveProcesses);
}

HWND FindTopWindow(DWORD processId, const std::string& title, const std::string& className) {
  EnsureDpiAware();
  return FindTop(processId, title, className, false);
}

std::vector<HWND> ShownTopWindows(DWORD processId, const std::string& title,
                                  const std::string& className) {
  EnsureDpiAware();
  return FindTops(processId, title, className, true, true);
}

HWND WaitForTopWindow(const Process& process, const std::string& title,
                      const std::string& className, Timeout timeout) {
  EnsureDpiAware();
  HWND found = nullptr;
  WaitUntil(
      [&] {
        if (!process.Running()) throw DriverError("the program ended while waiting for a window");
        found = FindTop(process.Id(), title, className, true);
        return found != nullptr;
      },
      "the window " + Describe(className, title), timeout);
  return found;
}

void WaitForTopWindowGone(const Process& process, const std::string& title,
                          const std::string& className, Timeout timeout) {
  WaitUntil([&] { return FindTop(process.Id(), title, className, true) == nullptr; },
            "the window " + Describe(className, title) + " to go", timeout);
}

bool IsShown(HWND window) { return IsWindow(window) && IsWindowVisible(window); }

std::string ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return Utf8(name);
}

std::string TextOf(HWND window) {
  // InternalGetWindowText reads the stored caption without a message, so it
  // works on a window whose thread is busy.
  wchar_t text[1024] = {};
  InternalGetWindowText(window, text, 1024);
  return Utf8(text);
}

std::string QuotedTextOf(HWND window) {
  // Appended, not concatenated: GCC 12 at -O2 reports a false -Wrestrict on
  // "\"" + std::string.
  return std::string(1, '"').append(TextOf(window)).append(1, '"');
}

std::vector<HWND> ChildrenOf(HWND parent, const std::string& className) {
  const std::wstring wanted = Wide(className);
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (wanted.empty() || SameName(Wide(ClassOf(child)), wanted)) children.push_back(child);
  return children;
}

HWND FindChild(HWND parent, const std::string& className, const std::string& caption) {
  for (HWND child : ChildrenOf(parent, className))
    if (TextOf(child) == caption) return child;
  throw DriverError("no child " + Describe(className, caption) + " in \"" + TextOf(parent) + "\"");
}

unsigned DpiOf(HWND window) {
  if (ScreenDpi::Changed()) return DpiInside(window);
  if (const UINT dpi = GetDpiForWindow(window)) return dpi;
  return 96;
}

Rect96 RectOf96(HWND child) {
  EnsureDpiAware();
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  const int dpi = static_cast<int>(DpiOf(child));
  auto scale = [dpi](int pixels) { return MulDiv(pixels, 96, dpi); };
  return {scale(rect.left), scale(rect.top), scale(rect.right - rect.left),
          scale(rect.bottom - rect.top)};
}

HWND FindChildAt(HWND parent, const std::string& className, const Rect96& rect, int tolerance) {
  for (HWND child : ChildrenOf(parent, className)) {
    const Rect96 at = RectOf96(child);
    auto within = [tolerance](int a, int b) { return std::abs(a - b) <= tolerance; };
    if (within(at.left, rect.left) && within(at.top, rect.top) &&
        within(at.left + at.width, rect.left + rect.width) &&
        within(at.top + at.height, rect.top + rect.height))
      return child;
  }
  throw DriverError("no child " + className + " at " + std::to_string(rect.left) + "," +
                    std::to_string(rect.top) + " " + std::to_string(rect.width) + "x" +
                    std::to_string(rect.height) + " in \"" + TextOf(parent) + "\"");
}

void SetText(HWND window, const std::string& text) {
  const std::wstring wide = Wide(text);
  if (!SendWithTimeout(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str())))
    throw DriverError("WM_SETTEXT was refused");
}

std::string GetText(HWND window) {
  const auto length = SendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const auto copied =
      SendWithTimeout(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(copied));
  return Utf8(text);
}

void CopyToClipboard(const std::string& text) {
  const std::wstring wide = Wide(text);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
  lstrcpyW(static_cast<wchar_t*>(GlobalLock(memory)), wide.c_str());
  GlobalUnlock(memory);
  // Only the clipboard's owner sets data; a message-only window will do.
  const HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, {}, {}, {});
  const bool copied =
      OpenClipboard(owner) && EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
  DestroyWindow(owner);
  if (!copied) throw DriverError(LastError("copying to the clipboard"));
}

std::string ClipboardText() {
  if (!OpenClipboard(nullptr)) throw DriverError(LastError("opening the clipboard"));
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const auto* text = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
  const std::string copied = text ? Utf8(text) : std::string();
  if (text) GlobalUnlock(data);
  CloseClipboard();
  return copied;
}

LRESULT CheckState(HWND checkBox) { return SendWithTimeout(checkBox, BM_GETCHECK, 0, 0); }

void Activate(HWND topLevel) {
  WaitUntil(
      [&] {
        if (GetForegroundWindow() == topLevel) return true;
        SetForegroundWindow(topLevel);
        return GetForegroundWindow() == topLevel;
      },
      "\"" + TextOf(topLevel) + "\" to become the foreground window", 5s);
}

namespace {

GUITHREADINFO GuiThreadInfoOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
    throw DriverError(LastError("GetGUIThreadInfo"));
  return info;
}

}  // namespace

HWND FocusIn(HWND window) { return GuiThreadInfoOf(window).hwndFocus; }

HWND ActiveIn(HWND window) { return GuiThreadInfoOf(window).hwndActive; }

void Click(HWND button) {
  if (!IsWindowEnabled(button)) throw DriverError("\"" + TextOf(button) + "\" is disabled");
  Activate(RootOf(button));
  if (!PostMessageW(button, BM_CLICK, 0, 0)) throw DriverError(LastError("PostMessage BM_CLICK"));
}

MessageBoxView WaitForMessageBox(const Process& process, const std::string& title,
                                 Timeout timeout) {
  MessageBoxView box;
  box.window = WaitForTopWindow(process, title, "#32770", timeout);
  box.title = title;
  if (HWND text = GetDlgItem(box.window, kMessageBoxTextId)) box.text = TextOf(text);
  for (HWND button : ChildrenOf(box.window, "Button")) box.buttons.push_back(TextOf(button));
  box.icon = MAKEINTRESOURCEW(std::stoul(Probe(box.window, probe::kMessageBoxIcon)));
  return box;
}

void PressMessageBoxButton(const MessageBoxView& box, int buttonId, Timeout timeout) {
  HWND button = GetDlgItem(box.window, buttonId);
  if (!button)
    throw DriverError("the box \"" + box.title + "\" has no button " + std::to_string(buttonId));
  Click(button);
  WaitUntil([&] { return !IsShown(box.window); }, "the box \"" + box.title + "\" to close",
            timeout);
}

UINT MenuCommandId(HWND topLevel, const std::vector<std::string>& captions) {
  // Each line of the probe's answer: depth, tab, id, tab, caption.
  std::istringstream lines(Probe(topLevel, probe::kMenu));
  std::string line;
  size_t matched = 0;  // how many captions of the path the walk has matched
  std::string path;
  while (matched < captions.size() && std::getline(lines, line)) {
    const size_t tab1 = line.find('\t');
    const size_t tab2 = line.find('\t', tab1 + 1);
    if (tab1 == std::string::npos || tab2 == std::string::npos) break;
    const size_t depth = std::stoul(line.substr(0, tab1));
    const long id = std::stol(line.substr(tab1 + 1, tab2 - tab1 - 1));
    if (depth < matched) break;  // left the submenu the path goes through
    if (depth != matched || line.substr(tab2 + 1) != captions[matched]) continue;
    path += (matched ? " > " : "") + captions[matched];
    if (++matched == captions.size()) {
      if (id < 0) throw DriverError("the menu item " + path + " is a submenu");
      return static_cast<UINT>(id);
    }
    if (id >= 0) throw DriverError("the menu item " + path + " has no submenu");
  }
  std::string wanted;
  for (const auto& caption : captions) wanted += (wanted.empty() ? "" : " > ") + caption;
  throw DriverError("no menu item " + wanted + " in \"" + TextOf(topLevel) + "\"");
}

void ChooseMenu(HWND topLevel, const std::vector<std::string>& captions) {
  const UINT id = MenuCommandId(topLevel, captions);
  Activate(topLevel);
  if (!PostMessageW(topLevel, WM_COMMAND, MAKEWPARAM(id, 0), 0))
    throw DriverError(LastError("PostMessage WM_COMMAND"));
}

void Mouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  if (SendInput(1, &input, sizeof input) != 1) throw DriverError("SendInput of the mouse failed");
}

void PressKey(HWND expected, WORD virtualKey, const std::vector<WORD>& modifiers) {
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, 0, 0));
  inputs.push_back(KeyInput(virtualKey, 0, 0));
  inputs.push_back(KeyInput(virtualKey, 0, KEYEVENTF_KEYUP));
  for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it)
    inputs.push_back(KeyInput(*it, 0, KEYEVENTF_KEYUP));
  SendKeyboardInput(expected, inputs);
}

void TypeText(HWND expected, const std::string& text) {
  std::vector<INPUT> inputs;
  for (wchar_t unit : Wide(text)) {
    inputs.push_back(KeyInput(0, unit, KEYEVENTF_UNICODE));
    inputs.push_back(KeyInput(0, unit, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
  }
  SendKeyboardInput(expected, inputs);
}

std::string Probe(HWND window, WPARAM query) {
  static const UINT message = RegisterWindowMessageW(probe::kMessageName);
  static const HOOKPROC hook = [] {
    const char* configured = std::getenv("MARQUILL_E2E_PROBE_DLL");
    const std::wstring path =
        configured ? Wide(configured) : BesideThisProgram(L"marquill_e2e_probe.dll");
    HMODULE module = LoadLibraryW(path.c_str());
    if (!module) throw DriverError(LastError("loading the probe " + Utf8(path)));
    return reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(module, probe::kHookProcName)));
  }();
  static LPARAM lastId = 0;
  const LPARAM id = static_cast<LPARAM>(GetCurrentProcessId()) * 100000 + ++lastId;

  HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      probe::kReplySize, probe::ReplyBlockName(id).c_str());
  if (!mapping) throw DriverError(LastError("CreateFileMapping"));
  auto* reply = static_cast<probe::Reply*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  if (!reply) {
    CloseHandle(mapping);
    throw DriverError(LastError("MapViewOfFile"));
  }
  reply->length = probe::kNoReply;
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(reinterpret_cast<void*>(hook)), &module);
  HHOOK installed =
      SetWindowsHookExW(WH_CALLWNDPROC, hook, module, GetWindowThreadProcessId(window, nullptr));
  std::string answer;
  DWORD length = probe::kNoReply;
  if (installed) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, message, query, id, SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored);
    UnhookWindowsHookEx(installed);
    length = reply->length;
    if (length != probe::kNoReply) answer.assign(reply->text, length);
  }
  UnmapViewOfFile(reply);
  CloseHandle(mapping);
  if (!installed) throw DriverError(LastError("SetWindowsHookEx"));
  if (length == probe::kNoReply) throw DriverError("the probe did not answer");
  return answer;
}

FontInfo FontOf(HWND window) {
  const std::string answer = Probe(window, probe::kFont);
  const size_t tab = answer.find('\t');
  if (tab == std::string::npos) throw DriverError("no font for \"" + TextOf(window) + "\"");
  return {std::stoi(answer.substr(0, tab)), answer.substr(tab + 1)};
}

void Close(HWND topLevel) {
  if (!PostMessageW(topLevel, WM_CLOSE, 0, 0)) throw DriverError(LastError("PostMessage WM_CLOSE"));
}

RECT PixelRectOf(HWND child) {
  EnsureDpiAware();
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

LOGFONTW LogFontOf(HWND window) {
  const std::string answer = Probe(window, probe::kLogFont);
  const size_t tab = answer.find('\t');
  if (tab == std::string::npos) throw DriverError("no font for \"" + TextOf(window) + "\"");
  std::istringstream numbers(answer.substr(0, tab));
  LONG fields[13] = {};
  for (LONG& field : fields) numbers >> field;
  if (!numbers) throw DriverError("a bad font answer: " + answer);
  LOGFONTW font{};
  font.lfHeight = fields[0];
  font.lfWidth = fields[1];
  font.lfEscapement = fields[2];
  font.lfOrientation = fields[3];
  font.lfWeight = fields[4];
  font.lfItalic = static_cast<BYTE>(fields[5]);
  font.lfUnderline = static_cast<BYTE>(fields[6]);
  font.lfStrikeOut = static_cast<BYTE>(fields[7]);
  font.lfCharSet = static_cast<BYTE>(fields[8]);
  font.lfOutPrecision = static_cast<BYTE>(fields[9]);
  font.lfClipPrecision = static_cast<BYTE>(fields[10]);
  font.lfQuality = static_cast<BYTE>(fields[11]);
  font.lfPitchAndFamily = static_cast<BYTE>(fields[12]);
  const std::wstring face = Wide(answer.substr(tab + 1));
  face.copy(font.lfFaceName, LF_FACESIZE - 1);
  return font;
}

namespace {
SIZE ProbedSize(HWND window, WPARAM query) {
  const std::string answer = Probe(window, query);
  const size_t tab = answer.find('\t');
  if (tab == std::string::npos) throw DriverError("\"" + TextOf(window) + "\" gave no size");
  return {std::stol(answer.substr(0, tab)), std::stol(answer.substr(tab + 1))};
}
}  // namespace

SIZE CalendarMinSize(HWND calendar) { return ProbedSize(calendar, probe::kCalendarMinSize); }

SIZE IdealSizeOf(HWND button) { return ProbedSize(button, probe::kIdealSize); }

unsigned DpiInside(HWND window) {
  return static_cast<unsigned>(std::stoul(Probe(window, probe::kDpi)));
}

void SendDpiChanged(HWND topLevel, unsigned dpi) {
  if (Probe(topLevel, probe::kDpiChangedTo + dpi) != "ok")
    throw DriverError("WM_DPICHANGED was not sent");
}

SIZE DpiScaledSize(HWND topLevel, unsigned dpi) {
  return ProbedSize(topLevel, probe::kDpiScaledSizeFor + dpi);
}

namespace {
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kLogPixels[] = L"LogPixels";

void SetLogPixels(DWORD dpi) {
  const LSTATUS status =
      dpi ? RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, REG_DWORD, &dpi, sizeof dpi)
          : RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels);
  if (status != ERROR_SUCCESS && dpi) throw DriverError("cannot set LogPixels");
}
}  // namespace

int ScreenDpi::changes_ = 0;

ScreenDpi::ScreenDpi(unsigned dpi) {
  DWORD size = sizeof before_;
  if (RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, RRF_RT_REG_DWORD, nullptr, &before_,
                   &size) != ERROR_SUCCESS)
    before_ = 0;
  SetLogPixels(dpi);
  ++changes_;
}

ScreenDpi::~ScreenDpi() {
  SetLogPixels(before_);
  --changes_;
}

namespace {
bool SetMessageFont(NONCLIENTMETRICSW metrics) {
  return SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics,
                               SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}
}  // namespace

SystemMessageFont::SystemMessageFont(const char* face, int height) {
  if (!face) return;
  before_.cbSize = sizeof before_;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof before_, &before_, 0))
    throw DriverError("cannot read the message font");
  NONCLIENTMETRICSW metrics = before_;
  metrics.lfMessageFont.lfHeight = height;
  Wide(face).copy(metrics.lfMessageFont.lfFaceName, LF_FACESIZE - 1);
  if (!SetMessageFont(metrics)) throw DriverError("cannot set the message font");
}

SystemMessageFont::~SystemMessageFont() {
  if (before_.cbSize) SetMessageFont(before_);
}

}  // namespace marquill::e2e

namespace marquill::e2e {

std::vector<HWND> ShownTopWindowsOf(DWORD processId) {
  EnsureDpiAware();
  std::pair<DWORD, std::vector<HWND>> query{processId, {}};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto& [wanted, found] = *reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == wanted && IsWindowVisible(window)) found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&query));
  return query.second;
}

void ParkPointer() {
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
}

void SettleForeground(HWND topLevel) {
  constexpr DWORD kFocusEventsMs = 250;
  Activate(topLevel);
  Sleep(kFocusEventsMs);
  Activate(topLevel);
  GetText(topLevel);
}

}  // namespace marquill::e2e
