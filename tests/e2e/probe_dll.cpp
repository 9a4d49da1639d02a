// Loaded into the program under test by the driver's hook; answers the
// driver's queries from inside the program's interface thread.
#include <windows.h>

#include <commctrl.h>
#include <imm.h>

#include <climits>
#include <string>

#include "probe.h"
#include "wide_text.h"

namespace marquill::e2e::probe {
namespace {

void DescribeMenu(HMENU menu, int depth, std::string& out) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t caption[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), caption, 256, MF_BYPOSITION);
    HMENU sub = GetSubMenu(menu, i);
    const long id = sub ? -1 : static_cast<long>(GetMenuItemID(menu, i));
    out += std::to_string(depth) + "\t" + std::to_string(id) + "\t" + Utf8(caption) + "\n";
    if (sub) DescribeMenu(sub, depth + 1, out);
  }
}

std::string DescribeFont(HWND window) {
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  if (!font) font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  LOGFONTW info{};
  if (!GetObjectW(font, sizeof info, &info)) return {};
  return std::to_string(info.lfHeight < 0 ? -info.lfHeight : info.lfHeight) + "\t" +
         Utf8(info.lfFaceName);
}

// System icons are shared within a process, so the one a message box shows
// is the very handle LoadIcon gives here.
std::string DescribeMessageBoxIcon(HWND box) {
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON || !IsWindowVisible(child))
      continue;
    const auto shown = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
    if (!shown) continue;
    for (LPCWSTR id : {IDI_QUESTION, IDI_INFORMATION, IDI_EXCLAMATION, IDI_HAND})
      if (LoadIconW(nullptr, id) == shown) return std::to_string(reinterpret_cast<ULONG_PTR>(id));
    return "1";
  }
  return "0";
}

std::string DescribeLogFont(HWND window) {
  const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  LOGFONTW info{};
  if (!GetObjectW(font ? font : GetStockObject(SYSTEM_FONT), sizeof info, &info)) return {};
  std::string text;
  for (LONG field : {info.lfHeight, info.lfWidth, info.lfEscapement, info.lfOrientation,
                     info.lfWeight, LONG{info.lfItalic}, LONG{info.lfUnderline},
                     LONG{info.lfStrikeOut}, LONG{info.lfCharSet}, LONG{info.lfOutPrecision},
                     LONG{info.lfClipPrecision}, LONG{info.lfQuality}, LONG{info.lfPitchAndFamily}})
    text += std::to_string(field) + " ";
  return text + "\t" + Utf8(info.lfFaceName);
}

std::string DescribeCalendarMinSize(HWND calendar) {
  RECT rect{};
  if (!SendMessageW(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&rect))) return {};
  return std::to_string(rect.right - rect.left) + "\t" + std::to_string(rect.bottom - rect.top);
}

std::string DescribeIdealSize(HWND button) {
  // A multi-line button wraps its caption at the width it is given.
  SIZE size{SHRT_MAX, 0};
  if (!SendMessageW(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&size))) return {};
  return std::to_string(size.cx) + "\t" + std::to_string(size.cy);
}

std::string DescribeIcons(HWND window) {
  std::string widths;
  for (WPARAM which : {ICON_BIG, ICON_SMALL}) {
    const auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0));
    ICONINFO info{};
    BITMAP bitmap{};
    if (icon && GetIconInfo(icon, &info)) {
      GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
      DeleteObject(info.hbmColor);
      DeleteObject(info.hbmMask);
    }
    widths += (widths.empty() ? "" : "\t") + std::to_string(bitmap.bmWidth);
  }
  return widths;
}

// The message reaches the window as the system sends it: wParam carries the
// dpi twice, lParam points at the suggested window rectangle.
std::string SendDpiChanged(HWND window, UINT dpi) {
  RECT suggested{};
  GetWindowRect(window, &suggested);
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  return "ok";
}

std::string DescribeDpiScaledSize(HWND window, UINT dpi) {
  SIZE size{};
  SendMessageW(window, WM_GETDPISCALEDSIZE, dpi, reinterpret_cast<LPARAM>(&size));
  return std::to_string(size.cx) + "\t" + std::to_string(size.cy);
}

std::string Answer(HWND window, WPARAM query) {
  if (query > kDpiScaledSizeFor)
    return DescribeDpiScaledSize(window, static_cast<UINT>(query - kDpiScaledSizeFor));
  if (query > kDpiChangedTo)
    return SendDpiChanged(window, static_cast<UINT>(query - kDpiChangedTo));
  switch (query) {
    case kMenu: {
      std::string out;
      if (HMENU menu = GetMenu(window)) DescribeMenu(menu, 0, out);
      return out;
    }
    case kFont:
      return DescribeFont(window);
    case kMessageBoxIcon:
      return DescribeMessageBoxIcon(window);
    case kLogFont:
      return DescribeLogFont(window);
    case kCalendarMinSize:
      return DescribeCalendarMinSize(window);
    case kDpi:
      return std::to_string(GetDpiForWindow(window));
    case kIdealSize:
      return DescribeIdealSize(window);
    case kIcons:
      return DescribeIcons(window);
    case kInputContext: {
      const HIMC context = ImmGetContext(window);
      ImmReleaseContext(window, context);
      return context ? "1" : "0";
    }
    default:
      return {};
  }
}

void WriteReply(LPARAM id, const std::string& text) {
  HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, ReplyBlockName(id).c_str());
  if (!mapping) return;
  if (auto* reply = static_cast<Reply*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0))) {
    const size_t length = text.size() < sizeof reply->text ? text.size() : sizeof reply->text;
    text.copy(reply->text, length);
    reply->length = static_cast<DWORD>(length);
    UnmapViewOfFile(reply);
  }
  CloseHandle(mapping);
}

}  // namespace
}  // namespace marquill::e2e::probe

extern "C" __declspec(dllexport) LRESULT CALLBACK
    ProbeCallWndProc(int code, WPARAM wParam, LPARAM lParam) {
  using namespace marquill::e2e::probe;
  static const UINT message = RegisterWindowMessageW(kMessageName);
  if (code == HC_ACTION) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (call->message == message) WriteReply(call->lParam, Answer(call->hwnd, call->wParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
