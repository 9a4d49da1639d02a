// The Win32 backend: one top-level window per form, and the message loop.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "win32/backend.h"
#include "win32/drop_target.h"
#include "win32/layout_fit.h"
#include "win32/ole.h"
#include "win32/resource_ids.h"
#include "win32/system_function.h"
#include "win32/text.h"

namespace marquill::win32 {
namespace {

constexpr wchar_t kFormClass[] = L"MarquillForm";
constexpr int kMenuBase = 1000;
// Set by a control that takes drops. A timer's message comes only once the
// windows have been painted: OLE starts after the window is on the screen.
constexpr UINT_PTR kStartDropsTimer = 1;

UINT WindowDpi(HWND hwnd) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static auto getDpiForWindow = SystemFunction<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
  if (getDpiForWindow) {
    UINT dpi = getDpiForWindow(hwnd);
    if (dpi) return dpi;
  }
  HDC screen = GetDC(nullptr);
  UINT dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
  return dpi ? dpi : 96;
}

// The system's message font for `dpi`.
HFONT MessageFont(UINT dpi) {
  using SpiForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
  static auto spiForDpi = SystemFunction<SpiForDpiFn>(L"user32.dll", "SystemParametersInfoForDpi");
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!spiForDpi || !spiForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HDC screen = GetDC(nullptr);
    int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, systemDpi);
  }
  return CreateFontIndirectW(&metrics.lfMessageFont);
}

// The dialog base units of the system's message font at 96 dpi, which the
// layout is scaled by at every dpi: measured at each dpi's own size they would
// round differently from one dpi to the next.
SIZE MessageBaseUnits() {
  const UniqueFont font(MessageFont(96));
  return TextRuler(font.get()).BaseUnits();
}

RECT WorkAreaOf(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(monitor, &info);
  return info.rcWork;
}

// Where a window's edge goes so that its `size` pixels lie between `low` and
// `high`: centred, or moved in as little as needed; the top-left stays in
// view when it is larger.
int EdgeWithin(bool centred, int at, int size, int low, int high) {
  return std::max(low, centred ? low + (high - low - size) / 2 : std::min(at, high - size));
}

ATOM FormClass(HINSTANCE instance, WNDPROC proc) {
  static ATOM atom = 0;
  if (!atom) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFormClass;
    atom = RegisterClassExW(&wc);
  }
  return atom;
}

// The size the system asks for of a large (SM_CXICON) or small (SM_CXSMICON)
// icon at `dpi`: 32 or 16 pixels at 96, and what the user's settings make of
// them.
int IconSize(int metric, UINT dpi) {
  using MetricsForDpiFn = int(WINAPI*)(int, UINT);
  static auto forDpi = SystemFunction<MetricsForDpiFn>(L"user32.dll", "GetSystemMetricsForDpi");
  const int size = forDpi ? forDpi(metric, dpi) : 0;
  return size > 0 ? size : Scale(metric == SM_CXICON ? 32 : 16, dpi);
}

// The icon at `metric`'s size for `dpi`, made from the nearest larger image
// rather than a smaller one blown up (LoadImage takes the 32-pixel image for 40).
UniqueIcon LoadFormIcon(HINSTANCE instance, toolkit::FormIcon icon, int metric, UINT dpi) {
  if (icon == toolkit::FormIcon::None) return nullptr;
  const wchar_t* id =
      MAKEINTRESOURCEW(icon == toolkit::FormIcon::Options ? IDI_OPTIONS : IDI_PROGRAM);
  const int size = IconSize(metric, dpi);
  using ScaleDownFn = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
  static auto scaleDown = SystemFunction<ScaleDownFn>(L"comctl32.dll", "LoadIconWithScaleDown");
  HICON loaded = nullptr;
  if (!scaleDown || FAILED(scaleDown(instance, id, size, size, &loaded)))
    loaded = static_cast<HICON>(LoadImageW(instance, id, IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
  return UniqueIcon(loaded);
}

HMENU BuildMenu(std::span<const toolkit::MenuDef> menus) {
  if (menus.empty()) return nullptr;
  HMENU bar = CreateMenu();
  std::vector<HMENU> popups(menus.size(), nullptr);
  for (size_t i = 0; i < menus.size(); ++i) {
    const toolkit::MenuDef& menu = menus[i];
    std::wstring caption = Widen(menu.caption);
    if (menu.parent < 0) {
      popups[i] = CreatePopupMenu();
      AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popups[i]),
                  caption.c_str());
    } else {
      AppendMenuW(popups[menu.parent], MF_STRING, kMenuBase + i, caption.c_str());
    }
  }
  return bar;
}

// The Ctrl+letter keys that menu items show after a tab ("&Save Job\tCtrl+S").
HACCEL BuildShortcuts(std::span<const toolkit::MenuDef> menus) {
  constexpr std::string_view kCtrl = "\tCtrl+";
  std::vector<ACCEL> keys;
  for (size_t i = 0; i < menus.size(); ++i) {
    const std::string_view caption = menus[i].caption;
    const size_t at = caption.find(kCtrl);
    if (at == std::string_view::npos || caption.size() != at + kCtrl.size() + 1) continue;
    keys.push_back(
        {FVIRTKEY | FCONTROL, static_cast<WORD>(caption.back()), static_cast<WORD>(kMenuBase + i)});
  }
  return keys.empty() ? nullptr
                      : CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
}

bool Sizable(const toolkit::FormDef& def) { return def.border == toolkit::FormBorder::Sizable; }

DWORD FormStyle(const toolkit::FormDef& def) {
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  if (def.border != toolkit::FormBorder::FixedDialog) style |= WS_MINIMIZEBOX;
  if (Sizable(def)) style |= WS_THICKFRAME | WS_MAXIMIZEBOX;
  return style;
}

SIZE SizeOf(const RECT& r) { return {r.right - r.left, r.bottom - r.top}; }

DWORD FormExStyle(const toolkit::FormDef& def) {
  // A dialog frame shows no icon in the caption.
  return def.border == toolkit::FormBorder::FixedDialog || def.icon == toolkit::FormIcon::None
             ? WS_EX_DLGMODALFRAME
             : 0;
}

// Menu captions without an access key ("Tools", "Options") are reached by
// their first letter, as a keyboard user expects.
LRESULT MenuItemByFirstLetter(HMENU menu, wchar_t key) {
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t caption[128];
    if (GetMenuStringW(menu, i, caption, 128, MF_BYPOSITION) <= 0) continue;
    if (wcschr(caption, L'&')) continue;
    if (CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(caption[0]))) ==
        CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(key))))
      return MAKELRESULT(i, MNC_EXECUTE);
  }
  return MAKELRESULT(0, MNC_IGNORE);
}

}  // namespace

FormWindow::FormWindow(HINSTANCE instance, const toolkit::FormDef& def, toolkit::FormEvents& events,
                       int& startupShow, HWND mainWindow)
    : instance_(instance), def_(def), events_(events), startupShow_(startupShow) {
  FormClass(instance, &FormWindow::WindowProc);
  UniqueMenu menu(BuildMenu(def.menus));
  hwnd_ =
      CreateWindowExW(FormExStyle(def), kFormClass, Widen(def.caption).c_str(), FormStyle(def),
                      CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, nullptr, menu.get(), instance, this);
  if (!hwnd_) throw CannotCreateWindow(def.name, GetLastError());
  hasMenu_ = menu.release() != nullptr;  // the window has it now
  shortcuts_.reset(BuildShortcuts(def.menus));
  if (def.style & toolkit::kDropsFile) {
    dropTarget_ = new DropTarget(
        hwnd_, [this](const DropTarget::Items& items) { return events_.WouldTake(items); },
        [this](const DropTarget::Items& items) { events_.OnPeerDrop(items); });
    WantDrops();
  }
  if (mainWindow && IsWindow(mainWindow)) MoveToMonitorOf(mainWindow);
  baseUnits_ = MessageBaseUnits();
  ApplyDpi(WindowDpi(hwnd_), nullptr);
  // It opens whole inside the work area: centred there, or where the system
  // put it, moved in if any part lies outside.
  RECT window;
  GetWindowRect(hwnd_, &window);
  const RECT work = WorkAreaOf(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST));
  SetWindowPos(
      hwnd_, nullptr,
      EdgeWithin(def.centred, window.left, window.right - window.left, work.left, work.right),
      EdgeWithin(def.centred, window.top, window.bottom - window.top, work.top, work.bottom), 0, 0,
      SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::MoveToMonitorOf(HWND mainWindow) {
  // The system puts a new window on the primary monitor; the user works on the
  // main window's. Moved there before its layout is applied, the window takes
  // that monitor's dpi. Where the system put it stays, relative to the work area.
  const HMONITOR target = MonitorFromWindow(mainWindow, MONITOR_DEFAULTTONEAREST);
  const HMONITOR placed = MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST);
  if (target == placed) return;
  RECT window;
  GetWindowRect(hwnd_, &window);
  const RECT from = WorkAreaOf(placed);
  const RECT to = WorkAreaOf(target);
  SetWindowPos(hwnd_, nullptr,
               EdgeWithin(false, window.left - from.left + to.left, window.right - window.left,
                          to.left, to.right),
               EdgeWithin(false, window.top - from.top + to.top, window.bottom - window.top, to.top,
                          to.bottom),
               0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

FormWindow::~FormWindow() {
  if (dropTarget_) dropTarget_->Revoke();
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  // Its controls' windows and its menu go with it; its font and icons after.
  DestroyWindow(hwnd_);
}

bool FormWindow::IsFormWindow(HWND hwnd) {
  wchar_t name[32];
  return GetClassNameW(hwnd, name, 32) && lstrcmpW(name, kFormClass) == 0;
}

bool FormWindow::TranslateShortcut(HWND root, MSG& message) {
  const auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(root, GWLP_USERDATA));
  return self && self->shortcuts_ && TranslateAcceleratorW(root, self->shortcuts_.get(), &message);
}

std::unique_ptr<toolkit::ControlPeer> FormWindow::CreateControl(const toolkit::ControlDef& def,
                                                                toolkit::ControlEvents& events) {
  int id = nextId_++;
  auto control = std::make_unique<ControlWindow>(*this, def, events, id);
  controls_[id] = control.get();
  if (def.style & toolkit::kDefaultButton) SendMessageW(hwnd_, DM_SETDEFID, id, 0);
  return control;
}

void FormWindow::SetCaption(const std::string& caption) {
  SetWindowTextW(hwnd_, Widen(caption).c_str());
}

void FormWindow::Show() {
  if (!IsWindowVisible(hwnd_)) InitKeyboardCues();
  // The first window shown takes the state the program was started with (a
  // shortcut's "Run: Minimised"); a window asked for again comes back
  // restored if it was minimised.
  int show = IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW;
  const int startup = std::exchange(startupShow_, kStartupShowTaken);
  if (startup != kStartupShowTaken) show = startup;
  ShowWindow(hwnd_, show);
  // Windows makes the first call take the starter's STARTUPINFO state, whatever
  // it asks: started hidden, the window is shown by a second call.
  if (startup == SW_HIDE) ShowWindow(hwnd_, SW_SHOWNORMAL);
  if (IsIconic(hwnd_)) return;
  SetForegroundWindow(hwnd_);
  BringWindowToTop(hwnd_);
}

void FormWindow::InitKeyboardCues() {
  // As the dialog manager does for a dialog once its controls exist: access-key
  // underlines and focus rectangles hidden when the window was opened with the
  // mouse, unless the user has them always shown.
  BOOL alwaysShown = FALSE;
  SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &alwaysShown, 0);
  if (!alwaysShown) SendMessageW(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, 0), 0);
}

void FormWindow::Hide() { ShowWindow(hwnd_, SW_HIDE); }

bool FormWindow::Visible() const { return IsWindowVisible(hwnd_) != FALSE; }

void FormWindow::Alert() {
  if (GetForegroundWindow() == hwnd_) return;
  // Flashes until the user brings the window to the front.
  FLASHWINFO flash{sizeof flash, hwnd_, FLASHW_TRAY | FLASHW_TIMERNOFG, 0, 0};
  FlashWindowEx(&flash);
}

void FormWindow::RefuseDrop() { MessageBeep(MB_OK); }

void FormWindow::ApplyDpi(UINT dpi, const RECT* suggested, bool onlyIfChanged) {
  const RECT frame = FrameAt(FormStyle(def_), FormExStyle(def_), hasMenu_, dpi);
  const RECT work = WorkAreaOf(suggested ? MonitorFromRect(suggested, MONITOR_DEFAULTTONEAREST)
                                         : MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST));
  Layout layout = PlanLayout(dpi, frame, work);
  if (onlyIfChanged && layout.dpi == layoutDpi_ && layout.scale == scale_) return;
  layoutDpi_ = layout.dpi;
  scale_ = layout.scale;
  captionRuns_ = std::move(layout.runs);
  // The old font and icons go once nothing shows them any more.
  UniqueFont oldFont = std::exchange(font_, std::move(layout.font));
  SetIcons(dpi);
  UniqueIcon oldApp = std::move(appIcon_);
  SIZE size = WindowSize(scale_, frame);
  RECT at{};
  GetWindowRect(hwnd_, &at);
  // A window the user sizes keeps the size given it, or that the system
  // suggests for the new dpi, unless its layout needs more.
  if (Sizable(def_) && (suggested || IsWindowVisible(hwnd_))) {
    const SIZE kept = SizeOf(suggested ? *suggested : at);
    size = {std::max(size.cx, kept.cx), std::max(size.cy, kept.cy)};
  }
  // Where the system suggests; a centred window or one on the screen about its
  // centre as it was, inside the work area; one the system placed and not yet
  // shown where the system put it.
  const bool shown = def_.centred || IsWindowVisible(hwnd_);
  const int left = suggested ? suggested->left
                   : shown   ? EdgeWithin(false, (at.left + at.right - size.cx) / 2, size.cx,
                                          work.left, work.right)
                             : at.left;
  const int top = suggested ? suggested->top
                  : shown ? EdgeWithin(false, (at.top + at.bottom - size.cy) / 2, size.cy, work.top,
                                       work.bottom)
                          : at.top;
  if (IsIconic(hwnd_) && !suggested) {
    // A minimised window comes back at the new size.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(hwnd_, &placement);
    RECT& normal = placement.rcNormalPosition;
    normal = {normal.left, normal.top, normal.left + size.cx, normal.top + size.cy};
    // Minimised it stays, and in the background; hidden, hidden.
    placement.showCmd = IsWindowVisible(hwnd_) ? SW_SHOWMINNOACTIVE : SW_HIDE;
    SetWindowPlacement(hwnd_, &placement);
  } else {
    SetWindowPos(hwnd_, nullptr, left, top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  for (auto& [id, control] : controls_) control->Place(font_.get());
}

// The layout at `dpi` inside `work` with the window's `frame` at that dpi. A
// window too large for its monitor's work area at its dpi has its layout,
// rectangles and font together, scaled to the largest smaller dpi that fits;
// its frame and icons stay at the monitor's. At that dpi its captions are
// measured again, in the font it will then have.
FormWindow::Layout FormWindow::PlanLayout(UINT dpi, const RECT& frame, const RECT& work) const {
  const SIZE room{work.right - work.left - (frame.right - frame.left),
                  work.bottom - work.top - (frame.bottom - frame.top)};
  auto tooLarge = [&](const LayoutScale& scale) {
    const SIZE client = WindowSize(scale, {});
    return client.cx > room.cx || client.cy > room.cy;
  };
  for (int layoutDpi = static_cast<int>(dpi);;) {
    while (layoutDpi > 1 && tooLarge(LayoutScale(layoutDpi, baseUnits_))) --layoutDpi;
    Layout layout{static_cast<UINT>(layoutDpi),
                  LayoutScale(layoutDpi, baseUnits_),
                  UniqueFont(MessageFont(layoutDpi)),
                  {}};
    const TextRuler ruler(layout.font.get());
    layout.runs = CaptionRuns(def_, ruler, layout.dpi);
    std::vector<ControlNeeds> needs;
    needs.reserve(controls_.size());
    for (const auto& [id, control] : controls_)
      needs.emplace_back(control->hwnd(), control->def(), def_, layout.runs, ruler,
                         layout.font.get(), layout.dpi);
    layout.scale = layout.scale.WithExtra(FitExtra(needs, layout.scale, layout.runs, ruler));
    if (layoutDpi == 1 || !tooLarge(layout.scale)) return layout;
    // The captions need more than the room left at this dpi: a smaller one,
    // in proportion to what they overrun.
    const SIZE client = WindowSize(layout.scale, {});
    layoutDpi = std::clamp(
        std::min(MulDiv(layoutDpi, room.cx, client.cx), MulDiv(layoutDpi, room.cy, client.cy)), 1,
        layoutDpi - 1);
  }
}

SIZE FormWindow::WindowSize(const LayoutScale& scale, const RECT& frame) const {
  return {scale.X(def_.clientWidth) + frame.right - frame.left,
          scale.Y(def_.clientHeight) + frame.bottom - frame.top};
}

RECT FormWindow::ControlRect(const toolkit::ControlDef& def) const {
  RECT r = PlaceControl(def, scale_, captionRuns_);
  if (!Sizable(def_)) return r;
  // What the window has beyond its layout goes to the controls that follow
  // its right and bottom edges.
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int wider = std::max(0, static_cast<int>(client.right) - scale_.X(def_.clientWidth));
  const int taller = std::max(0, static_cast<int>(client.bottom) - scale_.Y(def_.clientHeight));
  if (def.style & toolkit::kFollowsRight) OffsetRect(&r, wider, 0);
  if (def.style & toolkit::kFollowsBottom) OffsetRect(&r, 0, taller);
  if (def.style & toolkit::kGrowsRight) r.right += wider;
  if (def.style & toolkit::kGrowsDown) r.bottom += taller;
  return r;
}

void FormWindow::PlaceGroupTabStop(int id) {
  std::vector<HWND> buttons;
  HWND stop = nullptr;
  for (const auto& [controlId, control] : controls_) {
    const toolkit::ControlDef& def = control->def();
    if (def.kind != toolkit::ControlKind::OptionButton || def.id != id) continue;
    buttons.push_back(control->hwnd());
    if (SendMessageW(control->hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED ||
        (!stop && def.index == 0))
      stop = control->hwnd();
  }
  for (HWND button : buttons) {
    const LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
    SetWindowLongPtrW(button, GWL_STYLE, button == stop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
}

void FormWindow::CaptionChanged() {
  if (Visible()) ApplyDpi(WindowDpi(hwnd_), nullptr, true);
}

// The monitor a window is being dragged onto is the one under the cursor; a
// change of dpi without a drag keeps the window on its own.
HMONITOR FormWindow::NewMonitor() const {
  POINT cursor{};
  GetCursorPos(&cursor);
  const HMONITOR underCursor = MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(underCursor, &info);
  RECT window{}, common{};
  GetWindowRect(hwnd_, &window);
  return IntersectRect(&common, &window, &info.rcMonitor)
             ? underCursor
             : MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST);
}

void FormWindow::WantDrops() { SetTimer(hwnd_, kStartDropsTimer, USER_TIMER_MINIMUM, nullptr); }

void FormWindow::SetIcons(UINT dpi) {
  // The old icons go once the window shows the new ones.
  UniqueIcon oldBig = std::exchange(bigIcon_, LoadFormIcon(instance_, def_.icon, SM_CXICON, dpi));
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
  // A dialog frame shows no icon in its caption: it gets no small one. Alt+Tab
  // shows the big one.
  if (def_.border == toolkit::FormBorder::FixedDialog) return;
  UniqueIcon oldSmall =
      std::exchange(smallIcon_, LoadFormIcon(instance_, def_.icon, SM_CXSMICON, dpi));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

HICON FormWindow::AppIcon() {
  if (!appIcon_)
    appIcon_ = LoadFormIcon(instance_, toolkit::FormIcon::Program, SM_CXICON, layoutDpi_);
  return appIcon_.get();
}

void FormWindow::PressButton(unsigned style) {
  for (auto& [id, control] : controls_)
    if (control->def().style & style) return control->OnNotify(BN_CLICKED);
}

void FormWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  int id = LOWORD(wParam);
  int code = HIWORD(wParam);
  if (lParam) {
    auto control = controls_.find(id);
    if (control != controls_.end()) control->second->OnNotify(code);
    return;
  }
  if (id >= kMenuBase) return events_.OnMenuCommand(id - kMenuBase);
  // The dialog manager's Enter and Esc when no button of that id exists.
  if (id == IDOK) return PressButton(toolkit::kDefaultButton);
  if (id == IDCANCEL) return PressButton(toolkit::kCancelButton);
}

LRESULT FormWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(wParam, lParam);
      return 0;
    case WM_CLOSE:
      events_.OnCloseRequest();
      return 0;
    case WM_ENDSESSION:
      if (wParam) events_.OnCloseRequest();
      return 0;
    case WM_MENUCHAR:
      return MenuItemByFirstLetter(reinterpret_cast<HMENU>(lParam), LOWORD(wParam));
    case WM_DPICHANGED:
      ApplyDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_TIMER:
      if (wParam != kStartDropsTimer) break;
      KillTimer(hwnd_, kStartDropsTimer);
      if (!StartOle()) return 0;
      // Drops on a control that takes none go to the window, if it does.
      if (dropTarget_) dropTarget_->Register();
      for (auto& [id, control] : controls_) control->AcceptDrops();
      return 0;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      const auto control = controls_.find(static_cast<int>(header.idFrom));
      return control == controls_.end() ? 0 : control->second->OnNotify(header);
    }
    case WM_SIZE:
      if (Sizable(def_) && wParam != SIZE_MINIMIZED)
        for (auto& [id, control] : controls_) control->Move();
      break;
    case WM_GETMINMAXINFO:
      if (Sizable(def_)) {
        const SIZE least = WindowSize(
            scale_, FrameAt(FormStyle(def_), FormExStyle(def_), hasMenu_, WindowDpi(hwnd_)));
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {least.cx, least.cy};
      }
      break;
    case WM_GETDPISCALEDSIZE: {
      // A window the user sizes is scaled as it is: the system's answer.
      if (Sizable(def_)) break;
      // The size the layout will have at the new dpi, so that a window dragged
      // onto another monitor keeps its place under the cursor.
      const UINT dpi = LOWORD(wParam);
      const RECT frame = FrameAt(FormStyle(def_), FormExStyle(def_), hasMenu_, dpi);
      *reinterpret_cast<SIZE*>(lParam) =
          WindowSize(PlanLayout(dpi, frame, WorkAreaOf(NewMonitor())).scale, frame);
      return TRUE;
    }
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETNONCLIENTMETRICS) {
        baseUnits_ = MessageBaseUnits();
        ApplyDpi(WindowDpi(hwnd_), nullptr);
      }
      break;
    case WM_SHOWWINDOW:
      // Laid out again with the captions it has now, before it shows them.
      if (wParam) ApplyDpi(WindowDpi(hwnd_), nullptr, true);
      break;
    default:
      break;
  }
  return DefDlgProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK FormWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefDlgProcW(hwnd, message, wParam, lParam);
  return Guarded([&] { return self->Handle(message, wParam, lParam); }, 0);
}

void ReportUnexpected(const char* what) noexcept {
  // A report that itself fails, or one raised while another is shown, is
  // not repeated.
  static bool reporting = false;
  if (reporting) return;
  reporting = true;
  try {
    const std::wstring text =
        L"Marquill met an unexpected error and carries on.\r\n\r\n" + Widen(what);
    MessageBoxW(nullptr, text.c_str(), L"Marquill", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  } catch (...) {
  }
  reporting = false;
}

CannotCreateWindow::CannotCreateWindow(const std::string& window, DWORD error)
    : std::runtime_error("Cannot create the window " + window + ": " + ErrorText(error)) {}

Backend::Backend(HINSTANCE instance, int startupShow)
    : instance_(instance), startupShow_(startupShow) {
  // The month calendar's classes are registered with the first one made.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
}

std::unique_ptr<toolkit::FormPeer> Backend::CreateForm(const toolkit::FormDef& def,
                                                       toolkit::FormEvents& events) {
  auto form = std::make_unique<FormWindow>(instance_, def, events, startupShow_, main_);
  if (!main_) main_ = form->hwnd();
  return form;
}

int RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root && FormWindow::IsFormWindow(root) &&
        (FormWindow::TranslateShortcut(root, message) || IsDialogMessageW(root, &message)))
      continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace marquill::win32
