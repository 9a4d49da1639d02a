// The Win32 backend: one child window per control.
#include <windows.h>

#include <commctrl.h>
#include <imm.h>

#include <algorithm>

#include "win32/accessibility.h"
#include "win32/backend.h"
#include "win32/drop_target.h"
#include "win32/ole.h"
#include "win32/resource_ids.h"
#include "win32/text.h"

namespace marquill::win32 {
namespace {

using toolkit::ControlKind;

struct WindowKind {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

WindowKind KindOf(const toolkit::ControlDef& def) {
  switch (def.kind) {
    case ControlKind::Button:
      return {L"BUTTON",
              static_cast<DWORD>(
                  (def.style & toolkit::kDefaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) |
                  WS_TABSTOP),
              0};
    case ControlKind::CheckBox:
      return {L"BUTTON", BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP, 0};
    case ControlKind::OptionButton:
      // Only the first button of a group is a tab stop; arrows move within it.
      return {
          L"BUTTON",
          static_cast<DWORD>(BS_AUTORADIOBUTTON | BS_MULTILINE | (def.index == 0 ? WS_TABSTOP : 0)),
          0};
    case ControlKind::ListBox:
      return {L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
              0};
    case ControlKind::TextBox:
      // A text that only shows wraps its lines, and scrolls when they do not
      // fit; its scroll bar is the control's own to show (see FitScrollBar).
      // Like a Properties dialog's fields, Tab reaches it to read and copy.
      if (def.style & toolkit::kReadOnlyText)
        return {L"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_TABSTOP, 0};
      return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::Label:
      // A text the program sets as it runs shows an ampersand as it is.
      return {L"STATIC",
              static_cast<DWORD>(SS_LEFT | (def.style & toolkit::kLiveRegion ? SS_NOPREFIX : 0)),
              0};
    case ControlKind::Frame:
      return {L"BUTTON", BS_GROUPBOX, WS_EX_TRANSPARENT};
    case ControlKind::Line:
      // The system's etched rule follows the user's colours, high contrast too.
      return {L"STATIC", SS_ETCHEDHORZ, 0};
    case ControlKind::Picture:
      // The icon centred in the control's own rectangle, not resized to it.
      return {L"STATIC", SS_ICON | SS_CENTERIMAGE | SS_REALSIZECONTROL, 0};
    case ControlKind::MonthCalendar:
      return {MONTHCAL_CLASSW, WS_TABSTOP | WS_BORDER, 0};
    case ControlKind::ListView:
      return {WC_LISTVIEWW,
              LVS_REPORT | LVS_OWNERDATA | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS | WS_TABSTOP,
              WS_EX_CLIENTEDGE};
  }
  return {L"STATIC", 0, 0};
}

constexpr wchar_t kOriginalProc[] = L"Marquill.OriginalProc";

// Keys of a multi-line edit: it asks the dialog manager for every key, and then
// closes its window on Esc and sends Enter to a default button. Tab, Enter and
// Esc go to the dialog manager instead, and Ctrl+A selects all it shows.
LRESULT MultiLineKey(HWND hwnd, UINT message, WPARAM wParam, LRESULT result) {
  if (message == WM_GETDLGCODE) return result & ~(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE);
  if (message == WM_KEYDOWN && wParam == 'A' && GetKeyState(VK_CONTROL) < 0)
    SendMessageW(hwnd, EM_SETSEL, 0, -1);
  return result;
}

// The messages a control must see before its own window procedure: an edit's
// keys, and a screen reader's question to a control its table names. Windows'
// own subclassing (SetWindowSubclass) would do as well, but under Wine it slows
// every message to a list of hundreds of rows enough to show.
LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* control = reinterpret_cast<ControlWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  // Handlers run from here too: no exception may leave the procedure.
  if (control) return Guarded([&] { return control->Intercept(message, wParam, lParam); }, 0);
  // Its control has gone, but a later subclass still passes messages on here.
  const auto original = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kOriginalProc));
  if (message == WM_NCDESTROY) RemovePropW(hwnd, kOriginalProc);
  return original ? CallWindowProcW(original, hwnd, message, wParam, lParam)
                  : DefWindowProcW(hwnd, message, wParam, lParam);
}

// The height of one line of an edit, as it lays its lines out.
int LineHeight(HWND edit) {
  const HDC dc = GetDC(edit);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(edit, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(edit, dc);
  return std::max(1, static_cast<int>(metrics.tmHeight));
}

// A list shows whole rows only, however its height and font scale: its rows
// share out the height it has. The list box sets its row height from the
// font on WM_SETFONT, so this follows that.
void FitListRows(HWND list) {
  RECT client;
  GetClientRect(list, &client);
  const auto fontRow = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  if (fontRow <= 0 || client.bottom < fontRow) return;
  const int rows = client.bottom / fontRow;
  SendMessageW(list, LB_SETITEMHEIGHT, 0, client.bottom / rows);
}

// Most runs never open a date picker: the start registers no calendar class.
void RegisterDateClasses() {
  [[maybe_unused]] static const BOOL registered = [] {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_DATE_CLASSES};
    return InitCommonControlsEx(&controls);
  }();
}

// A list view draws no more of an item than this, whatever its buffer.
constexpr int kShownItemLength = 259;
// The warning colour of marked items, where the user's colours allow one.
constexpr COLORREF kWarningRed = RGB(200, 0, 0);

// A list's one column is as wide as the longest item it draws, so the rest of
// a long line can be scrolled to.
void FitListColumn(HWND list, HFONT font) {
  const int width = TextRuler(font).metrics().tmAveCharWidth * (kShownItemLength + 1);
  SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(width, 0));
}

// The start of `line` as a list view shows it: at most `room` - 1 characters,
// tabs set every eight.
void ShownItem(std::string_view line, wchar_t* shown, int room) {
  const std::wstring wide = Widen(line.substr(0, 4 * static_cast<size_t>(room)));
  int at = 0;
  for (wchar_t c : wide) {
    if (at + 1 >= room) break;
    if (c != L'\t') {
      shown[at++] = c;
      continue;
    }
    do shown[at++] = L' ';
    while (at % 8 != 0 && at + 1 < room);
  }
  shown[at] = L'\0';
}

bool HighContrast() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

bool IsButton(ControlKind kind) {
  return kind == ControlKind::Button || kind == ControlKind::CheckBox ||
         kind == ControlKind::OptionButton;
}

}  // namespace

ControlWindow::ControlWindow(FormWindow& form, const toolkit::ControlDef& def,
                             toolkit::ControlEvents& events, int id)
    : form_(form), def_(def), events_(events), id_(id) {
  WindowKind kind = KindOf(def);
  if (def.kind == ControlKind::MonthCalendar) RegisterDateClasses();
  // Every control starts a group except the later buttons of an option group,
  // so each option group is one dialog group.
  DWORD group = def.kind == ControlKind::OptionButton && def.index > 0 ? 0 : WS_GROUP;
  // Created at its place with its font and no repaint: a hundred controls
  // each moved and redrawn once more would slow the Options dialog down.
  const RECT r = form.ControlRect(def);
  hwnd_ =
      CreateWindowExW(kind.exStyle, kind.className, Widen(def.caption).c_str(),
                      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | group | kind.style, r.left, r.top,
                      r.right - r.left, r.bottom - r.top, form.hwnd(),
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), form.instance(), nullptr);
  if (!hwnd_) throw CannotCreateWindow(def.name, GetLastError());
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(form.font()), FALSE);
  if (def.style & toolkit::kAppIcon) ShowAppIcon();
  if (def.kind == ControlKind::ListBox) FitListRows(hwnd_);
  if (def.kind == ControlKind::ListView) {
    SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    LVCOLUMNW column{};
    SendMessageW(hwnd_, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    FitListColumn(hwnd_, form.font());
  }
  if (def.kind == ControlKind::TextBox) {
    SendMessageW(hwnd_, EM_SETLIMITTEXT, 0, 0);  // no limit of its own
    InterceptMessages();
  }
  // Without a context the keyboard types plain digits, whatever input method is on.
  if (def.style & toolkit::kNoInputMethod) ImmAssociateContextEx(hwnd_, nullptr, 0);
  if (def.style & (toolkit::kDropsFolder | toolkit::kDropsFile)) {
    dropTarget_ = new DropTarget(
        hwnd_, [this](const DropTarget::Items& items) { return events_.WouldTake(items); },
        [this](const DropTarget::Items& items) { events_.OnPeerDrop(items); });
    if (OleStarted())
      AcceptDrops();
    else
      form.WantDrops();
  }
}

// The window itself goes with its form's: a child window is its parent's to
// destroy. From here on it reports nothing.
ControlWindow::~ControlWindow() {
  form_.Forget(id_);
  StopIntercepting();
  if (dropTarget_) dropTarget_->Revoke();
}

void ControlWindow::AcceptDrops() {
  if (dropTarget_) dropTarget_->Register();
}

void ControlWindow::SetAccessibleName(const std::string& name, bool labelled) {
  accessibleName_ = Widen(name);
  // A text box named by the label just before it is named so by the system
  // already, which is the most robust way (UI Automation's own edit support
  // included).
  answersName_ = !(def_.kind == ControlKind::TextBox && labelled);
  if (answersName_) InterceptMessages();
}

void ControlWindow::InterceptMessages() {
  if (original_) return;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlProc)));
  SetPropW(hwnd_, kOriginalProc, reinterpret_cast<HANDLE>(original_));
}

void ControlWindow::StopIntercepting() {
  if (!original_) return;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  // Put back only while it is still ours: a subclass that came later calls it
  // on, and it then passes messages to the original through the property.
  if (GetWindowLongPtrW(hwnd_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&ControlProc)) {
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    RemovePropW(hwnd_, kOriginalProc);
  }
  original_ = nullptr;
}

LRESULT ControlWindow::Intercept(UINT message, WPARAM wParam, LPARAM lParam) {
  const WNDPROC original = original_;
  if (message == WM_NCDESTROY) {
    StopIntercepting();
    return CallWindowProcW(original, hwnd_, message, wParam, lParam);
  }
  // The control answers for its client area, named as its table says.
  if (message == WM_GETOBJECT && answersName_ &&
      static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT))
    if (const LRESULT answer = NamedAccessibleObject(hwnd_, wParam, accessibleName_)) return answer;
  if (def_.kind != ControlKind::TextBox)
    return CallWindowProcW(original, hwnd_, message, wParam, lParam);
  const bool multiLine = (GetWindowLongW(hwnd_, GWL_STYLE) & ES_MULTILINE) != 0;
  if (multiLine && (wParam == VK_ESCAPE || wParam == VK_RETURN)) {
    if (message == WM_CHAR) return 0;
    // Marquill's loop gives these keys to the dialog manager. One that comes
    // here came through another modal loop (the folder browser's, an Open
    // box's): the edit would close the window on Esc, so the window gets what
    // the dialog manager would have given it.
    if (message == WM_KEYDOWN) {
      OnKey(toolkit::PeerEvent::KeyDown, wParam);
      SendMessageW(GetParent(hwnd_), WM_COMMAND, wParam == VK_ESCAPE ? IDCANCEL : IDOK, 0);
      return 0;
    }
  }
  if (message == WM_VSCROLL && (def_.style & toolkit::kReadOnlyText)) return Scroll(LOWORD(wParam));
  // Keys reach the toolkit from the edit control itself. The dialog manager
  // keeps the key-downs of Tab, Enter and Esc from the edit, but first asks it
  // with WM_GETDLGCODE about each key-down addressed to it; a key-down seen
  // both ways counts as one press.
  const MSG* asked = message == WM_GETDLGCODE ? reinterpret_cast<const MSG*>(lParam) : nullptr;
  if (asked && asked->message == WM_KEYDOWN && asked->hwnd == hwnd_)
    OnKey(toolkit::PeerEvent::KeyDown, asked->wParam);
  if (message == WM_KEYDOWN) OnKey(toolkit::PeerEvent::KeyDown, wParam);
  LRESULT result = CallWindowProcW(original, hwnd_, message, wParam, lParam);
  if (multiLine) result = MultiLineKey(hwnd_, message, wParam, result);
  if (message == WM_KEYUP) OnKey(toolkit::PeerEvent::KeyUp, wParam);
  if (def_.style & toolkit::kReadOnlyText) {
    switch (message) {
      // What may change its lines or which of them show: a drag that selects
      // scrolls them too.
      case WM_MOUSEMOVE:
        if (!(wParam & MK_LBUTTON)) break;
        [[fallthrough]];
      case WM_SETTEXT:
      case WM_SIZE:
      case WM_SETFONT:
      case WM_KEYDOWN:
      case WM_MOUSEWHEEL:
      case WM_TIMER:
      case EM_SETSEL:
      case EM_SCROLLCARET:
      case EM_LINESCROLL:
        FitScrollBar();
        break;
      default:
        break;
    }
  }
  return result;
}

void ControlWindow::FitScrollBar() {
  if (fittingScrollBar_) return;
  fittingScrollBar_ = true;
  const auto shown = [&] { return (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VSCROLL) != 0; };
  // Shown or hidden, the bar changes the width the lines wrap in: once more
  // with it changed settles it.
  for (int pass = 0; pass < 2 && (LineCount() > VisibleLines()) != shown(); ++pass)
    ShowScrollBar(hwnd_, SB_VERT, !shown());
  if (shown()) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = LineCount() - 1;
    info.nPage = static_cast<UINT>(VisibleLines());
    info.nPos = static_cast<int>(SendMessageW(hwnd_, EM_GETFIRSTVISIBLELINE, 0, 0));
    SetScrollInfo(hwnd_, SB_VERT, &info, TRUE);
  }
  fittingScrollBar_ = false;
}

int ControlWindow::LineCount() const {
  return std::max(1, static_cast<int>(SendMessageW(hwnd_, EM_GETLINECOUNT, 0, 0)));
}

int ControlWindow::VisibleLines() const {
  RECT format{};
  SendMessageW(hwnd_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  return std::max(1, static_cast<int>((format.bottom - format.top) / LineHeight(hwnd_)));
}

LRESULT ControlWindow::Scroll(int request) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(hwnd_, SB_VERT, &info);
  const int first = static_cast<int>(SendMessageW(hwnd_, EM_GETFIRSTVISIBLELINE, 0, 0));
  const int page = static_cast<int>(info.nPage);
  int target = first;
  switch (request) {
    case SB_LINEUP:
      target = first - 1;
      break;
    case SB_LINEDOWN:
      target = first + 1;
      break;
    case SB_PAGEUP:
      target = first - page;
      break;
    case SB_PAGEDOWN:
      target = first + page;
      break;
    case SB_TOP:
      target = 0;
      break;
    case SB_BOTTOM:
      target = info.nMax;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      target = info.nTrackPos;
      break;
    default:
      break;
  }
  target = std::clamp(target, 0, std::max(0, info.nMax - page + 1));
  if (target != first) SendMessageW(hwnd_, EM_LINESCROLL, 0, target - first);
  FitScrollBar();
  return 0;
}

void ControlWindow::RefuseDrop() { MessageBeep(MB_OK); }

void ControlWindow::ShowAppIcon() {
  SendMessageW(hwnd_, STM_SETICON, reinterpret_cast<WPARAM>(form_.AppIcon()), 0);
}

void ControlWindow::Move() {
  const RECT r = form_.ControlRect(def_);
  SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void ControlWindow::Place(HFONT font) {
  Move();
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  if (def_.kind == ControlKind::ListBox) FitListRows(hwnd_);
  if (def_.kind == ControlKind::ListView) FitListColumn(hwnd_, font);
  if (def_.style & toolkit::kAppIcon) ShowAppIcon();
}

std::string ControlWindow::Text() const {
  std::wstring text(GetWindowTextLengthW(hwnd_) + 1, L'\0');
  text.resize(GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size())));
  return Narrow(text);
}

void ControlWindow::SetText(const std::string& text) {
  SetTextQuietly(text);
  if (def_.style & toolkit::kLiveRegion) AnnounceLiveRegion(hwnd_, liveMarked_);
  // An edit's room is for a line, whatever it holds; a live region's is what
  // its table gives it.
  if (def_.kind != ControlKind::TextBox && !(def_.style & toolkit::kLiveRegion))
    form_.CaptionChanged();
}

void ControlWindow::SetTextQuietly(const std::string& text) {
  SetWindowTextW(hwnd_, Widen(text).c_str());
}

int ControlWindow::Check() const {
  return IsButton(def_.kind) ? static_cast<int>(SendMessageW(hwnd_, BM_GETCHECK, 0, 0)) : 0;
}

void ControlWindow::SetCheck(int state) {
  SendMessageW(hwnd_, BM_SETCHECK, state, 0);
  if (def_.kind == ControlKind::OptionButton) form_.PlaceGroupTabStop(def_.id);
}

bool ControlWindow::Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }

void ControlWindow::SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled); }

void ControlWindow::Focus() {
  // Through the dialog manager, so the default button and edit selection follow.
  SendMessageW(form_.hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hwnd_), TRUE);
}

void ControlWindow::AddItem(const std::string& item) {
  SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
}

int ControlWindow::Selected() const {
  LRESULT selected = SendMessageW(hwnd_, LB_GETCURSEL, 0, 0);
  return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

void ControlWindow::SetSelected(int position) { SendMessageW(hwnd_, LB_SETCURSEL, position, 0); }

Date ControlWindow::GetDate() const {
  SYSTEMTIME time{};
  SendMessageW(hwnd_, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&time));
  return {time.wYear, time.wMonth, time.wDay};
}

void ControlWindow::SetDate(const Date& date) {
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(date.year);
  time.wMonth = static_cast<WORD>(date.month);
  time.wDay = static_cast<WORD>(date.day);
  SendMessageW(hwnd_, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&time));
}

int ControlWindow::ShiftState() const {
  // As of the key message being handled, not as the keyboard is now.
  auto held = [](int key) { return GetKeyState(key) < 0; };
  return (held(VK_SHIFT) ? toolkit::kShiftMask : 0) | (held(VK_CONTROL) ? toolkit::kCtrlMask : 0) |
         (held(VK_MENU) ? toolkit::kAltMask : 0);
}

void ControlWindow::SetItemCount(std::size_t count) {
  // A list that showed its end goes on showing it as items arrive.
  const auto before = static_cast<size_t>(SendMessageW(hwnd_, LVM_GETITEMCOUNT, 0, 0));
  const auto top = static_cast<size_t>(SendMessageW(hwnd_, LVM_GETTOPINDEX, 0, 0));
  const auto page = static_cast<size_t>(SendMessageW(hwnd_, LVM_GETCOUNTPERPAGE, 0, 0));
  const bool atEnd = top + page >= before;
  // Drawn when the program next waits, not while the items arrive.
  SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(hwnd_, LVM_SETITEMCOUNT, count,
               count >= before ? LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL : 0);
  if (atEnd && count > before) SendMessageW(hwnd_, LVM_ENSUREVISIBLE, count - 1, FALSE);
  SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

std::vector<std::size_t> ControlWindow::SelectedItems() const {
  std::vector<std::size_t> selected;
  if (def_.kind != ControlKind::ListView) return selected;
  const auto count = static_cast<size_t>(SendMessageW(hwnd_, LVM_GETITEMCOUNT, 0, 0));
  const auto chosen = static_cast<size_t>(SendMessageW(hwnd_, LVM_GETSELECTEDCOUNT, 0, 0));
  selected.reserve(chosen);
  if (chosen == count) {
    for (size_t i = 0; i < count; ++i) selected.push_back(i);
    return selected;
  }
  for (LRESULT i = -1; (i = SendMessageW(hwnd_, LVM_GETNEXTITEM, i, LVNI_SELECTED)) >= 0;)
    selected.push_back(static_cast<size_t>(i));
  return selected;
}

void ControlWindow::SelectAll() {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED;
  item.state = LVIS_SELECTED;
  SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
}

LRESULT ControlWindow::OnNotify(const NMHDR& header) {
  if (def_.kind != ControlKind::ListView) return 0;
  switch (header.code) {
    case LVN_GETDISPINFOW: {
      LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header))->item;
      if ((item.mask & LVIF_TEXT) && item.cchTextMax > 0)
        ShownItem(events_.ItemText(static_cast<size_t>(item.iItem)), item.pszText,
                  std::min(item.cchTextMax, kShownItemLength + 1));
      return 0;
    }
    case NM_CUSTOMDRAW: {
      auto& draw = *reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(&header));
      // The user's high-contrast colours are never overridden.
      if (draw.nmcd.dwDrawStage == CDDS_PREPAINT)
        return HighContrast() ? CDRF_DODEFAULT : CDRF_NOTIFYITEMDRAW;
      if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT &&
          events_.ItemMarked(static_cast<size_t>(draw.nmcd.dwItemSpec)))
        draw.clrText = kWarningRed;
      return CDRF_DODEFAULT;
    }
    case LVN_KEYDOWN:
      // Sent by the list's own window procedure: keys reach it in any loop.
      OnKey(toolkit::PeerEvent::KeyDown, reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey);
      return 0;
    default:
      return 0;
  }
}

void ControlWindow::OnNotify(int code) {
  using toolkit::PeerEvent;
  switch (def_.kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
      if (code == BN_CLICKED) events_.OnPeerEvent(PeerEvent::Clicked, 0);
      break;
    case ControlKind::ListBox:
      if (code == LBN_SELCHANGE) events_.OnPeerEvent(PeerEvent::SelectionChanged, 0);
      if (code == LBN_KILLFOCUS) events_.OnPeerEvent(PeerEvent::LostFocus, 0);
      break;
    case ControlKind::TextBox:
      if (code == EN_KILLFOCUS) events_.OnPeerEvent(PeerEvent::LostFocus, 0);
      break;
    default:
      break;
  }
}

}  // namespace marquill::win32
