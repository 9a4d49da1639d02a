#include "options/frm_opt_main.h"

namespace marquill {

void FrmOptMain::WireFilters() {
  txtFiles.LostFocus = [this] { txtFiles_LostFocus(); };
  txtFileExclName.LostFocus = [this] { txtFileExclName_LostFocus(); };
  txtDirExclName.LostFocus = [this] { txtDirExclName_LostFocus(); };
  chkMinFileSize.Click = [this] { chkMinFileSize_Click(); };
  chkMaxFileSize.Click = [this] { chkMaxFileSize_Click(); };
  txtMinFileSize.KeyUp = [this](int keyCode) { txtMinFileSize_KeyUp(keyCode); };
  txtMaxFileSize.KeyUp = [this](int keyCode) { txtMaxFileSize_KeyUp(keyCode); };
  txtMinFileSize.Paste = [this] { txtMinFileSize_Paste(); };
  txtMaxFileSize.Paste = [this] { txtMaxFileSize_Paste(); };
}

void FrmOptMain::txtFiles_LostFocus() {
  NameBox_LostFocus(txtFiles, &OptionSlots::strOptFiles, " ");
}

void FrmOptMain::txtFileExclName_LostFocus() {
  NameBox_LostFocus(txtFileExclName, &OptionSlots::strOptExclFile, " /XF ");
}

void FrmOptMain::txtDirExclName_LostFocus() {
  NameBox_LostFocus(txtDirExclName, &OptionSlots::strOptExclDir, " /XD ");
}

void FrmOptMain::chkMinFileSize_Click() {
  SizeCheck_Click(chkMinFileSize, txtMinFileSize, &OptionSlots::strOptMinSize);
}

void FrmOptMain::chkMaxFileSize_Click() {
  SizeCheck_Click(chkMaxFileSize, txtMaxFileSize, &OptionSlots::strOptMaxSize);
}

void FrmOptMain::txtMinFileSize_KeyUp(int keyCode) {
  SizeBox_KeyUp(txtMinFileSize, &OptionSlots::strOptMinSize, " /MIN:", keyCode);
}

void FrmOptMain::txtMaxFileSize_KeyUp(int keyCode) {
  SizeBox_KeyUp(txtMaxFileSize, &OptionSlots::strOptMaxSize, " /MAX:", keyCode);
}

void FrmOptMain::txtMinFileSize_Paste() {
  SizeBox_Take(txtMinFileSize, &OptionSlots::strOptMinSize, " /MIN:");
}

void FrmOptMain::txtMaxFileSize_Paste() {
  SizeBox_Take(txtMaxFileSize, &OptionSlots::strOptMaxSize, " /MAX:");
}

// Any loss of focus writes the slot, also to another window, so that a run
// started straight from the main window sees what was typed.
void FrmOptMain::NameBox_LostFocus(toolkit::TextBox& box, OptionSlots::Slot slot,
                                   const char* prefix) {
  const std::string text = box.Text();
  slots_.*slot = text.empty() ? "" : prefix + text;
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

void FrmOptMain::SizeBox_KeyUp(toolkit::TextBox& box, OptionSlots::Slot slot, const char* prefix,
                               int keyCode) {
  constexpr int kBackspace = 8;
  // The digit keys of the main keyboard; the key cannot be taken back, so a
  // rejected character stays in the box.
  if ((keyCode >= '0' && keyCode <= '9') || keyCode == kBackspace) {
    SizeBox_Take(box, slot, prefix);
    return;
  }
  services_.messages.Show("Enter A Numeric Value", "Error", MsgButtons::Ok, MsgIcon::Exclamation);
}

// An accepted key or a keyboard paste: the slot takes the box's whole text,
// as typed.
void FrmOptMain::SizeBox_Take(toolkit::TextBox& box, OptionSlots::Slot slot, const char* prefix) {
  slots_.*slot = prefix + box.Text();
}

}  // namespace marquill
