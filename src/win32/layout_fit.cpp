// Fitting a form's layout table to its window: dpi, message font, captions.
#include "win32/layout_fit.h"

#include <commctrl.h>

#include <algorithm>

#include "win32/system_function.h"
#include "win32/text.h"

namespace marquill::win32 {
namespace {

using toolkit::ControlKind;

constexpr int kMostExtra = 4 * LayoutScale::kNoExtra;

int MetricAt(int index, UINT dpi) {
  using MetricForDpiFn = int(WINAPI*)(int, UINT);
  static auto metricForDpi =
      SystemFunction<MetricForDpiFn>(L"user32.dll", "GetSystemMetricsForDpi");
  return metricForDpi ? metricForDpi(index, dpi) : GetSystemMetrics(index);
}

bool Contains(const toolkit::Rect& outer, const toolkit::Rect& inner) {
  return inner.left >= outer.left && inner.top >= outer.top &&
         inner.left + inner.width <= outer.left + outer.width &&
         inner.top + inner.height <= outer.top + outer.height;
}

bool HasCaptionBox(ControlKind kind) {
  return kind == ControlKind::CheckBox || kind == ControlKind::OptionButton;
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The widest item of a list box, in the ruler's font.
int WidestItem(HWND list, const TextRuler& ruler) {
  const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  int widest = 0;
  std::wstring item;
  for (LRESULT i = 0; i < count; ++i) {
    const auto length = SendMessageW(list, LB_GETTEXTLEN, i, 0);
    if (length <= 0) continue;
    item.resize(static_cast<size_t>(length) + 1);
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
    item.resize(static_cast<size_t>(length));
    widest = std::max(widest, ruler.Width(item));
  }
  return widest;
}

// A month calendar's smallest size for a whole month in `font`; its own font
// stays.
SIZE CalendarMonth(HWND calendar, HFONT font) {
  const auto own = SendMessageW(calendar, WM_GETFONT, 0, 0);
  SendMessageW(calendar, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  RECT month{};
  SendMessageW(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&month));
  SendMessageW(calendar, WM_SETFONT, static_cast<WPARAM>(own), FALSE);
  return {month.right - month.left, month.bottom - month.top};
}

}  // namespace

RECT FrameAt(DWORD style, DWORD exStyle, bool menu, UINT dpi) {
  using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static auto adjustForDpi =
      SystemFunction<AdjustForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
  RECT rect{};
  if (!adjustForDpi || !adjustForDpi(&rect, style, menu, exStyle, dpi))
    AdjustWindowRectEx(&rect, style, menu, exStyle);
  return rect;
}

LayoutScale::LayoutScale(UINT dpi, SIZE baseUnits, int extra)
    : dpi_(dpi),
      // Bounded so the fractions stay within an int at any dpi.
      units_{std::clamp<LONG>(baseUnits.cx, 6, 60), std::clamp<LONG>(baseUnits.cy, 13, 130)},
      extra_(std::clamp(extra, kNoExtra, kMostExtra)),
      numeratorX_(static_cast<int>(dpi_) * units_.cx * extra_),
      numeratorY_(static_cast<int>(dpi_) * units_.cy * extra_) {}

RECT LayoutScale::Of(const toolkit::Rect& r) const {
  return {X(r.left), Y(r.top), X(r.left + r.width), Y(r.top + r.height)};
}

TextRuler::TextRuler(HFONT font) : dc_(CreateCompatibleDC(nullptr)) {
  old_ = SelectObject(dc_, font);
  GetTextMetricsW(dc_, &metrics_);
  GetCharWidth32W(dc_, L'0', L'0', &zeroWidth_);
}

TextRuler::~TextRuler() {
  SelectObject(dc_, old_);
  DeleteDC(dc_);
}

SIZE TextRuler::Measure(const std::wstring& text, int width, UINT flags) const {
  RECT rect{0, 0, width, 0};
  DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &rect,
            flags | DT_CALCRECT | DT_EXPANDTABS);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

SIZE TextRuler::Line(const std::wstring& text, bool prefix) const {
  return Measure(text, 0, DT_SINGLELINE | (prefix ? 0 : DT_NOPREFIX));
}

SIZE TextRuler::Wrapped(const std::wstring& text, int width, bool prefix) const {
  return Measure(text, width, DT_WORDBREAK | (prefix ? 0 : DT_NOPREFIX));
}

int TextRuler::Width(const std::wstring& text) const {
  SIZE size{};
  GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

SIZE TextRuler::BaseUnits() const {
  static constexpr wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE letters{};
  GetTextExtentPoint32W(dc_, kLetters, 52, &letters);
  return {(letters.cx / 26 + 1) / 2, metrics_.tmHeight};
}

int TextRuler::CaptionOffset(UINT dpi) const {
  return static_cast<int>(12 * dpi / 96 + 1) + zeroWidth_ / 2;
}

std::vector<CaptionRun> CaptionRuns(const toolkit::FormDef& form, const TextRuler& ruler,
                                    UINT dpi) {
  std::vector<CaptionRun> runs;
  for (const toolkit::ControlDef& control : form.controls) {
    for (const toolkit::ControlDef& host : form.controls) {
      if (&host == &control || !HasCaptionBox(host.kind) || !Contains(host.rect, control.rect))
        continue;
      const std::wstring caption = Widen(host.caption);
      const size_t blanks = caption.find(L"  ");
      if (blanks == std::wstring::npos) continue;
      const size_t words = caption.find_first_not_of(L' ', blanks);
      const int offset = ruler.CaptionOffset(dpi);
      runs.push_back({&control, &host, offset + ruler.Line(caption.substr(0, blanks)).cx,
                      offset + ruler.Line(caption.substr(0, words)).cx,
                      static_cast<int>(ruler.Line(L" ").cx / 2)});
    }
  }
  return runs;
}

RECT PlaceControl(const toolkit::ControlDef& control, const LayoutScale& scale,
                  std::span<const CaptionRun> runs) {
  RECT r = scale.Of(control.rect);
  for (const CaptionRun& run : runs) {
    if (run.control != &control) continue;
    const int hostLeft = scale.X(run.host->rect.left);
    const int left = hostLeft + run.left;
    const int right = hostLeft + run.right;
    if (r.left >= left && r.right <= right) break;
    // A font's blanks do not grow with its base units: the control keeps to
    // them, as narrow as they are if need be.
    const int width = std::min<int>(r.right - r.left, right - left - 2 * run.clear);
    r.left = std::clamp<LONG>(r.left, left + run.clear, right - run.clear - width);
    r.right = r.left + width;
  }
  return r;
}

ControlNeeds::ControlNeeds(HWND window, const toolkit::ControlDef& def,
                           const toolkit::FormDef& form, std::span<const CaptionRun> runs,
                           const TextRuler& ruler, HFONT font, UINT dpi)
    : def_(&def) {
  auto area = [](const toolkit::Rect& r) { return r.width * r.height; };
  for (const toolkit::ControlDef& box : form.controls)
    if (box.kind == ControlKind::Frame && def.kind != ControlKind::Frame &&
        Contains(box.rect, def.rect) && (!box_ || area(box.rect) < area(box_->rect)))
      box_ = &box;
  const bool oneLine = std::any_of(runs.begin(), runs.end(),
                                   [&](const CaptionRun& run) { return run.host == &def; });
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  const auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
  const int line = ruler.metrics().tmHeight;
  if (lstrcmpiW(className, L"Button") == 0) {
    switch (style & BS_TYPEMASK) {
      case BS_PUSHBUTTON:
      case BS_DEFPUSHBUTTON:
        // Inside its raised edges and focus rectangle.
        shows_ = Shows::PushButton;
        indent_ = MulDiv(3, static_cast<int>(dpi), 96);
        break;
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
      case BS_RADIOBUTTON:
      case BS_3STATE:
      case BS_AUTO3STATE:
      case BS_AUTORADIOBUTTON:
        // Two pixels more at 96 dpi than the classic box: the themed one may
        // sit a little further in.
        shows_ = Shows::Caption;
        indent_ = ruler.CaptionOffset(dpi) + MulDiv(2, static_cast<int>(dpi), 96);
        wraps_ = (style & BS_MULTILINE) && !oneLine;
        break;
      default:
        break;
    }
  } else if (lstrcmpiW(className, L"Static") == 0) {
    const DWORD type = style & SS_TYPEMASK;
    // A live region's text changes as the program runs: its room is the
    // table's, never fitted to one of its texts.
    if ((type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_SIMPLE ||
         type == SS_LEFTNOWORDWRAP) &&
        !(def.style & toolkit::kLiveRegion))
      shows_ = Shows::Caption;
    wraps_ = type != SS_SIMPLE && type != SS_LEFTNOWORDWRAP;
    prefix_ = !(style & SS_NOPREFIX);
  } else if (lstrcmpiW(className, L"Edit") == 0) {
    shows_ = Shows::Lines;
    content_ = {0, line};
  } else if (lstrcmpiW(className, L"ListBox") == 0) {
    shows_ = Shows::Lines;
    content_ = {WidestItem(window, ruler), line};
  } else if (lstrcmpiW(className, MONTHCAL_CLASSW) == 0) {
    shows_ = Shows::Calendar;
    content_ = CalendarMonth(window, font);
  }
  if (shows_ == Shows::Caption || shows_ == Shows::PushButton) {
    text_ = WindowText(window);
    if (text_.empty()) shows_ = Shows::Nothing;
  } else if (shows_ != Shows::Nothing) {
    const RECT frame =
        FrameAt(style, static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)), false, dpi);
    frame_ = {frame.right - frame.left, frame.bottom - frame.top};
    // The scroll bar's width is the system's, whatever the font.
    if (style & WS_VSCROLL) frame_.cx += MetricAt(SM_CXVSCROLL, dpi);
  }
}

bool ControlNeeds::FitsAt(const LayoutScale& scale, std::span<const CaptionRun> runs,
                          const TextRuler& ruler) const {
  if (box_ && scale.Y(def_->rect.top) - scale.Y(box_->rect.top) <= ruler.metrics().tmHeight / 2)
    return false;
  return FitsIn(PlaceControl(*def_, scale, runs), ruler);
}

bool ControlNeeds::FitsIn(const RECT& rect, const TextRuler& ruler) const {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  switch (shows_) {
    case Shows::Caption: {
      const int room = width - indent_;
      const SIZE need = wraps_ ? ruler.Wrapped(text_, room, prefix_) : ruler.Line(text_, prefix_);
      return need.cx <= room && need.cy <= height;
    }
    case Shows::PushButton: {
      const SIZE need = ruler.Line(text_);
      return need.cx + 2 * indent_ <= width && need.cy + 2 * indent_ <= height;
    }
    case Shows::Lines:
    case Shows::Calendar:
      return content_.cx <= width - frame_.cx && content_.cy <= height - frame_.cy;
    case Shows::Nothing:
      break;
  }
  return true;
}

int FitExtra(std::span<const ControlNeeds> controls, const LayoutScale& scale,
             std::span<const CaptionRun> runs, const TextRuler& ruler) {
  auto fits = [&](const ControlNeeds& control, int extra) {
    return control.FitsAt(scale.WithExtra(extra), runs, ruler);
  };
  std::vector<bool> hopeless(controls.size(), false);
  int extra = scale.extra();
  // Only a control cut at the extra so far is searched, by bisection; another
  // round catches one that rounding cuts at the larger extra.
  for (bool grew = true; grew;) {
    grew = false;
    for (size_t i = 0; i < controls.size(); ++i) {
      if (hopeless[i] || fits(controls[i], extra)) continue;
      if (!fits(controls[i], kMostExtra)) {
        hopeless[i] = true;
        continue;
      }
      int cut = extra;
      int enough = kMostExtra;
      while (enough - cut > 1) {
        const int middle = cut + (enough - cut) / 2;
        (fits(controls[i], middle) ? enough : cut) = middle;
      }
      extra = enough;
      grew = true;
    }
  }
  return extra;
}

}  // namespace marquill::win32
