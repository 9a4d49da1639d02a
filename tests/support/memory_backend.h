#pragma once

#include <list>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/peer.h"

// The in-memory backend: peers that hold their state in plain fields, and a
// way for tests to act on them as a person would.
namespace marquill::test {

class MemoryBackend;
class MemoryForm;

class MemoryControl : public toolkit::ControlPeer {
 public:
  MemoryControl(MemoryForm& form, const toolkit::ControlDef& def, toolkit::ControlEvents& events);
  ~MemoryControl() override;

  std::string Text() const override { return text; }
  void SetText(const std::string& value) override {
    text = value;
    if (def.style & toolkit::kLiveRegion) announced.push_back(value);
  }
  void SetTextQuietly(const std::string& value) override { text = value; }
  int Check() const override { return check; }
  void SetCheck(int state) override { check = state; }
  bool Enabled() const override { return enabled; }
  void SetEnabled(bool value) override { enabled = value; }
  void Focus() override;
  bool HasFocus() const override;
  void AddItem(const std::string& item) override { items.push_back(item); }
  int ItemCount() const { return static_cast<int>(items.size()); }
  int Selected() const override { return selected; }
  void SetSelected(int position) override { selected = position; }
  Date GetDate() const override { return date; }
  void SetDate(const Date& value) override { date = value; }
  int ShiftState() const override;
  void SetAccessibleName(const std::string& name, bool) override { accessibleName = name; }
  void RefuseDrop() override { ++refusedDrops; }
  void SetItemCount(std::size_t count) override { itemCount = count; }
  std::vector<std::size_t> SelectedItems() const override { return selection; }
  void SelectAll() override;
  // The items of a list its form keeps, as the list would show them.
  std::vector<std::string> Items() const;

  const toolkit::ControlDef& def;
  toolkit::ControlEvents& events;
  MemoryForm& form;
  std::string text;
  int check = 0;
  bool enabled = true;
  std::vector<std::string> items;
  int selected = -1;
  Date date;
  std::string accessibleName;
  int refusedDrops = 0;
  std::vector<std::string> announced;  // the texts a screen reader was told of
  std::size_t itemCount = 0;
  std::vector<std::size_t> selection;
};

class MemoryForm : public toolkit::FormPeer {
 public:
  MemoryForm(MemoryBackend& backend, const toolkit::FormDef& def, toolkit::FormEvents& events);
  ~MemoryForm() override;

  std::unique_ptr<toolkit::ControlPeer> CreateControl(const toolkit::ControlDef& def,
                                                      toolkit::ControlEvents& events) override;
  void SetCaption(const std::string& value) override { caption = value; }
  void Show() override;
  void Hide() override;
  bool Visible() const override { return visible; }
  void Alert() override;
  void RefuseDrop() override { ++refusedDrops; }

  MemoryBackend& backend;
  const toolkit::FormDef& def;
  toolkit::FormEvents& events;
  std::string caption;
  bool visible = false;
  int alerts = 0;  // flashes while it was not in front
  int refusedDrops = 0;
  std::vector<MemoryControl*> controls;  // in creation order
};

class MemoryBackend : public toolkit::Backend {
 public:
  std::unique_ptr<toolkit::FormPeer> CreateForm(const toolkit::FormDef& def,
                                                toolkit::FormEvents& events) override;

  // Live forms, oldest first; the last one shown is in front.
  std::vector<MemoryForm*> forms;
  MemoryControl* focused = nullptr;
  MemoryForm* front = nullptr;
  int shift = 0;  // modifier keys held (toolkit::k...Mask)
  // Forms created so far, by name: how often each was loaded.
  std::vector<std::string> created;

  MemoryForm* FindForm(const std::string& name) const;
  MemoryControl* Find(const std::string& form, const std::string& control, int index = -1) const;
  // Moves the focus as a click or Tab would, reporting the loss first.
  void MoveFocus(MemoryControl* to);
};

}  // namespace marquill::test
