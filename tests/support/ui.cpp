#include "support/ui.h"

#include <set>
#include <stdexcept>

namespace marquill::test {

using toolkit::ControlKind;
using toolkit::PeerEvent;

MemoryForm& Ui::Window(const std::string& form) const {
  MemoryForm* found = backend_.FindForm(form);
  if (!found) throw std::logic_error(form + " is not loaded");
  return *found;
}

MemoryControl& Ui::At(const std::string& form, const std::string& control, int index) const {
  MemoryControl* found = backend_.Find(form, control, index);
  if (!found) throw std::logic_error(form + "." + control + " does not exist");
  return *found;
}

MemoryControl& Ui::Usable(const std::string& form, const std::string& control, int index) const {
  MemoryControl& c = At(form, control, index);
  if (!c.form.visible) throw std::logic_error(form + " is not visible");
  if (!c.enabled) throw std::logic_error(form + "." + control + " is disabled");
  return c;
}

bool Ui::IsOpen(const std::string& form) const { return backend_.FindForm(form) != nullptr; }

bool Ui::IsVisible(const std::string& form) const {
  MemoryForm* found = backend_.FindForm(form);
  return found && found->visible;
}

std::string Ui::Focused() const {
  if (!backend_.focused) return {};
  return std::string(backend_.focused->form.def.name) + "." + backend_.focused->def.name;
}

void Ui::Focus(const std::string& form, const std::string& control, int index) {
  backend_.MoveFocus(&Usable(form, control, index));
}

int Ui::Drop(const std::string& form, const std::string& control,
             const std::vector<DroppedItem>& items) {
  struct Dropped final : toolkit::DroppedItems {
    explicit Dropped(const std::vector<DroppedItem>& items) : items(items) {}
    size_t Count() const override { return items.size(); }
    std::string Path(size_t index) const override { return items.at(index).path; }
    bool IsFolder(size_t index) const override {
      asked.insert(index);
      return items.at(index).folder;
    }
    const std::vector<DroppedItem>& items;
    mutable std::set<size_t> asked;
  } dropped(items);
  if (!control.empty())
    Usable(form, control, -1).events.OnPeerDrop(dropped);
  else if (IsVisible(form))
    Window(form).events.OnPeerDrop(dropped);
  return static_cast<int>(dropped.asked.size());
}

void Ui::Click(const std::string& form, const std::string& control, int index) {
  MemoryControl& c = Usable(form, control, index);
  backend_.MoveFocus(&c);
  switch (c.def.kind) {
    case ControlKind::Button:
      break;
    case ControlKind::CheckBox:
      c.check = c.check == toolkit::kTicked ? toolkit::kCleared : toolkit::kTicked;
      break;
    case ControlKind::OptionButton:
      // The buttons of a group share their name.
      for (MemoryControl* sibling : c.form.controls)
        if (sibling->def.kind == ControlKind::OptionButton &&
            std::string(sibling->def.name) == c.def.name)
          sibling->check = sibling == &c ? toolkit::kTicked : toolkit::kCleared;
      break;
    default:
      throw std::logic_error(form + "." + control + " cannot be clicked");
  }
  c.events.OnPeerEvent(PeerEvent::Clicked, 0);
}

void Ui::SelectItem(const std::string& form, const std::string& control, int position) {
  MemoryControl& c = Usable(form, control, -1);
  if (position < 0 || position >= c.ItemCount()) throw std::logic_error("no such item");
  backend_.MoveFocus(&c);
  c.selected = position;
  c.events.OnPeerEvent(PeerEvent::SelectionChanged, 0);
}

namespace {

int KeyCodeOf(char ch) {
  if (ch >= 'a' && ch <= 'z') return ch - 'a' + 'A';
  if ((ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == ' ') return ch;
  switch (ch) {
    case '.':
      return 0xBE;
    case ',':
      return 0xBC;
    case '-':
      return 0xBD;
    case '\\':
      return 0xDC;
    case ':':
    case ';':
      return 0xBA;
    default:
      return 0xDE;  // any other punctuation key
  }
}

}  // namespace

void Ui::Type(const std::string& form, const std::string& control, const std::string& text) {
  MemoryControl& c = Usable(form, control, -1);
  backend_.MoveFocus(&c);
  for (char ch : text) {
    c.events.OnPeerEvent(PeerEvent::KeyDown, KeyCodeOf(ch));
    c.text += ch;
    c.events.OnPeerEvent(PeerEvent::KeyUp, KeyCodeOf(ch));
  }
}

void Ui::Key(const std::string& form, const std::string& control, int keyCode) {
  MemoryControl& c = Usable(form, control, -1);
  backend_.MoveFocus(&c);
  c.events.OnPeerEvent(PeerEvent::KeyDown, keyCode);
  if (keyCode == kVkBack && !c.text.empty()) c.text.pop_back();
  c.events.OnPeerEvent(PeerEvent::KeyUp, keyCode);
}

void Ui::Release(const std::string& form, const std::string& control, int keyCode) {
  MemoryControl& c = Usable(form, control, -1);
  backend_.MoveFocus(&c);
  c.events.OnPeerEvent(PeerEvent::KeyUp, keyCode);
}

void Ui::Paste(const std::string& form, const std::string& control, const std::string& text,
               const std::vector<int>& keys) {
  MemoryControl& c = Usable(form, control, -1);
  backend_.MoveFocus(&c);
  for (int key : keys) {
    c.events.OnPeerEvent(PeerEvent::KeyDown, key);
    if (key == kVkShift) backend_.shift |= toolkit::kShiftMask;
    if (key == kVkControl) backend_.shift |= toolkit::kCtrlMask;
  }
  backend_.shift = 0;
  c.text += text;
  for (int key : keys) c.events.OnPeerEvent(PeerEvent::KeyUp, key);
}

void Ui::Menu(const std::string& form, const std::string& menu) {
  MemoryForm& f = Window(form);
  if (!f.visible) throw std::logic_error(form + " is not visible");
  for (size_t i = 0; i < f.def.menus.size(); ++i)
    if (menu == f.def.menus[i].name) return f.events.OnMenuCommand(static_cast<int>(i));
  throw std::logic_error("no menu " + menu);
}

void Ui::CloseBox(const std::string& form) { Window(form).events.OnCloseRequest(); }

}  // namespace marquill::test
