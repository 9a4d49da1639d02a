// The Options dialog's controls whose rows say how they write their slot:
// the plain switch toggles (chkMir ... chkNp, chkReg_Click), the exclusive
// choices (optFileAddA_Click, optFileExcl_Click, optExclXtraLoneLy_Click), the
// name boxes (txtFiles_LostFocus, txtFileExclName_LostFocus,
// txtDirExclName_LostFocus) and the number lists (lstRetry_Click,
// lstWait_Click). Their texts come from the command line's vocabulary.
#include <string>

#include "options/options_dialog.h"

namespace marquill {

void FrmOptMain::WireSlotRows() {
  for (const auto& control : controls()) {
    const toolkit::ControlDef& row = control->def();
    const OptionSlots::Slot slot = row.writes.slot;
    switch (row.writes.how) {
      case toolkit::Writes::Switch: {
        auto& box = dynamic_cast<toolkit::CheckBox&>(*control);
        box.Click = [this, &box, slot] { Switch_Click(box, slot); };
        break;
      }
      case toolkit::Writes::Choice:
        Group(static_cast<Id>(row.id)).Click = [this, slot](int index) { Choose(slot, index); };
        break;
      case toolkit::Writes::Text: {
        auto& box = dynamic_cast<toolkit::TextBox&>(*control);
        box.LostFocus = [this, &box, slot] { NameBox_LostFocus(box, slot); };
        break;
      }
      case toolkit::Writes::Position: {
        auto& list = dynamic_cast<toolkit::ListBox&>(*control);
        list.Click = [this, &list, slot] { ListNumber_Click(list, slot); };
        break;
      }
      case toolkit::Writes::Nothing:
      case toolkit::Writes::ByHandler:
        break;
    }
  }
}

void FrmOptMain::Switch_Click(toolkit::CheckBox& box, OptionSlots::Slot slot) {
  slots_.*slot = box.Value() == toolkit::kTicked ? std::string(Choices(slot).front()) : "";
}

void FrmOptMain::Choose(OptionSlots::Slot slot, int index) {
  const auto texts = Choices(slot);
  if (index >= 0 && static_cast<size_t>(index) < texts.size()) slots_.*slot = texts[index];
}

// Any loss of focus writes the slot, also to another window, so that a run
// started straight from the main window sees what was typed.
void FrmOptMain::NameBox_LostFocus(toolkit::TextBox& box, OptionSlots::Slot slot) {
  const std::string text = box.Text();
  slots_.*slot = text.empty() ? "" : std::string(Choices(slot).front()) + text;
}

void FrmOptMain::ListNumber_Click(toolkit::ListBox& list, OptionSlots::Slot slot) {
  list.SetFocus();
  // Items "0" to "255" stand at the position of their value.
  slots_.*slot = std::string(Choices(slot).front()) + std::to_string(list.ListIndex());
}

}  // namespace marquill
