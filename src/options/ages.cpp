// frmOptMain's age filters: chkMaxAge_Click and chkMinAge_Click.
#include "options/options_dialog.h"

namespace marquill {

void FrmOptMain::WireAges() {
  chkMaxAge.Click = [this] { chkMaxAge_Click(); };
  chkMinAge.Click = [this] { chkMinAge_Click(); };
}

void FrmOptMain::chkMaxAge_Click() {
  AgeCheck_Click(chkMaxAge, txtMaxAge, kMaxAgeFilter, ShowMaxAgePicker);
}

void FrmOptMain::chkMinAge_Click() {
  AgeCheck_Click(chkMinAge, txtMinAge, kMinAgeFilter, ShowMinAgePicker);
}

void FrmOptMain::AgeCheck_Click(toolkit::CheckBox& box, toolkit::TextBox& dateBox,
                                const AgeFilter& filter, const std::function<void()>& showPicker) {
  if (box.Value() == toolkit::kTicked) {
    // An open picker stays open with its date.
    if (showPicker) showPicker();
    dateBox.SetEnabled(true);
    // No date yet: the bare switch until the picker's OK.
    slots_.*filter.slot = std::string(filter.prefix);
  } else {
    // The shown date and an open picker stay.
    dateBox.SetEnabled(false);
    slots_.*filter.slot = "";
  }
}

}  // namespace marquill
