// The portable form: load, show, hide and unload.
#include "toolkit/form.h"

#include <algorithm>
#include <stdexcept>

namespace marquill::toolkit {

namespace {

const ControlDef* Row(const FormDef& def, int id) {
  for (const ControlDef& row : def.controls)
    if (row.id == id && row.index <= 0) return &row;
  return nullptr;
}

// The label that names `row`, if one does.
const ControlDef* LabelOf(const FormDef& def, const ControlDef& row) {
  const ControlDef* by = row.spoken.by >= 0 ? Row(def, row.spoken.by) : nullptr;
  return by && by->kind == ControlKind::Label && !row.spoken.afterOwnCaption ? by : nullptr;
}

// A caption as it reads: no access-key marks, one blank between words.
std::string Plain(const std::string& caption) {
  std::string text;
  for (size_t i = 0; i < caption.size(); ++i) {
    const char c = caption[i];
    if (c == '&' && i + 1 < caption.size() && caption[i + 1] != '&') continue;
    if (c == ' ' && (text.empty() || text.back() == ' ')) continue;
    text += c == '&' ? caption[++i] : c;
  }
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

}  // namespace

std::vector<const ControlDef*> CreationOrder(const FormDef& def) {
  // Group boxes go last: Win32 stacks later windows lower, and a box must lie
  // under the controls drawn inside it.
  auto rank = [](const ControlDef* control) {
    if (control->tabIndex != kNoTab) return 0;
    return control->kind == ControlKind::Frame ? 2 : 1;
  };
  std::vector<const ControlDef*> order;
  for (const ControlDef& control : def.controls) order.push_back(&control);
  std::stable_sort(order.begin(), order.end(), [&](const ControlDef* a, const ControlDef* b) {
    if (rank(a) != rank(b)) return rank(a) < rank(b);
    return a->tabIndex < b->tabIndex;
  });
  // A label goes just before the control it names: Windows names a field
  // after the label that precedes it. The focusable controls keep their order.
  for (const ControlDef& row : def.controls) {
    const ControlDef* label = LabelOf(def, row);
    if (!label) continue;
    order.erase(std::find(order.begin(), order.end(), label));
    order.insert(std::find(order.begin(), order.end(), &row), label);
  }
  return order;
}

std::string AccessibleName(const FormDef& def, const ControlDef& row, bool& labelled) {
  labelled = LabelOf(def, row) != nullptr;
  if (row.spoken.name) return row.spoken.name;
  const ControlDef* by = row.spoken.by >= 0 ? Row(def, row.spoken.by) : nullptr;
  if (!by) return {};
  if (!row.spoken.afterOwnCaption) return Plain(by->caption);
  return Plain(row.caption) + " (" + Plain(by->caption) + ")";
}

Form::Form(Backend& backend, const FormDef& def)
    : backend_(backend), def_(def), caption_(def.caption) {
  for (const ControlDef& control : def.controls) {
    switch (control.kind) {
      case ControlKind::Button:
        controls_.push_back(std::make_unique<Button>(*this, control));
        break;
      case ControlKind::CheckBox:
        controls_.push_back(std::make_unique<CheckBox>(*this, control));
        break;
      case ControlKind::OptionButton: {
        OptionGroup& group = GroupOf(control.id);
        auto button = std::make_unique<OptionButton>(*this, control, group);
        if (group.buttons_.size() <= static_cast<size_t>(control.index))
          group.buttons_.resize(control.index + 1, nullptr);
        group.buttons_[control.index] = button.get();
        controls_.push_back(std::move(button));
        break;
      }
      case ControlKind::ListBox:
        controls_.push_back(std::make_unique<ListBox>(*this, control));
        break;
      case ControlKind::TextBox:
        controls_.push_back(std::make_unique<TextBox>(*this, control));
        break;
      case ControlKind::MonthCalendar:
        controls_.push_back(std::make_unique<MonthCalendar>(*this, control));
        break;
      case ControlKind::ListView:
        controls_.push_back(std::make_unique<ListView>(*this, control));
        break;
      case ControlKind::Label:
      case ControlKind::Frame:
      case ControlKind::Line:
      case ControlKind::Picture:
        controls_.push_back(std::make_unique<Control>(*this, control));
        break;
    }
  }
  for (const MenuDef& menu : def.menus) menus_.push_back(std::make_unique<MenuItem>(menu));
}

Form::~Form() = default;

FormPeer& Form::peer() {
  Load();
  return *peer_;
}

void Form::Load() {
  if (peer_) return;
  busy_ = true;
  try {
    peer_ = backend_.CreateForm(def_, *this);
    peer_->SetCaption(caption_);
    for (const ControlDef* control : CreationOrder(def_))
      Find(control->id, control->index).Attach(*peer_);
  } catch (...) {
    // A form the system could not make whole stays not loaded.
    for (auto& control : controls_) control->Detach();
    peer_.reset();
    busy_ = false;
    throw;
  }
  busy_ = false;
  Form_Load();
}

void Form::Show() {
  Load();
  peer_->Show();
  if (shownSinceLoad_) return;
  shownSinceLoad_ = true;
  FocusFirstControl();
}

void Form::FocusFirstControl() {
  for (const ControlDef* def : CreationOrder(def_)) {
    if (def->tabIndex == kNoTab) continue;
    switch (def->kind) {
      case ControlKind::Label:
      case ControlKind::Frame:
      case ControlKind::Line:
      case ControlKind::Picture:
        continue;
      default:
        break;
    }
    Control& control = Find(def->id, def->index);
    if (!control.Enabled()) continue;
    control.SetFocus();
    return;
  }
}

void Form::Hide() {
  if (peer_) peer_->Hide();
}

void Form::Unload() {
  if (!peer_ || busy_) return;
  Form_Unload();
  busy_ = true;
  for (auto& control : controls_) control->Detach();
  for (auto& group : groups_) group->selected_ = -1;
  peer_.reset();
  caption_ = def_.caption;
  shownSinceLoad_ = false;
  busy_ = false;
  ResetComponents();
}

void Form::SetCaption(const std::string& caption) {
  caption_ = caption;
  peer().SetCaption(caption);
}

void Form::OnCloseRequest() {
  if (!AcceptsEvents()) return;
  // The close box ends an edit under way as a click on a button would: the
  // focused control loses the focus before the form goes, so a box being
  // typed in counts.
  for (auto& control : controls_)
    if (control->peer_ && control->peer_->HasFocus()) {
      control->OnPeerEvent(PeerEvent::LostFocus, 0);
      break;
    }
  if (AcceptsEvents()) OnCloseBox();
}

void Form::OnMenuCommand(int menuIndex) {
  if (!AcceptsEvents() || menuIndex < 0 || static_cast<size_t>(menuIndex) >= menus_.size()) return;
  if (menus_[menuIndex]->Click) menus_[menuIndex]->Click();
}

std::optional<size_t> Form::Taken(const DroppedItems& items) const {
  if (!(def_.style & kDropsFile)) return {};
  return FirstOfKind(items, false);
}

bool Form::WouldTake(const DroppedItems& items) { return AcceptsEvents() && Taken(items); }

void Form::OnPeerDrop(const DroppedItems& items) {
  if (!AcceptsEvents()) return;
  const std::optional<size_t> taken = Taken(items);
  if (!taken) return peer_->RefuseDrop();
  if (Drop) Drop(items.Path(*taken));
}

Control& Form::Find(int id, int index) {
  for (auto& control : controls_)
    if (control->def().id == id && control->def().index == index) return *control;
  throw std::logic_error("no control " + std::to_string(id) + " on " + def_.name);
}

OptionGroup& Form::GroupOf(int id) {
  for (auto& group : groups_)
    if (group->id_ == id) return *group;
  groups_.push_back(std::make_unique<OptionGroup>(id));
  return *groups_.back();
}

MenuItem& Form::MenuOf(int id) {
  for (auto& menu : menus_)
    if (menu->def().id == id) return *menu;
  throw std::logic_error("no menu " + std::to_string(id) + " on " + def_.name);
}

}  // namespace marquill::toolkit
