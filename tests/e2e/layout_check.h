#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "toolkit/layout.h"

// Checks a live window against its form's layout table: where each control
// is at the window's dpi, which font it draws with, whether its text has the
// room it needs, and which controls cover one another.
namespace marquill::e2e {

// Text measured in a font of the program's (a LOGFONTW read from one of its
// controls), in pixels.
class TextMeasure {
 public:
  explicit TextMeasure(const LOGFONTW& font);
  ~TextMeasure();
  TextMeasure(const TextMeasure&) = delete;
  TextMeasure& operator=(const TextMeasure&) = delete;

  // The text on one line; an ampersand marks an access key unless
  // `noPrefix`.
  SIZE Line(const std::string& text, bool noPrefix = false) const;
  // The text wrapped at word breaks into lines at most `width` wide; the
  // width is larger when a single word is.
  SIZE Wrapped(const std::string& text, int width, bool noPrefix = false) const;
  // The height of one line of text.
  int LineHeight() const;
  // Dialog base units: the average width of A-Z a-z, rounded, and the height.
  SIZE BaseUnits() const;

 private:
  SIZE Measure(const std::string& text, int width, UINT flags) const;
  HDC dc_;
  HFONT font_;
  HGDIOBJ old_;
};

// The system's message font for `dpi`.
LOGFONTW MessageFontFor(unsigned dpi);

// Where the caption of a check box or option button starts, from the
// control's left edge: the room its box and the gap after it take, as the
// control itself reports them (its ideal size less the caption's width and
// the focus rectangle's pixel each side).
int CaptionOffset(HWND button, const TextMeasure& text, unsigned dpi);

inline int ScaleTo(int pixels96, unsigned dpi) {
  return MulDiv(pixels96, static_cast<int>(dpi), 96);
}

// The client area a form's table asks for at `dpi`: scaled by the dpi and, like
// a dialog template, by the message font's base units (at 96 dpi) where they
// are larger than the 6 x 13 the table is drawn for.
SIZE LayoutClientFor(const toolkit::FormDef& def, unsigned dpi);

// How much wider and taller `window` is than its client area in a frame
// at `dpi`.
SIZE FrameFor(HWND window, unsigned dpi);

// Two controls (by name) that the layout puts one over the other; the first
// stands on the second's caption, in its run of blanks, wherever the font's
// blanks put that.
using IntendedOverlap = std::pair<std::string, std::string>;

// What is wrong with `form` laid out at `dpi`, one line per fault; empty when
// its client area is at least LayoutClientFor(def, dpi), it lies inside its
// work area, every control of `def` is at its rectangle scaled as the client
// area is, draws with the message font for `dpi`, has room for its text, and
// covers no other control but the group box it stands in or as `intended`.
std::vector<std::string> LayoutFaults(HWND form, const toolkit::FormDef& def, unsigned dpi,
                                      const std::vector<IntendedOverlap>& intended = {});

// What text of a message box (or any window drawn by the system) has too
// little room in its control, one line per fault.
std::vector<std::string> MessageBoxFaults(HWND box, unsigned dpi);

// The part of LayoutFaults that still holds when the window has only been
// told of a new dpi (WM_DPICHANGED) but still sits on a screen of another:
// its client area (its size less its frame at `dpi`) at least
// LayoutClientFor(def, dpi), every control scaled as that client area is, in
// the message font for `dpi`.
std::vector<std::string> PlacementFaults(HWND form, const toolkit::FormDef& def, unsigned dpi,
                                         const std::vector<IntendedOverlap>& intended = {});

// The faults joined, one per line, for a failure message.
std::string Lines(const std::vector<std::string>& faults);

}  // namespace marquill::e2e
