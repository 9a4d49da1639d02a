// frmOptMain's size filters: the size boxes and their check boxes.
#include "options/options_dialog.h"

namespace marquill {

void FrmOptMain::WireFilters() {
  chkMinFileSize.Click = [this] { chkMinFileSize_Click(); };
  chkMaxFileSize.Click = [this] { chkMaxFileSize_Click(); };
  txtMinFileSize.KeyUp = [this](int keyCode) { txtMinFileSize_KeyUp(keyCode); };
  txtMaxFileSize.KeyUp = [this](int keyCode) { txtMaxFileSize_KeyUp(keyCode); };
  txtMinFileSize.Paste = [this] { txtMinFileSize_Paste(); };
  txtMaxFileSize.Paste = [this] { txtMaxFileSize_Paste(); };
}

void FrmOptMain::chkMinFileSize_Click() {
  SizeCheck_Click(chkMinFileSize, txtMinFileSize, &OptionSlots::strOptMinSize);
}

void FrmOptMain::chkMaxFileSize_Click() {
  SizeCheck_Click(chkMaxFileSize, txtMaxFileSize, &OptionSlots::strOptMaxSize);
}

void FrmOptMain::txtMinFileSize_KeyUp(int keyCode) {
  SizeBox_KeyUp(txtMinFileSize, &OptionSlots::strOptMinSize, keyCode);
}

void FrmOptMain::txtMaxFileSize_KeyUp(int keyCode) {
  SizeBox_KeyUp(txtMaxFileSize, &OptionSlots::strOptMaxSize, keyCode);
}

void FrmOptMain::txtMinFileSize_Paste() {
  SizeBox_Take(txtMinFileSize, &OptionSlots::strOptMinSize);
}

void FrmOptMain::txtMaxFileSize_Paste() {
  SizeBox_Take(txtMaxFileSize, &OptionSlots::strOptMaxSize);
}

void FrmOptMain::SizeCheck_Click(toolkit::CheckBox& box, toolkit::TextBox& sizeBox,
                                 OptionSlots::Slot slot) {
  if (box.Value() == toolkit::kTicked) {
    // The slot waits for the next accepted key.
    sizeBox.SetEnabled(true);
  } else {
    sizeBox.SetEnabled(false);
    slots_.*slot = "";
  }
}

void FrmOptMain::SizeBox_KeyUp(toolkit::TextBox& box, OptionSlots::Slot slot, int keyCode) {
  constexpr int kBackspace = 8;
  // The digit keys of the main keyboard; the key cannot be taken back, so a
  // rejected character stays in the box.
  if ((keyCode >= '0' && keyCode <= '9') || keyCode == kBackspace) {
    SizeBox_Take(box, slot);
    return;
  }
  services_.messages.Show("Enter A Numeric Value", "Error", MsgButtons::Ok, MsgIcon::Exclamation);
}

// An accepted key or a keyboard paste: the slot takes the box's whole text,
// as typed.
void FrmOptMain::SizeBox_Take(toolkit::TextBox& box, OptionSlots::Slot slot) {
  slots_.*slot = std::string(Choices(slot).front()) + box.Text();
}

}  // namespace marquill
