#pragma once

#include <windows.h>

#include <chrono>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

// Drives a real Win32 program from outside, through window messages and
// keyboard input, the way a person (or an accessibility tool) would. Texts are
// UTF-8. Every wait polls with a timeout and throws DriverError when it runs
// out, so a test reads as a plain sequence of steps.
namespace marquill::e2e {

using namespace std::chrono_literals;
using Timeout = std::chrono::milliseconds;
inline constexpr Timeout kDefaultTimeout = 10s;

class DriverError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A rectangle in a parent's client area, in pixels of a 96-dpi screen.
struct Rect96 {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// A process started by the driver. Only this process is ended at teardown
// (if it is still running); the programs it starts itself are counted
// through a job object but left alone.
class Process {
 public:
  // Starts `exe` with the folder of `exe` as its working folder. `environment`
  // adds to (or replaces in) the driver's own environment; `show`, unless
  // -1, is the show state it is started with.
  static Process Start(const std::string& exe, const std::vector<std::string>& args = {},
                       const std::map<std::string, std::string>& environment = {}, int show = -1);
  Process(Process&& other) noexcept;
  Process& operator=(Process&&) = delete;
  ~Process();

  DWORD Id() const { return info_.dwProcessId; }
  DWORD MainThreadId() const { return info_.dwThreadId; }
  bool Running() const;
  // True when the process ended within `timeout`.
  bool WaitForExit(Timeout timeout = kDefaultTimeout) const;
  DWORD ExitCode() const;
  // Processes started so far by this process and its descendants, itself
  // excluded.
  int DescendantsStarted() const;
  // Processes of this one's job still running: itself, while it runs, and
  // its descendants.
  int ProcessesRunning() const;
  // The handles the process holds open now.
  DWORD HandleCount() const;
  // The moment CreateProcessW was called, for start-up timings.
  std::chrono::steady_clock::time_point StartedAt() const { return startedAt_; }

 private:
  Process() = default;
  PROCESS_INFORMATION info_{};
  HANDLE job_ = nullptr;
  std::chrono::steady_clock::time_point startedAt_;
};

// Top-level windows of a process.
HWND FindTopWindow(DWORD processId, const std::string& title, const std::string& className = {});
// Every visible top-level window of the process with that title and class.
std::vector<HWND> ShownTopWindows(DWORD processId, const std::string& title,
                                  const std::string& className = {});
HWND WaitForTopWindow(const Process& process, const std::string& title,
                      const std::string& className = {}, Timeout timeout = kDefaultTimeout);
// Waits until no top-level window of that title and class is left.
void WaitForTopWindowGone(const Process& process, const std::string& title,
                          const std::string& className = {}, Timeout timeout = kDefaultTimeout);
bool IsShown(HWND window);

std::string ClassOf(HWND window);
std::string TextOf(HWND window);
// The caption in double quotes, for failure messages.
std::string QuotedTextOf(HWND window);

// Direct children of `parent` of a window class, optionally with a caption.
std::vector<HWND> ChildrenOf(HWND parent, const std::string& className);
HWND FindChild(HWND parent, const std::string& className, const std::string& caption);
// The direct child of that class whose rectangle, scaled back to 96 dpi,
// matches `rect` within `tolerance` pixels on each edge.
HWND FindChildAt(HWND parent, const std::string& className, const Rect96& rect, int tolerance = 2);
// A child's rectangle in its parent's client area, scaled back to 96 dpi.
Rect96 RectOf96(HWND child);
// The window's dots per inch (96 when the system cannot tell).
unsigned DpiOf(HWND window);

// Text of an edit (or any window) through WM_SETTEXT / WM_GETTEXT.
void SetText(HWND window, const std::string& text);
std::string GetText(HWND window);
// Puts text on the clipboard, as copying it in another program does.
void CopyToClipboard(const std::string& text);
// The text on the clipboard, as pasting it in another program would get it.
std::string ClipboardText();

// Check box state: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
LRESULT CheckState(HWND checkBox);

// Makes `topLevel` Wine's (or Windows') foreground window and checks it is.
void Activate(HWND topLevel);
// The window holding the keyboard focus in the thread that owns `window`.
HWND FocusIn(HWND window);
// The thread's active window, as GetGUIThreadInfo reports it.
HWND ActiveIn(HWND window);

// Clicks a button: activates its top-level window, then posts BM_CLICK, so a
// handler that opens a modal box does not block the driver.
void Click(HWND button);

// A standard message box (#32770 dialog) of the process.
struct MessageBoxView {
  HWND window = nullptr;
  std::string title;
  std::string text;
  std::vector<std::string> buttons;  // captions in child order
  // The standard icon shown: IDI_QUESTION, IDI_INFORMATION, IDI_EXCLAMATION,
  // IDI_HAND; nullptr for none, kOtherIcon for any other. Read through the
  // probe.
  LPCWSTR icon = nullptr;
};
inline const LPCWSTR kOtherIcon = MAKEINTRESOURCEW(1);
MessageBoxView WaitForMessageBox(const Process& process, const std::string& title,
                                 Timeout timeout = kDefaultTimeout);
// Presses the message box button with that id (IDOK, IDCANCEL, IDYES, IDNO)
// and waits until the box is gone.
void PressMessageBoxButton(const MessageBoxView& box, int buttonId,
                           Timeout timeout = kDefaultTimeout);

// Menu command ids, found by the captions along the path from the menu bar
// ("Help", "&About"); ampersands count. Read through the probe.
UINT MenuCommandId(HWND topLevel, const std::vector<std::string>& captions);
// Chooses the menu item as a click on it would: posts its WM_COMMAND.
void ChooseMenu(HWND topLevel, const std::vector<std::string>& captions);

// Real keyboard input (SendInput). Each call first checks that `expected` is
// the foreground window, because input goes to whichever window is.
void PressKey(HWND expected, WORD virtualKey, const std::vector<WORD>& modifiers = {});
// Real mouse input where the cursor is: MOUSEEVENTF_LEFTDOWN, ..._LEFTUP.
void Mouse(DWORD flags);
void TypeText(HWND expected, const std::string& text);

// Asks the program itself about `window` (see probe.h): the text it
// answers. Loads the probe DLL from MARQUILL_E2E_PROBE_DLL, or from beside
// the driver's program.
std::string Probe(HWND window, WPARAM query);

// The font a control draws with, as the program sees it.
struct FontInfo {
  int height = 0;  // character height in pixels
  std::string face;
};
FontInfo FontOf(HWND window);

// Posts WM_CLOSE, as the close box does.
void Close(HWND topLevel);

// Polls `condition` until it holds; throws DriverError naming `what` if it
// still does not after `timeout`.
template <typename Condition>
void WaitUntil(Condition condition, const std::string& what, Timeout timeout = kDefaultTimeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline)
      throw DriverError("timed out waiting for " + what);
    Sleep(10);
  }
}

// A child's rectangle in its parent's client area, in the screen's pixels.
RECT PixelRectOf(HWND child);
// The whole font a control draws with (WM_GETFONT), as the program sees it.
LOGFONTW LogFontOf(HWND window);
// A month calendar's smallest size that shows a whole month, in pixels.
SIZE CalendarMinSize(HWND calendar);
// The size a button asks for to show its caption on one line, in pixels.
SIZE IdealSizeOf(HWND button);
// The window's dpi as the program itself sees it. Wine answers DpiOf with the
// asking process's own dpi, which differs when the two started with another
// screen dpi (see ScreenDpi).
unsigned DpiInside(HWND window);
// Sends `topLevel` WM_DPICHANGED for `dpi` from inside its own thread, as
// moving it to a monitor of that dpi would.
void SendDpiChanged(HWND topLevel, unsigned dpi);
// The window size `topLevel` answers WM_GETDPISCALEDSIZE with for `dpi`.
SIZE DpiScaledSize(HWND topLevel, unsigned dpi);

// The screen's dpi (LogPixels) that programs started from now on get under
// Wine; the one before is put back when this goes. Meanwhile DpiOf asks the
// program (DpiInside), since the driver keeps the dpi it started with.
class ScreenDpi {
 public:
  explicit ScreenDpi(unsigned dpi);
  ~ScreenDpi();
  ScreenDpi(const ScreenDpi&) = delete;
  ScreenDpi& operator=(const ScreenDpi&) = delete;

  static bool Changed() { return changes_ > 0; }

 private:
  static int changes_;
  DWORD before_ = 0;  // 0: there was no value
};

// The system's message font (face, lfHeight at 96 dpi) that programs started
// from now on get under Wine, set as a user would and announced; the one
// before is put back when this goes. No face: the font stays as it is.
class SystemMessageFont {
 public:
  SystemMessageFont(const char* face, int height);
  ~SystemMessageFont();
  SystemMessageFont(const SystemMessageFont&) = delete;
  SystemMessageFont& operator=(const SystemMessageFont&) = delete;

 private:
  NONCLIENTMETRICSW before_{};
};

}  // namespace marquill::e2e

namespace marquill::e2e {

// Every visible top-level window of the process, whatever its title.
std::vector<HWND> ShownTopWindowsOf(DWORD processId);

// Without a window manager the X keyboard focus follows the pointer whenever
// the window under it comes or goes, and Wine follows that focus, so keys
// sent then may reach no window. This puts the pointer in the screen's
// bottom-right corner, which no window of the program covers.
void ParkPointer();

// Makes `topLevel` the foreground window and lets the X focus events of that
// change (and of any window that came or went just before) reach the program
// before keys are sent: Wine answers a late focus-out with WM_CANCELMODE,
// which closes an open menu, and may give the keyboard to the desktop for a
// moment. Returns once the program is back at its message loop.
void SettleForeground(HWND topLevel);

// Presses a key (with `modifiers`) in the settled `topLevel` until `done`
// holds. Keys may still be lost there all the same, so when nothing has come
// of them within 2 s they are sent once more.
template <typename Done>
void PressKeyUntil(HWND topLevel, WORD key, const std::vector<WORD>& modifiers,
                   const std::string& what, Done done) {
  for (int attempt = 0;; ++attempt) {
    SettleForeground(topLevel);
    PressKey(topLevel, key, modifiers);
    try {
      return WaitUntil(done, what, 2s);
    } catch (const DriverError&) {
      if (attempt == 1) throw;
    }
  }
}

}  // namespace marquill::e2e
