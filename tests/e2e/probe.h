#pragma once

#include <windows.h>

#include <string>

// The driver's way of asking a program about what only its own process can
// read (Wine gives no access to another process's menus or fonts): a hook DLL
// that answers inside the program's interface thread. The driver sends the
// probe message to a window of that thread with the query in wParam and the
// id of a shared-memory reply block in lParam; the hook writes its answer,
// UTF-8 text, into the block.
namespace marquill::e2e::probe {

inline constexpr wchar_t kMessageName[] = L"MarquillE2EProbe";
inline constexpr char kHookProcName[] = "ProbeCallWndProc";
inline constexpr DWORD kNoReply = 0xFFFFFFFF;
inline constexpr DWORD kReplySize = 64 * 1024;

enum Query : WPARAM {
  // The window's menu bar, one line per item in menu order:
  // depth, tab, command id (-1 for a submenu), tab, caption.
  kMenu = 1,
  // The font of the window (WM_GETFONT): height in pixels, tab, face name.
  kFont = 2,
  // The standard icon a message box shows: the number of IDI_QUESTION,
  // IDI_INFORMATION, IDI_EXCLAMATION or IDI_HAND; 0 for none, 1 for another.
  kMessageBoxIcon = 3,
  // The whole font of the window (WM_GETFONT): the numeric fields of its
  // LOGFONTW in declaration order, blank separated, then a tab and the face.
  kLogFont = 4,
  // A month calendar's smallest size that shows a whole month
  // (MCM_GETMINREQRECT): width, tab, height in pixels.
  kCalendarMinSize = 5,
  // The window's dpi as its own process sees it (GetDpiForWindow).
  kDpi = 6,
  // The size a button asks for to show its whole caption on one line
  // (BCM_GETIDEALSIZE with no limit to its width): width, tab, height in
  // pixels.
  kIdealSize = 7,
  // The window's icons (WM_GETICON): the big one's width, tab, the small
  // one's; 0 for one it has not been given.
  kIcons = 8,
  // Whether an input method may compose in the window: "1" when it has an
  // input context (ImmGetContext), "0" when not.
  kInputContext = 9,
  // kDpiChangedTo + dpi: sends the top-level window WM_DPICHANGED for that
  // dpi, as a move to a monitor of that dpi would, with the window's present
  // rectangle as the suggested one; answers "ok".
  kDpiChangedTo = 0x10000,
  // kDpiScaledSizeFor + dpi: the window size the top-level window answers
  // WM_GETDPISCALEDSIZE with for that dpi: width, tab, height in pixels.
  kDpiScaledSizeFor = 0x20000,
};

// The reply block: a length, then that many bytes of text.
struct Reply {
  DWORD length;
  char text[kReplySize - sizeof(DWORD)];
};

inline std::wstring ReplyBlockName(LPARAM id) {
  return L"Local\\MarquillE2EProbe-" + std::to_wstring(id);
}

}  // namespace marquill::e2e::probe
