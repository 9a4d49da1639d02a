#include "support/memory_backend.h"

#include <algorithm>

namespace marquill::test {

MemoryControl::MemoryControl(MemoryForm& form_, const toolkit::ControlDef& def_,
                             toolkit::ControlEvents& events_)
    : def(def_), events(events_), form(form_), text(def_.caption) {
  form.controls.push_back(this);
}

MemoryControl::~MemoryControl() {
  // Destroyed windows report nothing; the focus simply goes.
  if (form.backend.focused == this) form.backend.focused = nullptr;
  auto& list = form.controls;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void MemoryControl::SelectAll() {
  selection.clear();
  for (std::size_t i = 0; i < itemCount; ++i) selection.push_back(i);
}

std::vector<std::string> MemoryControl::Items() const {
  std::vector<std::string> shown;
  for (std::size_t i = 0; i < itemCount; ++i) shown.emplace_back(events.ItemText(i));
  return shown;
}

void MemoryControl::Focus() { form.backend.MoveFocus(this); }
bool MemoryControl::HasFocus() const { return form.backend.focused == this; }
int MemoryControl::ShiftState() const { return form.backend.shift; }

MemoryForm::MemoryForm(MemoryBackend& backend_, const toolkit::FormDef& def_,
                       toolkit::FormEvents& events_)
    : backend(backend_), def(def_), events(events_), caption(def_.caption) {
  backend.forms.push_back(this);
  backend.created.push_back(def.name);
}

MemoryForm::~MemoryForm() {
  auto& list = backend.forms;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  if (backend.front == this) backend.front = nullptr;
}

std::unique_ptr<toolkit::ControlPeer> MemoryForm::CreateControl(const toolkit::ControlDef& def_,
                                                                toolkit::ControlEvents& events_) {
  return std::make_unique<MemoryControl>(*this, def_, events_);
}

void MemoryForm::Show() {
  visible = true;
  backend.front = this;
}

void MemoryForm::Hide() {
  visible = false;
  if (backend.front == this) backend.front = nullptr;
  // The focus leaves a window that is hidden.
  if (backend.focused && &backend.focused->form == this) backend.MoveFocus(nullptr);
}

void MemoryForm::Alert() {
  if (backend.front != this) ++alerts;
}

std::unique_ptr<toolkit::FormPeer> MemoryBackend::CreateForm(const toolkit::FormDef& def,
                                                             toolkit::FormEvents& events) {
  return std::make_unique<MemoryForm>(*this, def, events);
}

MemoryForm* MemoryBackend::FindForm(const std::string& name) const {
  for (MemoryForm* form : forms)
    if (name == form->def.name) return form;
  return nullptr;
}

MemoryControl* MemoryBackend::Find(const std::string& form, const std::string& control,
                                   int index) const {
  MemoryForm* f = FindForm(form);
  if (!f) return nullptr;
  for (MemoryControl* c : f->controls)
    if (control == c->def.name && c->def.index == index) return c;
  return nullptr;
}

void MemoryBackend::MoveFocus(MemoryControl* to) {
  if (focused == to) return;
  MemoryControl* from = focused;
  focused = to;
  if (from) from->events.OnPeerEvent(toolkit::PeerEvent::LostFocus, 0);
}

}  // namespace marquill::test
