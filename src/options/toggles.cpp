#include "options/frm_opt_main.h"

namespace marquill {
namespace {

// The check boxes that each turn one plain switch on or off.
struct Toggle {
  const char* box;
  OptionSlots::Slot slot;
};

const Toggle kToggles[] = {
    {"chkRestMode", &OptionSlots::strOptRestart},
    {"chkSecurity", &OptionSlots::strOptSec},
    {"chkFixSecurity", &OptionSlots::strOptSecFix},
    {"chkFixTime", &OptionSlots::strOptTimFix},
    {"chkMov", &OptionSlots::strOptMov},
    {"chkMove", &OptionSlots::strOptMove},
    {"chkPurge", &OptionSlots::strOptPurge},
    {"chkMir", &OptionSlots::strOptMir},
    {"chkCreate", &OptionSlots::strOptCreate},
    {"chkFat", &OptionSlots::strOptFat},
    {"chkTbd", &OptionSlots::strOptTbd},
    {"chkListOnly", &OptionSlots::strOptListOnly},
    {"chkReportXtra", &OptionSlots::strOptReportXtra},
    {"chkVerbose", &OptionSlots::strOptVerbose},
    {"chkNp", &OptionSlots::strOptNp},
};

}  // namespace

// chkEta has no handler: it is not wired here or anywhere.
void FrmOptMain::WireToggles() {
  for (const Toggle& toggle : kToggles) {
    toolkit::CheckBox& box = Get<toolkit::CheckBox>(toggle.box);
    box.Click = [this, &box, &toggle] { Switch_Click(box, toggle.slot); };
  }
}

void FrmOptMain::Switch_Click(toolkit::CheckBox& box, OptionSlots::Slot slot) {
  slots_.*slot = box.Value() == toolkit::kTicked ? std::string(Choices(slot).front()) : "";
}

}  // namespace marquill
