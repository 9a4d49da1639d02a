// How a form states its controls once.
#pragma once

// A form states its controls once, as the rows of one list macro that takes
// four row macros:
//   CONTROL(Kind, name, caption, rect, tab[, style[, writes]])  a control the form acts on
//   DECOR(Kind, name, caption, rect, tab[, style])              one it only shows
//   GROUP(name, caption, rect, tab, writes)                     an option group and its button 0
//   OPTION(name, index, caption, rect, tab)                     the group's button `index`
// Kind is a ControlKind (and toolkit class) name, tab a tab index or kNoTab,
// writes a SlotBinding. From the one list come the form's Id enum, its typed
// members and its table of rows:
//   enum class Id { LIST(MARQUILL_ID, MARQUILL_ID, MARQUILL_GROUP_ID, MARQUILL_NONE) };
//   LIST(MARQUILL_MEMBER, MARQUILL_NONE, MARQUILL_GROUP_MEMBER, MARQUILL_NONE)
//   const ControlDef rows[] = {LIST(MARQUILL_ROW, MARQUILL_ROW, MARQUILL_GROUP_ROW,
//                                   MARQUILL_OPTION_ROW)};
// Menus are a second list, of MENUBAR(name, caption) for the bar's menus and
// MENU(name, caption, barMenu) for the items that drop from them:
//   enum class MenuId { MENUS(MARQUILL_MENU_ID, MARQUILL_MENU_ID) };
//   MENUS(MARQUILL_NONE, MARQUILL_MENU_MEMBER)
//   const MenuDef menus[] = {MENUS(MARQUILL_MENUBAR_ROW, MARQUILL_MENU_ROW)};
// An Id is its row's position, in both lists.

#define MARQUILL_NONE(...)
#define MARQUILL_ID(kind, name, ...) name,
#define MARQUILL_GROUP_ID(name, ...) name,
#define MARQUILL_MEMBER(kind, name, ...) \
  ::marquill::toolkit::kind& name = Get<::marquill::toolkit::kind>(Id::name);
#define MARQUILL_GROUP_MEMBER(name, ...) ::marquill::toolkit::OptionGroup& name = Group(Id::name);
#define MARQUILL_ROW(kind, name, caption, rect, ...) \
  {static_cast<int>(Id::name),                       \
   #name,                                            \
   -1,                                               \
   ::marquill::toolkit::ControlKind::kind,           \
   caption,                                          \
   rect,                                             \
   __VA_ARGS__},
#define MARQUILL_GROUP_ROW(name, caption, rect, tab, writes) \
  {static_cast<int>(Id::name),                               \
   #name,                                                    \
   0,                                                        \
   ::marquill::toolkit::ControlKind::OptionButton,           \
   caption,                                                  \
   rect,                                                     \
   tab,                                                      \
   ::marquill::toolkit::kNoStyle,                            \
   writes},
#define MARQUILL_OPTION_ROW(name, index, caption, rect, tab) \
  {static_cast<int>(Id::name),                               \
   #name,                                                    \
   index,                                                    \
   ::marquill::toolkit::ControlKind::OptionButton,           \
   caption,                                                  \
   rect,                                                     \
   tab},

#define MARQUILL_MENU_ID(name, ...) name,
#define MARQUILL_MENU_MEMBER(name, ...) ::marquill::toolkit::MenuItem& name = Menu(MenuId::name);
#define MARQUILL_MENUBAR_ROW(name, caption) {static_cast<int>(MenuId::name), #name, caption, -1},
#define MARQUILL_MENU_ROW(name, caption, barMenu) \
  {static_cast<int>(MenuId::name), #name, caption, static_cast<int>(MenuId::barMenu)},
