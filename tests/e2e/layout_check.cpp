#include "layout_check.h"

#include <algorithm>
#include <cstdlib>

#include "driver.h"
#include "toolkit/form.h"
#include "wide_text.h"

namespace marquill::e2e {
namespace {

using toolkit::ControlKind;

// A control as the program created it, beside its row of the table.
struct LiveControl {
  const toolkit::ControlDef* def;
  HWND window;
  RECT rect;  // in the form's client area, screen pixels
  std::string label;
};

std::string Label(const toolkit::ControlDef& def) {
  return def.index < 0 ? def.name : std::string(def.name) + "(" + std::to_string(def.index) + ")";
}

std::string Shown(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
         std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

std::string Shown(SIZE size) { return std::to_string(size.cx) + "x" + std::to_string(size.cy); }

const char* ClassFor(ControlKind kind) {
  switch (kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::Frame:
      return "Button";
    case ControlKind::ListBox:
      return "ListBox";
    case ControlKind::TextBox:
      return "Edit";
    case ControlKind::MonthCalendar:
      return "SysMonthCal32";
    case ControlKind::ListView:
      return "SysListView32";
    case ControlKind::Label:
    case ControlKind::Line:
    case ControlKind::Picture:
      break;
  }
  return "Static";
}

bool DrawsText(ControlKind kind) {
  return kind != ControlKind::Line && kind != ControlKind::Picture;
}

bool SameFont(const LOGFONTW& a, const LOGFONTW& b) {
  return std::abs(a.lfHeight) == std::abs(b.lfHeight) && a.lfWeight == b.lfWeight &&
         a.lfItalic == b.lfItalic && std::wstring(a.lfFaceName) == b.lfFaceName;
}

std::string Describe(const LOGFONTW& font) {
  return Utf8(font.lfFaceName) + " " + std::to_string(std::abs(font.lfHeight)) + " px, weight " +
         std::to_string(font.lfWeight);
}

bool Intersect(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Contains(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

long Area(const RECT& r) { return static_cast<long>(r.right - r.left) * (r.bottom - r.top); }

enum class Shows { Nothing, PushButton, CheckBox, GroupBox, Label, Edit, List, Calendar };

// What a child window shows, by its class and style.
Shows WhatItShows(HWND window) {
  const std::string name = ClassOf(window);
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  if (name == "Button") {
    switch (style & BS_TYPEMASK) {
      case BS_PUSHBUTTON:
      case BS_DEFPUSHBUTTON:
        return Shows::PushButton;
      case BS_GROUPBOX:
        return Shows::GroupBox;
      case BS_OWNERDRAW:
        return Shows::Nothing;
      default:
        return Shows::CheckBox;
    }
  }
  if (name == "Static") {
    const LONG type = style & SS_TYPEMASK;
    return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_LEFTNOWORDWRAP ||
                   type == SS_SIMPLE
               ? Shows::Label
               : Shows::Nothing;
  }
  if (name == "Edit") return Shows::Edit;
  if (name == "ListBox") return Shows::List;
  if (name == "SysMonthCal32") return Shows::Calendar;
  return Shows::Nothing;
}

// Whether one control has the room its text needs in its own font.
class RoomCheck {
 public:
  RoomCheck(HWND window, unsigned dpi)
      : window_(window),
        dpi_(dpi),
        caption_(TextOf(window)),
        style_(GetWindowLongW(window, GWL_STYLE)),
        rect_(PixelRectOf(window)) {}

  std::vector<std::string> Run() {
    const Shows shows = WhatItShows(window_);
    if (shows == Shows::Nothing || shows == Shows::GroupBox) return {};
    const TextMeasure text(LogFontOf(window_));
    const int width = rect_.right - rect_.left;
    const int height = rect_.bottom - rect_.top;
    switch (shows) {
      case Shows::PushButton: {
        // The raised edge and the focus rectangle take a few pixels each side.
        const SIZE need = text.Line(caption_);
        const int margin = ScaleTo(3, dpi_);
        if (need.cx + 2 * margin > width || need.cy + 2 * margin > height)
          Fault("needs " + Shown(need) + " and margins of " + std::to_string(margin) + " in " +
                std::to_string(width) + "x" + std::to_string(height));
        break;
      }
      case Shows::CheckBox:
        CheckText(text, width - CaptionOffset(window_, text, dpi_), height,
                  (style_ & BS_MULTILINE) != 0, false);
        break;
      case Shows::Label:
        CheckText(
            text, width, height,
            (style_ & SS_TYPEMASK) != SS_LEFTNOWORDWRAP && (style_ & SS_TYPEMASK) != SS_SIMPLE,
            (style_ & SS_NOPREFIX) != 0);
        break;
      case Shows::Edit: {
        const int client = ClientSize().cy;
        if (text.LineHeight() > client)
          Fault("shows a line of " + std::to_string(text.LineHeight()) + " px in " +
                std::to_string(client) + " px");
        break;
      }
      case Shows::List:
        CheckList(text);
        break;
      case Shows::Calendar: {
        const SIZE need = CalendarMinSize(window_);
        const SIZE client = ClientSize();
        if (need.cx > client.cx || need.cy > client.cy)
          Fault("needs " + Shown(need) + " for a month in " + Shown(client));
        break;
      }
      default:
        break;
    }
    return faults_;
  }

 private:
  void Fault(const std::string& what) { faults_.push_back("\"" + caption_ + "\" " + what); }

  SIZE ClientSize() const {
    RECT client{};
    GetClientRect(window_, &client);
    return {client.right, client.bottom};
  }

  void CheckText(const TextMeasure& text, int room, int height, bool wraps, bool noPrefix) {
    const SIZE need =
        wraps ? text.Wrapped(caption_, room, noPrefix) : text.Line(caption_, noPrefix);
    if (need.cx > room || need.cy > height)
      Fault("needs " + Shown(need) + (wraps ? " wrapped" : " on one line") + " in " +
            std::to_string(room) + "x" + std::to_string(height));
  }

  void CheckList(const TextMeasure& text) {
    const SIZE client = ClientSize();
    const auto itemHeight = SendMessageW(window_, LB_GETITEMHEIGHT, 0, 0);
    if (itemHeight > client.cy)
      Fault("shows items " + std::to_string(itemHeight) + " px high in " +
            std::to_string(client.cy) + " px");
    else if (itemHeight > 0 && client.cy % itemHeight != 0)
      Fault("shows part of a row: rows " + std::to_string(itemHeight) + " px high in " +
            std::to_string(client.cy) + " px");
    const auto count = SendMessageW(window_, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      wchar_t item[64] = {};
      if (SendMessageW(window_, LB_GETTEXTLEN, i, 0) >= 64) continue;
      SendMessageW(window_, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item));
      const SIZE need = text.Line(Utf8(item), true);
      if (need.cx > client.cx) {
        Fault("item \"" + Utf8(item) + "\" needs " + std::to_string(need.cx) + " px in " +
              std::to_string(client.cx) + " px");
        break;
      }
    }
  }

  HWND window_;
  unsigned dpi_;
  std::string caption_;
  LONG style_;
  RECT rect_;
  std::vector<std::string> faults_;
};

std::vector<std::string> RoomFaults(HWND window, unsigned dpi) {
  return RoomCheck(window, dpi).Run();
}

class FormChecker {
 public:
  FormChecker(HWND form, const toolkit::FormDef& def, unsigned dpi,
              const std::vector<IntendedOverlap>& intended, bool placementOnly)
      : def_(def),
        dpi_(dpi),
        font_(MessageFontFor(dpi)),
        intended_(intended),
        placementOnly_(placementOnly) {
    CheckWindow(form);
    Collect(form, def);
  }

  std::vector<std::string> Run() {
    if (!faults_.empty()) return faults_;  // the windows do not match the table
    for (const LiveControl& control : controls_) {
      CheckRect(control);
      if (!DrawsText(control.def->kind)) continue;
      const LOGFONTW font = LogFontOf(control.window);
      if (!SameFont(font, font_))
        Fault(control,
              "draws with " + Describe(font) + ", not the message font " + Describe(font_));
      if (placementOnly_) continue;
      for (const std::string& fault : RoomFaults(control.window, dpi_))
        faults_.push_back(control.label + " " + fault);
    }
    if (!placementOnly_) CheckOverlaps();
    return faults_;
  }

 private:
  void Collect(HWND form, const toolkit::FormDef& def) {
    // Child windows stack in the order they were created.
    const std::vector<HWND> children = ChildrenOf(form, "");
    const std::vector<const toolkit::ControlDef*> order = toolkit::CreationOrder(def);
    if (children.size() != order.size()) {
      faults_.push_back(std::string(def.name) + " has " + std::to_string(children.size()) +
                        " child windows for " + std::to_string(order.size()) + " controls");
      return;
    }
    for (size_t i = 0; i < order.size(); ++i) {
      LiveControl control{order[i], children[i], PixelRectOf(children[i]), Label(*order[i])};
      if (ClassOf(control.window) != ClassFor(control.def->kind)) {
        Fault(control, "is a " + ClassOf(control.window) + " window");
        continue;
      }
      controls_.push_back(control);
    }
  }

  void Fault(const LiveControl& control, const std::string& what) {
    faults_.push_back(control.label + " \"" + TextOf(control.window) + "\" " + what);
  }

  // The table's pixels scaled as the client area is.
  int X(int pixels) const { return MulDiv(pixels, client_.right, def_.clientWidth); }
  int Y(int pixels) const { return MulDiv(pixels, client_.bottom, def_.clientHeight); }

  void CheckWindow(HWND form) {
    RECT window{};
    GetWindowRect(form, &window);
    // Told of a dpi its screen does not have, the window's frame is not yet
    // the one it was sized for.
    const SIZE frame = FrameFor(form, dpi_);
    client_ = {0, 0, window.right - window.left - frame.cx, window.bottom - window.top - frame.cy};
    if (!placementOnly_) GetClientRect(form, &client_);
    const SIZE least = LayoutClientFor(def_, dpi_);
    if (client_.right < least.cx || client_.bottom < least.cy)
      faults_.push_back(std::string(def_.name) + " has a client area of " + Shown(client_) +
                        ", less than " + Shown(least));
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(form, MONITOR_DEFAULTTONEAREST), &monitor);
    if (!placementOnly_ && !Contains(monitor.rcWork, window))
      faults_.push_back(std::string(def_.name) + " at " + Shown(window) +
                        " is not inside the work area " + Shown(monitor.rcWork));
  }

  void CheckRect(const LiveControl& control) {
    const toolkit::Rect& r = control.def->rect;
    const RECT expected{X(r.left), Y(r.top), X(r.left + r.width), Y(r.top + r.height)};
    // Rounding may put an edge one pixel either way. An etched rule has the
    // system's own thickness, and Wine draws it two pixels longer. A control
    // on a caption goes where the caption's blanks are (LevelListFaults).
    const bool rule = control.def->kind == ControlKind::Line;
    const bool onCaption = std::any_of(intended_.begin(), intended_.end(), [&](const auto& pair) {
      return pair.first == control.def->name;
    });
    auto within = [](LONG a, LONG b, LONG by = 1) { return std::abs(a - b) <= by; };
    const RECT& at = control.rect;
    if ((!onCaption && !within(at.left, expected.left)) || !within(at.top, expected.top) ||
        (!onCaption && !within(at.right, expected.right, rule ? 2 : 1)) ||
        (!rule && !within(at.bottom, expected.bottom)))
      Fault(control, "is at " + Shown(at) + ", not " + Shown(expected));
  }

  bool Intended(const LiveControl& a, const LiveControl& b) const {
    return std::any_of(intended_.begin(), intended_.end(), [&](const IntendedOverlap& pair) {
      return (pair.first == a.def->name && pair.second == b.def->name) ||
             (pair.first == b.def->name && pair.second == a.def->name);
    });
  }

  // The smallest group box around `control`.
  const LiveControl* HolderOf(const LiveControl& control) const {
    const LiveControl* holder = nullptr;
    for (const LiveControl& box : controls_)
      if (box.def->kind == ControlKind::Frame && &box != &control &&
          Contains(box.rect, control.rect) && (!holder || Area(box.rect) < Area(holder->rect)))
        holder = &box;
    return holder;
  }

  void CheckOverlaps() {
    for (size_t i = 0; i < controls_.size(); ++i) {
      const LiveControl& a = controls_[i];
      if (a.def->kind != ControlKind::Frame) CheckInsideLines(a);
      for (size_t j = i + 1; j < controls_.size(); ++j) {
        const LiveControl& b = controls_[j];
        if (!Intersect(a.rect, b.rect) || Intended(a, b)) continue;
        const bool aBox = a.def->kind == ControlKind::Frame;
        const bool bBox = b.def->kind == ControlKind::Frame;
        // Neighbouring boxes of the fixed layout share an edge line.
        if (aBox && bBox) continue;
        if ((aBox && Contains(a.rect, b.rect)) || (bBox && Contains(b.rect, a.rect))) continue;
        Fault(a, "at " + Shown(a.rect) + " overlaps " + b.label + " at " + Shown(b.rect));
      }
    }
  }

  // A control must not cover the lines of the group box it stands in; the
  // top line runs half a text line below the box's top edge.
  void CheckInsideLines(const LiveControl& control) {
    const LiveControl* box = HolderOf(control);
    if (!box) return;
    const int topLine = box->rect.top + TextMeasure(LogFontOf(box->window)).LineHeight() / 2;
    // The other lines take 2 pixels at 96 dpi, scaled as the layout scales
    // edges (at 136 dpi, 2 pixels may become 2 or 3).
    const toolkit::Rect& b = box->def->rect;
    const RECT& r = control.rect;
    if (r.top <= topLine || r.left < X(b.left + 2) || r.right > X(b.left + b.width - 2) ||
        r.bottom > Y(b.top + b.height - 2))
      Fault(control, "at " + Shown(r) + " covers a line of " + box->label + " at " +
                         Shown(box->rect) + " (top line at " + std::to_string(topLine) + ")");
  }

  const toolkit::FormDef& def_;
  RECT client_{};
  unsigned dpi_;
  LOGFONTW font_;
  std::vector<IntendedOverlap> intended_;
  bool placementOnly_;
  std::vector<LiveControl> controls_;
  std::vector<std::string> faults_;
};

}  // namespace

TextMeasure::TextMeasure(const LOGFONTW& font)
    : dc_(CreateCompatibleDC(nullptr)), font_(CreateFontIndirectW(&font)) {
  if (!dc_ || !font_) throw DriverError("cannot make a font to measure with");
  old_ = SelectObject(dc_, font_);
}

TextMeasure::~TextMeasure() {
  SelectObject(dc_, old_);
  DeleteObject(font_);
  DeleteDC(dc_);
}

SIZE TextMeasure::Measure(const std::string& text, int width, UINT flags) const {
  const std::wstring wide = Wide(text);
  RECT rect{0, 0, width, 0};
  DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &rect,
            flags | DT_CALCRECT | DT_EXPANDTABS);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

SIZE TextMeasure::Line(const std::string& text, bool noPrefix) const {
  return Measure(text, 0, DT_SINGLELINE | (noPrefix ? DT_NOPREFIX : 0));
}

SIZE TextMeasure::Wrapped(const std::string& text, int width, bool noPrefix) const {
  return Measure(text, width, DT_WORDBREAK | (noPrefix ? DT_NOPREFIX : 0));
}

int TextMeasure::LineHeight() const {
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc_, &metrics);
  return metrics.tmHeight;
}

SIZE TextMeasure::BaseUnits() const {
  const SIZE letters = Line("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  return {(letters.cx / 26 + 1) / 2, LineHeight()};
}

SIZE LayoutClientFor(const toolkit::FormDef& def, unsigned dpi) {
  const SIZE units = TextMeasure(MessageFontFor(96)).BaseUnits();
  return {MulDiv(def.clientWidth, static_cast<int>(dpi) * std::max<int>(units.cx, 6), 96 * 6),
          MulDiv(def.clientHeight, static_cast<int>(dpi) * std::max<int>(units.cy, 13), 96 * 13)};
}

SIZE FrameFor(HWND window, unsigned dpi) {
  RECT r{};
  AdjustWindowRectExForDpi(&r, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)),
                           GetMenu(window) != nullptr,
                           static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)), dpi);
  return {r.right - r.left, r.bottom - r.top};
}

LOGFONTW MessageFontFor(unsigned dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
    throw DriverError("SystemParametersInfoForDpi failed");
  return metrics.lfMessageFont;
}

int CaptionOffset(HWND button, const TextMeasure& text, unsigned dpi) {
  // The ideal size keeps a pixel each side of the caption for the focus
  // rectangle.
  const int offset = IdealSizeOf(button).cx - text.Line(TextOf(button)).cx - 2;
  // A box is some 13 pixels wide at 96 dpi, the gap a few more.
  if (offset < ScaleTo(12, dpi) || offset > ScaleTo(30, dpi))
    throw DriverError("\"" + TextOf(button) + "\" reports an implausible box of " +
                      std::to_string(offset) + " px");
  return offset;
}

std::vector<std::string> LayoutFaults(HWND form, const toolkit::FormDef& def, unsigned dpi,
                                      const std::vector<IntendedOverlap>& intended) {
  return FormChecker(form, def, dpi, intended, false).Run();
}

std::vector<std::string> PlacementFaults(HWND form, const toolkit::FormDef& def, unsigned dpi,
                                         const std::vector<IntendedOverlap>& intended) {
  return FormChecker(form, def, dpi, intended, true).Run();
}

std::vector<std::string> MessageBoxFaults(HWND box, unsigned dpi) {
  std::vector<std::string> faults;
  for (HWND child : ChildrenOf(box, ""))
    if (IsWindowVisible(child))
      for (const std::string& fault : RoomFaults(child, dpi)) faults.push_back(fault);
  return faults;
}

std::string Lines(const std::vector<std::string>& faults) {
  std::string text;
  for (const std::string& fault : faults) text += fault + "\n";
  return text;
}

}  // namespace marquill::e2e
