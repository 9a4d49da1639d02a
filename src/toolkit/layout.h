// A form's tables: its controls and menus as data.
#pragma once

#include <span>

#include "model/option_slots.h"

// A form's controls and menus, stated once as data. Both backends create the
// form from these tables.
namespace marquill::toolkit {

// Left, top, width, height in pixels of a 96-dpi screen, relative to the
// form's client area.
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

constexpr Rect At(int left, int top, int width, int height) { return {left, top, width, height}; }

enum class ControlKind {
  Button,
  CheckBox,
  OptionButton,
  ListBox,
  TextBox,
  Label,
  Frame,
  Line,
  Picture,
  MonthCalendar,
  ListView,  // a virtual list of text lines the form keeps, in one column
};

// Style flags of a control.
enum ControlStyle : unsigned {
  kNoStyle = 0,
  kDefaultButton = 1u << 0,  // Enter presses it
  kCancelButton = 1u << 1,   // Esc presses it
  kAppIcon = 1u << 2,        // a picture showing the program's icon
  // A text box that only shows: read-only, borderless, multi-line, its text
  // reached by Tab, selectable and copyable.
  kReadOnlyText = 1u << 3,
  // A screen reader announces each new text of it without being asked; its
  // name is its text while it holds one.
  kLiveRegion = 1u << 4,
  // A folder dropped on it from Explorer is taken; files are refused.
  kDropsFolder = 1u << 5,
  // A file dropped on it is taken; folders are refused.
  kDropsFile = 1u << 6,
  kNoInputMethod = 1u << 7,  // a box for digits: no input method composes in it
  // In a form that can be resized: the control moves with the window's right
  // or bottom edge, or its own right or bottom edge follows it (it grows).
  kFollowsRight = 1u << 8,
  kFollowsBottom = 1u << 9,
  kGrowsRight = 1u << 10,
  kGrowsDown = 1u << 11,
};

inline constexpr int kNoTab = -1;

// How an option control writes its slot. The texts come from the slot's row
// in the command line's vocabulary (model/option_slots.h).
enum class Writes {
  Nothing,
  Switch,     // a check box: the switch when ticked, "" otherwise
  Choice,     // an option group: the text of the selected index
  Text,       // a text box, on losing the focus: the prefix and its text, "" when empty
  Position,   // a list: the prefix and the selected position
  ByHandler,  // the handler the form names for it
};

struct SlotBinding {
  Writes how = Writes::Nothing;
  OptionSlots::Slot slot = nullptr;
};

constexpr SlotBinding WritesSwitch(OptionSlots::Slot slot) { return {Writes::Switch, slot}; }
constexpr SlotBinding WritesChoice(OptionSlots::Slot slot) { return {Writes::Choice, slot}; }
constexpr SlotBinding WritesText(OptionSlots::Slot slot) { return {Writes::Text, slot}; }
constexpr SlotBinding WritesPosition(OptionSlots::Slot slot) { return {Writes::Position, slot}; }
constexpr SlotBinding WritesByHandler(OptionSlots::Slot slot) { return {Writes::ByHandler, slot}; }

// What a screen reader calls a control whose caption does not say what it
// is: a name of its own, or the caption of another row (the label created
// just before it, or the check box that governs it), collapsed to single
// blanks and without access-key marks, and after its own caption when the
// same caption recurs on the form.
struct Spoken {
  const char* name = nullptr;
  int by = -1;  // the id of that other row
  bool afterOwnCaption = false;
};

constexpr Spoken Named(const char* name) { return {name}; }
template <class Id>
constexpr Spoken NamedBy(Id row) {
  return {nullptr, static_cast<int>(row)};
}
template <class Id>
constexpr Spoken InGroupOf(Id row) {
  return {nullptr, static_cast<int>(row), true};
}

struct ControlDef {
  int id;            // the control's identity on its form: a value of the form's Id
  const char* name;  // its name, as people and tests call it
  int index;         // position in a control array; -1 when the control is not in one
  ControlKind kind;
  const char* caption;
  Rect rect;
  int tabIndex;  // kNoTab for controls that never take the focus
  unsigned style = kNoStyle;
  SlotBinding writes = {};
  Spoken spoken = {};
};

struct MenuDef {
  int id;
  const char* name;
  const char* caption;
  int parent;  // index of the menu it drops from; -1 for the menu bar
};

enum class FormIcon { None, Program, Options };

// A fixed single border with a minimise box, a fixed dialog frame, or a
// border the user drags to resize the window (never smaller than its table),
// with minimise and maximise boxes.
enum class FormBorder { FixedSingle, FixedDialog, Sizable };

struct FormDef {
  const char* name;
  const char* caption;
  int clientWidth;
  int clientHeight;
  FormIcon icon;
  bool centred;  // otherwise the system places it
  std::span<const ControlDef> controls;
  std::span<const MenuDef> menus = {};
  FormBorder border = FormBorder::FixedSingle;
  // kDropsFile: a file dropped on the window, outside the controls that take
  // drops, is taken; folders are refused.
  unsigned style = kNoStyle;
};

}  // namespace marquill::toolkit
