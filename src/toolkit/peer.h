// What a backend provides for each form and control.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/date.h"
#include "toolkit/layout.h"

// The few primitives a backend provides for each control and form. Event rules
// live above this line, in the portable controls; a backend only translates.
namespace marquill::toolkit {

// Check-box states; only kTicked counts as on.
inline constexpr int kCleared = 0;
inline constexpr int kTicked = 1;

// Modifier keys held, as a peer reports them during a key event.
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

enum class PeerEvent {
  Clicked,           // button pressed, check box or option button changed by the user
  SelectionChanged,  // the user selected a list item
  LostFocus,
  KeyDown,  // with the virtual-key code; a held key repeats it
  KeyUp,    // with the virtual-key code
};

// The items of a drop from the shell, in the order the drag source gave
// them: each one's full path, and whether it is a folder. Telling a folder may
// cost the drag source a question, so a control asks only of the items it
// looks at, in order.
class DroppedItems {
 public:
  virtual size_t Count() const = 0;
  virtual std::string Path(size_t index) const = 0;
  virtual bool IsFolder(size_t index) const = 0;

 protected:
  ~DroppedItems() = default;
};

class ControlEvents {
 public:
  virtual void OnPeerEvent(PeerEvent event, int keyCode) = 0;
  // Items dropped on the control.
  virtual void OnPeerDrop(const DroppedItems& items) = 0;
  // Whether a drop of these items would be taken, for the peer to show while
  // they are dragged over the control.
  virtual bool WouldTake(const DroppedItems& items) = 0;
  // A list of items its form keeps asks for those it shows: the text, and
  // whether the item is drawn as a warning.
  virtual std::string_view ItemText(std::size_t index) = 0;
  virtual bool ItemMarked(std::size_t index) = 0;

 protected:
  ~ControlEvents() = default;
};

// The first of `items` that is a folder (`folders`) or a file; none when
// none is. The items after it are not asked about.
std::optional<size_t> FirstOfKind(const DroppedItems& items, bool folders);

class FormEvents {
 public:
  virtual void OnCloseRequest() = 0;
  virtual void OnMenuCommand(int menuIndex) = 0;
  // Items dropped on the window itself, outside the controls that take drops;
  // and whether such a drop would be taken.
  virtual void OnPeerDrop(const DroppedItems& items) = 0;
  virtual bool WouldTake(const DroppedItems& items) = 0;

 protected:
  ~FormEvents() = default;
};

class ControlPeer {
 public:
  virtual ~ControlPeer() = default;
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
  // The text, without telling a screen reader: a count that changes many
  // times a second.
  virtual void SetTextQuietly(const std::string& text) = 0;
  virtual int Check() const = 0;
  virtual void SetCheck(int state) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual void Focus() = 0;
  virtual bool HasFocus() const = 0;
  virtual void AddItem(const std::string& item) = 0;
  virtual int Selected() const = 0;
  virtual void SetSelected(int position) = 0;
  virtual Date GetDate() const = 0;
  virtual void SetDate(const Date& date) = 0;
  // The modifier keys held during the key event being reported (k...Mask).
  virtual int ShiftState() const = 0;
  // The name a screen reader gives the control; `labelled` when the label
  // that gives it was created just before the control.
  virtual void SetAccessibleName(const std::string& name, bool labelled) = 0;
  // A drop that holds nothing the control takes: the user hears so.
  virtual void RefuseDrop() = 0;
  // A list of items its form keeps (ItemText): how many there are, which
  // are selected, and selecting them all.
  virtual void SetItemCount(std::size_t count) = 0;
  virtual std::vector<std::size_t> SelectedItems() const = 0;
  virtual void SelectAll() = 0;
};

class FormPeer {
 public:
  virtual ~FormPeer() = default;
  virtual std::unique_ptr<ControlPeer> CreateControl(const ControlDef& def,
                                                     ControlEvents& events) = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void Show() = 0;  // shown and brought to the front
  virtual void Hide() = 0;
  virtual bool Visible() const = 0;
  // Draws the user back when the window is not the foreground one: its
  // taskbar button flashes until they come.
  virtual void Alert() = 0;
  // A drop on the window that holds nothing it takes: the user hears so.
  virtual void RefuseDrop() = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;
  virtual std::unique_ptr<FormPeer> CreateForm(const FormDef& def, FormEvents& events) = 0;
};

}  // namespace marquill::toolkit
