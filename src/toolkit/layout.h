#pragma once

#include <span>

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
};

// Style flags of a control.
enum ControlStyle : unsigned {
  kNoStyle = 0,
  kDefaultButton = 1u << 0,  // Enter presses it
  kCancelButton = 1u << 1,   // Esc presses it
  kGreyLine = 1u << 2,
  kWhiteLine = 1u << 3,
  kAppIcon = 1u << 4,  // a picture showing the program's icon
};

inline constexpr int kNoTab = -1;

struct ControlDef {
  const char* name;
  int index;  // position in a control array; -1 when the control is not in one
  ControlKind kind;
  const char* caption;
  Rect rect;
  int tabIndex;  // kNoTab for controls that never take the focus
  unsigned style = kNoStyle;
};

struct MenuDef {
  const char* name;
  const char* caption;
  int parent;  // index of the menu it drops from; -1 for the menu bar
};

enum class FormIcon { None, Program, Options };

// A fixed single border with a minimise box, or a fixed dialog frame.
enum class FormBorder { FixedSingle, FixedDialog };

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
};

}  // namespace marquill::toolkit
