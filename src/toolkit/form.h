// The portable form: load, show, hide and unload.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "toolkit/controls.h"
#include "toolkit/peer.h"

namespace marquill::toolkit {

// A window made from a FormDef. It is not loaded, loaded and hidden, or loaded
// and visible. Loading creates the peers and runs Form_Load once; unloading
// destroys the peers, which returns every control to its design state, and
// runs no control handler.
class Form : private FormEvents {
 public:
  Form(Backend& backend, const FormDef& def);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const FormDef& def() const { return def_; }
  bool IsLoaded() const { return peer_ != nullptr; }
  bool IsVisible() const { return peer_ && peer_->Visible(); }

  void Load();
  // Loads if needed, shows modeless and brings to the front. The first show
  // after a load gives the focus to the first control of the tab order that
  // can take it.
  void Show();
  void Hide();
  void Unload();
  void SetCaption(const std::string& caption);
  std::string Caption() const { return caption_; }
  // Flashes the window's taskbar button when it is loaded but not in front.
  void Alert() {
    if (peer_) peer_->Alert();
  }

  // True while peer events may run handlers.
  bool AcceptsEvents() const { return peer_ && !busy_; }

  // Of the items dropped on a window that takes files (kDropsFile), the first
  // file; a drop with none is refused.
  std::function<void(const std::string& path)> Drop;
  FormPeer& peer();

 protected:
  // The control of row `id` (and `index` in its array), which must be a T.
  template <class T, class Id>
  requires std::is_enum_v<Id> T& Get(Id id, int index = -1) {
    Control& control = Find(static_cast<int>(id), index);
    if (auto* typed = dynamic_cast<T*>(&control)) return *typed;
    throw std::logic_error(std::string(control.def().name) + " is not of the kind asked for");
  }
  template <class Id>
  requires std::is_enum_v<Id> OptionGroup& Group(Id id) { return GroupOf(static_cast<int>(id)); }
  template <class Id>
  requires std::is_enum_v<Id> MenuItem& Menu(Id id) { return MenuOf(static_cast<int>(id)); }
  // Every control of the form, in table order.
  const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

  virtual void Form_Load() {}
  virtual void Form_Unload() {}
  // After an unload, for state a form keeps outside its windows (a dialog
  // component's last file name): back to design state, running no handler.
  virtual void ResetComponents() {}
  // The close box; unloading is what it does unless a form says otherwise.
  virtual void OnCloseBox() { Unload(); }

 private:
  void OnCloseRequest() override;
  void OnMenuCommand(int menuIndex) override;
  void OnPeerDrop(const DroppedItems& items) override;
  bool WouldTake(const DroppedItems& items) override;
  std::optional<size_t> Taken(const DroppedItems& items) const;
  Control& Find(int id, int index);
  OptionGroup& GroupOf(int id);
  MenuItem& MenuOf(int id);
  void FocusFirstControl();

  Backend& backend_;
  const FormDef& def_;
  std::string caption_;
  std::unique_ptr<FormPeer> peer_;
  bool busy_ = false;  // creating or destroying peers
  bool shownSinceLoad_ = false;
  std::vector<std::unique_ptr<Control>> controls_;  // in table order
  std::vector<std::unique_ptr<OptionGroup>> groups_;
  std::vector<std::unique_ptr<MenuItem>> menus_;
};

// Creation order of a form's controls: tab order first, then the controls
// that never take the focus, in table order, then the group boxes. Win32
// takes its tab order and stacking from it.
std::vector<const ControlDef*> CreationOrder(const FormDef& def);

// The name a screen reader gives `row` of `def`, from its Spoken; "" when its
// caption says it all. `labelled` tells whether that name comes from a label
// created just before it.
std::string AccessibleName(const FormDef& def, const ControlDef& row, bool& labelled);

}  // namespace marquill::toolkit
