// The portable controls and their event rules.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/peer.h"

namespace marquill::toolkit {

class Form;

// A control owned by its form. Touching a control of a form that is not
// loaded loads the form, hidden. Events arrive only while the form is loaded
// and not being created or destroyed.
class Control : private ControlEvents {
 public:
  Control(Form& form, const ControlDef& def);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const ControlDef& def() const { return def_; }

  std::string Text();
  void SetText(const std::string& text);
  // A new text a screen reader is not told of, for one that changes many
  // times a second; SetText tells the final one.
  void SetTextQuietly(const std::string& text);
  bool Enabled();
  void SetEnabled(bool enabled);
  void SetFocus();
  bool HasFocus() { return peer_ && peer_->HasFocus(); }

  // Loss of the keyboard focus, to any control of any window.
  std::function<void()> LostFocus;

 protected:
  ControlPeer& peer();
  virtual void OnUserEvent(PeerEvent event, int keyCode);

 private:
  friend class Form;
  void OnPeerEvent(PeerEvent event, int keyCode) override;
  void OnPeerDrop(const DroppedItems& items) override;
  bool WouldTake(const DroppedItems& items) override;
  std::string_view ItemText(std::size_t /*index*/) override { return {}; }
  bool ItemMarked(std::size_t /*index*/) override { return false; }
  virtual void OnUserDrop(const DroppedItems& /*items*/) {}
  // The item of a drop the control takes; none when it takes none of them.
  virtual std::optional<size_t> Taken(const DroppedItems& /*items*/) const { return {}; }
  void Attach(class FormPeer& formPeer);
  void Detach() {
    peer_.reset();
    OnDetached();
  }
  // The peer is gone: state kept beside it returns to design state too.
  virtual void OnDetached() {}
  // A live region's name follows its text.
  void Name(const std::string& text);

  Form& form_;
  const ControlDef& def_;
  std::unique_ptr<ControlPeer> peer_;
};

class Button : public Control {
 public:
  using Control::Control;
  std::function<void()> Click;

 private:
  void OnUserEvent(PeerEvent event, int keyCode) override;
};

class CheckBox : public Control {
 public:
  using Control::Control;
  int Value();
  // Setting a new state from code runs Click, as a user's change does.
  void SetValue(int state);
  // Shows a state without running Click: what a form puts in place is no
  // change of the user's.
  void Put(int state) { peer().SetCheck(state); }
  std::function<void()> Click;

 private:
  void OnUserEvent(PeerEvent event, int keyCode) override;
};

class OptionGroup;

class OptionButton : public Control {
 public:
  OptionButton(Form& form, const ControlDef& def, OptionGroup& group);
  bool Value();
  // Selecting from code runs the group's handler, as a user's click does,
  // when the selection changes.
  void Select();

 private:
  friend class OptionGroup;
  void Mark(bool selected) { peer().SetCheck(selected ? kTicked : kCleared); }
  void OnUserEvent(PeerEvent event, int keyCode) override;
  OptionGroup& group_;
};

// Option buttons that share a name, told apart by their index.
class OptionGroup {
 public:
  explicit OptionGroup(int id) : id_(id) {}
  OptionButton& operator[](int index);
  // Index of the selected button, -1 when none is.
  int Selected();
  // Selects the button and, when the selection changes, runs Click.
  void Select(int index);
  // Shows the button selected (none for -1) without running Click.
  void Put(int index);
  std::function<void(int index)> Click;

 private:
  friend class Form;
  int id_;  // the id of its buttons' rows
  std::vector<OptionButton*> buttons_;
  int selected_ = -1;  // as last selected, by code or user; -1 after an unload
};

class ListBox : public Control {
 public:
  using Control::Control;
  void AddItem(const std::string& item);
  // -1 when no item is selected.
  int ListIndex();
  // Selecting from code runs Click, as a user's selection does.
  void SetListIndex(int position);
  // Shows the item selected (none for -1) without running Click.
  void Put(int position) { peer().SetSelected(position); }
  std::function<void()> Click;

 private:
  void OnUserEvent(PeerEvent event, int keyCode) override;
};

// A text box judges only the keys typed in it: a release runs a handler only
// when its key went down while the box had the focus, so a key that dismissed
// a message box or moved the focus here counts for nothing, and so does one
// an input method took (it goes down as VK_PROCESSKEY).
class TextBox : public Control {
 public:
  using Control::Control;
  // A key typed in the box was released: its virtual-key code.
  std::function<void(int keyCode)> KeyUp;
  // Ctrl+V or Shift+Insert put the clipboard in the box. It runs once the text
  // is there, instead of KeyUp for any key of the chord.
  std::function<void()> Paste;
  // Of the items dropped on a box that takes folders (kDropsFolder) or files
  // (kDropsFile), the first of that kind; a drop with none is refused.
  std::function<void(const std::string& path)> Drop;

 private:
  // What the release of a key that went down in the box runs.
  enum class Release { KeyUp, Paste, Nothing };

  void OnUserEvent(PeerEvent event, int keyCode) override;
  void OnUserDrop(const DroppedItems& items) override;
  std::optional<size_t> Taken(const DroppedItems& items) const override;
  void KeyDown(int keyCode);
  void KeyReleased(int keyCode);
  void LoseKeys();
  void OnDetached() override { down_.clear(); }

  std::map<int, Release> down_;  // keys down since they went down in the box
};

// A virtual list of text lines in one column: the form keeps the lines and
// the list asks for those it shows, so a million of them cost no more than
// their text. Ctrl+A selects every line; Ctrl+C (or Ctrl+Insert) runs Copy.
class ListView : public Control {
 public:
  using Control::Control;
  void SetItemCount(std::size_t count);
  // In order; empty when none is.
  std::vector<std::size_t> SelectedItems();
  std::function<std::string_view(std::size_t index)> Item;
  // Whether the item is drawn as a warning.
  std::function<bool(std::size_t index)> Marked;
  std::function<void()> Copy;

 private:
  void OnUserEvent(PeerEvent event, int keyCode) override;
  std::string_view ItemText(std::size_t index) override {
    return Item ? Item(index) : std::string_view();
  }
  bool ItemMarked(std::size_t index) override { return Marked && Marked(index); }
};

class MonthCalendar : public Control {
 public:
  using Control::Control;
  Date Value();
  void SetValue(const Date& date);
};

// Labels, group boxes, lines and pictures: shown, never acted on.
using Label = Control;
using Frame = Control;
using Line = Control;
using Picture = Control;

class MenuItem {
 public:
  explicit MenuItem(const MenuDef& def) : def_(def) {}
  const MenuDef& def() const { return def_; }
  std::function<void()> Click;

 private:
  const MenuDef& def_;
};

}  // namespace marquill::toolkit
