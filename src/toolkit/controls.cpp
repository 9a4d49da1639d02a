// The portable controls and their event rules.
#include "toolkit/controls.h"

#include <algorithm>
#include <optional>

#include "toolkit/form.h"

namespace marquill::toolkit {
namespace {

constexpr int kVkInsert = 0x2D;
// What an input method reports for a key it takes; the key itself comes up.
constexpr int kVkProcessKey = 0xE5;

// The edit's own paste keys, told by the modifiers held as the key went down.
bool IsPasteChord(int keyCode, int shift) {
  if (shift & kAltMask) return false;
  return (keyCode == 'V' && (shift & kCtrlMask)) || (keyCode == kVkInsert && (shift & kShiftMask));
}

}  // namespace

Control::Control(Form& form, const ControlDef& def) : form_(form), def_(def) {}

ControlPeer& Control::peer() {
  if (!peer_) form_.Load();
  return *peer_;
}

void Control::Attach(FormPeer& formPeer) {
  peer_ = formPeer.CreateControl(def_, *this);
  bool labelled = false;
  const std::string name = AccessibleName(form_.def(), def_, labelled);
  if (!name.empty()) peer_->SetAccessibleName(name, labelled);
}

std::string Control::Text() { return peer().Text(); }
void Control::SetText(const std::string& text) {
  Name(text);
  peer().SetText(text);
}

void Control::SetTextQuietly(const std::string& text) {
  Name(text);
  peer().SetTextQuietly(text);
}

void Control::Name(const std::string& text) {
  // Screen readers announce a live region by its name: while it holds a text,
  // that text is its name, as a label's would be.
  if (!(def_.style & kLiveRegion)) return;
  bool labelled = false;
  peer().SetAccessibleName(text.empty() ? AccessibleName(form_.def(), def_, labelled) : text,
                           labelled);
}
bool Control::Enabled() { return peer().Enabled(); }
void Control::SetEnabled(bool enabled) { peer().SetEnabled(enabled); }
void Control::SetFocus() { peer().Focus(); }

void Control::OnPeerEvent(PeerEvent event, int keyCode) {
  // A window that is being created or destroyed still reports focus changes;
  // no handler may run then.
  if (!form_.AcceptsEvents() || !peer_) return;
  OnUserEvent(event, keyCode);
}

void Control::OnPeerDrop(const DroppedItems& items) {
  if (!form_.AcceptsEvents() || !peer_) return;
  OnUserDrop(items);
}

bool Control::WouldTake(const DroppedItems& items) {
  return form_.AcceptsEvents() && peer_ && Taken(items);
}

void Control::OnUserEvent(PeerEvent event, int /*keyCode*/) {
  if (event == PeerEvent::LostFocus && LostFocus) LostFocus();
}

void Button::OnUserEvent(PeerEvent event, int keyCode) {
  if (event == PeerEvent::Clicked) {
    if (Click) Click();
    return;
  }
  Control::OnUserEvent(event, keyCode);
}

int CheckBox::Value() { return peer().Check(); }

void CheckBox::SetValue(int state) {
  if (peer().Check() == state) return;
  peer().SetCheck(state);
  if (Click) Click();
}

void CheckBox::OnUserEvent(PeerEvent event, int keyCode) {
  if (event == PeerEvent::Clicked) {
    if (Click) Click();
    return;
  }
  Control::OnUserEvent(event, keyCode);
}

OptionButton::OptionButton(Form& form, const ControlDef& def, OptionGroup& group)
    : Control(form, def), group_(group) {}

bool OptionButton::Value() { return peer().Check() == kTicked; }

void OptionButton::Select() { group_.Select(def().index); }

void OptionButton::OnUserEvent(PeerEvent event, int keyCode) {
  if (event == PeerEvent::Clicked) {
    group_.Select(def().index);
    return;
  }
  Control::OnUserEvent(event, keyCode);
}

OptionButton& OptionGroup::operator[](int index) { return *buttons_.at(index); }

int OptionGroup::Selected() {
  for (OptionButton* button : buttons_)
    if (button && button->Value()) return button->def().index;
  return -1;
}

void OptionGroup::Select(int index) {
  // The handler follows the selection, not the mouse: a click on the button
  // already selected runs nothing. The toolkit keeps the selection itself,
  // since a backend may already show the clicked button selected when it
  // reports the click.
  if (selected_ == index) return;
  Put(index);
  if (Click) Click(index);
}

void OptionGroup::Put(int index) {
  selected_ = index;
  for (OptionButton* button : buttons_)
    if (button) button->Mark(button->def().index == index);
}

void ListBox::AddItem(const std::string& item) { peer().AddItem(item); }
int ListBox::ListIndex() { return peer().Selected(); }

void ListBox::SetListIndex(int position) {
  peer().SetSelected(position);
  if (Click) Click();
}

void ListBox::OnUserEvent(PeerEvent event, int keyCode) {
  if (event == PeerEvent::SelectionChanged) {
    if (Click) Click();
    return;
  }
  Control::OnUserEvent(event, keyCode);
}

void TextBox::OnUserEvent(PeerEvent event, int keyCode) {
  switch (event) {
    case PeerEvent::KeyDown:
      return KeyDown(keyCode);
    case PeerEvent::KeyUp:
      return KeyReleased(keyCode);
    case PeerEvent::LostFocus:
      LoseKeys();
      break;
    default:
      break;
  }
  Control::OnUserEvent(event, keyCode);
}

std::optional<size_t> FirstOfKind(const DroppedItems& items, bool folders) {
  for (size_t i = 0; i < items.Count(); ++i)
    if (items.IsFolder(i) == folders) return i;
  return {};
}

std::optional<size_t> TextBox::Taken(const DroppedItems& items) const {
  if (!(def().style & (kDropsFolder | kDropsFile))) return {};
  return FirstOfKind(items, (def().style & kDropsFolder) != 0);
}

void TextBox::OnUserDrop(const DroppedItems& items) {
  const std::optional<size_t> taken = Taken(items);
  if (!taken) return peer().RefuseDrop();
  if (Drop) Drop(items.Path(*taken));
}

void TextBox::KeyDown(int keyCode) {
  if (keyCode == kVkProcessKey) return;  // the input method's, not the box's
  if (!IsPasteChord(keyCode, peer().ShiftState())) {
    down_.try_emplace(keyCode, Release::KeyUp);  // a repeat keeps what the first press made
    return;
  }
  // The keys held for the chord belong to it; the paste key's release comes
  // after the edit has inserted the text, whichever key is let go first.
  for (auto& held : down_) held.second = Release::Nothing;
  down_[keyCode] = Release::Paste;
}

void TextBox::KeyReleased(int keyCode) {
  const auto key = down_.find(keyCode);
  if (key == down_.end()) return;  // it went down elsewhere
  const Release release = key->second;
  down_.erase(key);
  if (release == Release::KeyUp && KeyUp) KeyUp(keyCode);
  if (release == Release::Paste && Paste) Paste();
}

void TextBox::LoseKeys() {
  // The keys still down are released elsewhere; a paste among them is in the
  // box all the same.
  const bool pasted = std::any_of(down_.begin(), down_.end(),
                                  [](const auto& key) { return key.second == Release::Paste; });
  down_.clear();
  if (pasted && Paste) Paste();
}

void ListView::SetItemCount(std::size_t count) { peer().SetItemCount(count); }
std::vector<std::size_t> ListView::SelectedItems() { return peer().SelectedItems(); }

void ListView::OnUserEvent(PeerEvent event, int keyCode) {
  const int held = event == PeerEvent::KeyDown ? peer().ShiftState() : 0;
  if (held == kCtrlMask && keyCode == 'A') return peer().SelectAll();
  if (held == kCtrlMask && (keyCode == 'C' || keyCode == kVkInsert)) {
    if (Copy) Copy();
    return;
  }
  Control::OnUserEvent(event, keyCode);
}

Date MonthCalendar::Value() { return peer().GetDate(); }
void MonthCalendar::SetValue(const Date& date) { peer().SetDate(date); }

}  // namespace marquill::toolkit
