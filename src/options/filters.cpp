#include "options/frm_opt_main.h"

namespace marquill {

void FrmOptMain::WireFilters() {
  struct NameBox {
    toolkit::TextBox& box;
    OptionSlots::Slot slot;
    const char* prefix;
  };
  for (NameBox row : {NameBox{txtFiles, &OptionSlots::strOptFiles, " "},
                      NameBox{txtFileExclName, &OptionSlots::strOptExclFile, " /XF "},
                      NameBox{txtDirExclName, &OptionSlots::strOptExclDir, " /XD "}})
    row.box.LostFocus = [this, row] { NameBox_LostFocus(row.box, row.slot, row.prefix); };

  struct SizeRow {
    toolkit::CheckBox& check;
    toolkit::TextBox& box;
    OptionSlots::Slot slot;
    const char* prefix;
  };
  for (SizeRow row :
       {SizeRow{chkMinFileSize, txtMinFileSize, &OptionSlots::strOptMinSize, " /MIN:"},
        SizeRow{chkMaxFileSize, txtMaxFileSize, &OptionSlots::strOptMaxSize, " /MAX:"}}) {
    row.check.Click = [this, row] { SizeCheck_Click(row.check, row.box, row.slot); };
    row.box.KeyUp = [this, row](int keyCode) {
      SizeBox_KeyUp(row.box, row.slot, row.prefix, keyCode);
    };
  }
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
    slots_.*slot = prefix + box.Text();
    return;
  }
  services_.messages.Show("Enter A Numeric Value", "Error", MsgButtons::Ok, MsgIcon::Exclamation);
}

}  // namespace marquill
