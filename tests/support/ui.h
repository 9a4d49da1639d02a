#pragma once

#include <string>
#include <vector>

#include "support/memory_backend.h"

// Drives forms on the memory backend the way a person would: a click moves
// the focus first, a disabled control or a hidden window refuses, and typing
// puts each character in the box before its key is released.
namespace marquill::test {

// Virtual-key codes used by the tests.
inline constexpr int kVkBack = 8;
inline constexpr int kVkTab = 9;
inline constexpr int kVkReturn = 13;
inline constexpr int kVkShift = 16;
inline constexpr int kVkControl = 17;
inline constexpr int kVkEscape = 27;
inline constexpr int kVkLeft = 37;
inline constexpr int kVkInsert = 45;
inline constexpr int kVkDelete = 46;
inline constexpr int kVkNumpad1 = 97;
inline constexpr int kVkProcessKey = 229;

// An item dropped from the shell: its path, and whether it is a folder.
struct DroppedItem {
  std::string path;
  bool folder = false;
};

class Ui {
 public:
  explicit Ui(MemoryBackend& backend) : backend_(backend) {}

  // Presses a button, toggles a check box, or selects an option button.
  void Click(const std::string& form, const std::string& control, int index = -1);
  void SelectItem(const std::string& form, const std::string& control, int position);
  // Types text: each character lands in the box, then its key is released.
  void Type(const std::string& form, const std::string& control, const std::string& text);
  // Presses and releases one key in a box (Backspace removes the last character first).
  void Key(const std::string& form, const std::string& control, int keyCode);
  // Lets go in a box of a key that went down elsewhere.
  void Release(const std::string& form, const std::string& control, int keyCode);
  // Text that arrives without any key, as a mouse paste does, or by the
  // `keys` of a paste chord: held down in order, let go in the same order.
  void Paste(const std::string& form, const std::string& control, const std::string& text,
             const std::vector<int>& keys = {});
  void Focus(const std::string& form, const std::string& control, int index = -1);
  // Drops items from the shell on a control, or with no control on the window
  // itself: how many of them the program asked whether they are folders.
  int Drop(const std::string& form, const std::string& control,
           const std::vector<DroppedItem>& items);
  void Menu(const std::string& form, const std::string& menu);
  void CloseBox(const std::string& form);

  bool IsOpen(const std::string& form) const;     // loaded
  bool IsVisible(const std::string& form) const;  // loaded and shown
  MemoryForm& Window(const std::string& form) const;
  MemoryControl& At(const std::string& form, const std::string& control, int index = -1) const;
  std::string Text(const std::string& form, const std::string& control, int index = -1) const {
    return At(form, control, index).text;
  }
  int Check(const std::string& form, const std::string& control, int index = -1) const {
    return At(form, control, index).check;
  }
  bool Enabled(const std::string& form, const std::string& control, int index = -1) const {
    return At(form, control, index).enabled;
  }
  // "form.control" of the focused control, or "" when none has the focus.
  std::string Focused() const;

 private:
  MemoryControl& Usable(const std::string& form, const std::string& control, int index) const;
  MemoryBackend& backend_;
};

}  // namespace marquill::test
