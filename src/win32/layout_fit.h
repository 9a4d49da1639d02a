// Fitting a form's layout table to its window: dpi, message font, captions.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "toolkit/layout.h"

// A layout table is drawn in pixels of a 96-dpi screen for a font with dialog
// base units 6 x 13. Like a dialog template, a window scales it by its dpi and
// by its message font's base units where they are larger, and further,
// uniformly, where a caption, or a group box's top line, still needs room.
namespace marquill::win32 {

// How far each edge of a window of that style lies outside its client area
// at `dpi`: frame, caption and menu bar, or a control's borders.
RECT FrameAt(DWORD style, DWORD exStyle, bool menu, UINT dpi);

// The scale from a table's pixels to a window's. Horizontally
// dpi/96 x max(1, base-x/6) x extra, vertically dpi/96 x max(1, base-y/13) x
// extra, kept as exact fractions so that with base units of at most 6 x 13 and
// no extra it gives MulDiv(pixels, dpi, 96) to the pixel.
class LayoutScale {
 public:
  static constexpr int kNoExtra = 1024;  // an extra factor of 1, in its units

  LayoutScale() = default;
  LayoutScale(UINT dpi, SIZE baseUnits, int extra = kNoExtra);

  int X(int pixels) const { return MulDiv(pixels, numeratorX_, kDenominatorX); }
  int Y(int pixels) const { return MulDiv(pixels, numeratorY_, kDenominatorY); }
  // The edges are scaled rather than the sizes, so controls that touch in the
  // table still touch, and never overlap, at any scale.
  RECT Of(const toolkit::Rect& r) const;
  int extra() const { return extra_; }
  LayoutScale WithExtra(int extra) const { return {dpi_, units_, extra}; }
  bool operator==(const LayoutScale& other) const {
    return numeratorX_ == other.numeratorX_ && numeratorY_ == other.numeratorY_;
  }

 private:
  static constexpr int kDenominatorX = 96 * 6 * kNoExtra;
  static constexpr int kDenominatorY = 96 * 13 * kNoExtra;
  UINT dpi_ = 96;
  SIZE units_{6, 13};
  int extra_ = kNoExtra;
  int numeratorX_ = 96 * 6 * kNoExtra;
  int numeratorY_ = 96 * 13 * kNoExtra;
};

// A memory device context with a font selected, to measure text as the
// controls draw it.
class TextRuler {
 public:
  explicit TextRuler(HFONT font);
  ~TextRuler();
  TextRuler(const TextRuler&) = delete;
  TextRuler& operator=(const TextRuler&) = delete;

  // The text on one line; an ampersand marks an access key when `prefix`.
  SIZE Line(const std::wstring& text, bool prefix = true) const;
  // The text wrapped at word breaks into lines at most `width` wide.
  SIZE Wrapped(const std::wstring& text, int width, bool prefix = true) const;
  // The plain text's width on one line, faster for many short texts.
  int Width(const std::wstring& text) const;
  const TEXTMETRICW& metrics() const { return metrics_; }
  // The font's dialog base units, the classic way: the average width of the
  // 52 letters A-Z a-z, rounded, and the character height.
  SIZE BaseUnits() const;
  // Where a check box's or option button's caption starts from its left edge
  // at `dpi`: its box (13 pixels at 96 dpi) and half the width of a "0" after
  // it, as the button control draws them.
  int CaptionOffset(UINT dpi) const;

 private:
  SIZE Measure(const std::wstring& text, int width, UINT flags) const;
  HDC dc_;
  HGDIOBJ old_;
  TEXTMETRICW metrics_{};
  INT zeroWidth_ = 0;
};

// A control that stands on a check box's caption, in its run of blanks (as the
// level list stands in "Copy Only the Top ... Levels"), where that run starts
// and ends in pixels from the check box's left edge, and half a blank.
struct CaptionRun {
  const toolkit::ControlDef* control;
  const toolkit::ControlDef* host;
  int left;
  int right;
  int clear;
};

// The controls of `form` that stand on a check box's caption, measured in
// `ruler`'s font at `dpi`.
std::vector<CaptionRun> CaptionRuns(const toolkit::FormDef& form, const TextRuler& ruler, UINT dpi);

// Where a control goes at `scale`: its table rectangle scaled, or, if it
// stands in a caption run and would cover the words either side, moved, and
// narrowed if need be, to keep half a blank clear of them.
RECT PlaceControl(const toolkit::ControlDef& control, const LayoutScale& scale,
                  std::span<const CaptionRun> runs);

// What a live control of `form` needs to show its contents in a font, read
// once from its window: class, style and text decide what is measured, as for
// a control of any kind. A caption that a control stands on (`runs`) must keep
// to one line.
class ControlNeeds {
 public:
  ControlNeeds(HWND window, const toolkit::ControlDef& def, const toolkit::FormDef& form,
               std::span<const CaptionRun> runs, const TextRuler& ruler, HFONT font, UINT dpi);

  // Whether the control shows all of it where it goes at `scale`, below the
  // top line of the group box it stands in, which runs half a line of text
  // below the box's top edge.
  bool FitsAt(const LayoutScale& scale, std::span<const CaptionRun> runs,
              const TextRuler& ruler) const;

 private:
  enum class Shows { Nothing, Caption, PushButton, Lines, Calendar };
  bool FitsIn(const RECT& rect, const TextRuler& ruler) const;

  const toolkit::ControlDef* def_;
  const toolkit::ControlDef* box_ = nullptr;  // the smallest group box around it
  Shows shows_ = Shows::Nothing;
  std::wstring text_;
  bool prefix_ = true;
  bool wraps_ = false;
  int indent_ = 0;  // a caption's offset, or a push button's margins
  SIZE frame_{};    // borders and scroll bar around the client area
  SIZE content_{};  // a list's widest item and row, an edit's line, a calendar's month
};

// The smallest extra factor (LayoutScale units) at or above `scale`'s at which
// every control fits; a control no extra factor helps is left as it is.
int FitExtra(std::span<const ControlNeeds> controls, const LayoutScale& scale,
             std::span<const CaptionRun> runs, const TextRuler& ruler);

}  // namespace marquill::win32
