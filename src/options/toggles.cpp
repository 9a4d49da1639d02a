#include "options/frm_opt_main.h"

namespace marquill {
namespace {

// The check boxes that each turn one plain switch on or off.
struct Toggle {
  const char* box;
  OptionSlots::Slot slot;
  const char* text;
};

const Toggle kToggles[] = {
    {"chkRestMode", &OptionSlots::strOptRestart, " /Z"},
    {"chkSecurity", &OptionSlots::strOptSec, " /SEC"},
    {"chkFixSecurity", &OptionSlots::strOptSecFix, " /SECFIX"},
    {"chkFixTime", &OptionSlots::strOptTimFix, " /TIMFIX"},
    {"chkMov", &OptionSlots::strOptMov, " /MOV"},
    {"chkMove", &OptionSlots::strOptMove, " /MOVE"},
    {"chkPurge", &OptionSlots::strOptPurge, " /PURGE"},
    {"chkMir", &OptionSlots::strOptMir, " /MIR"},
    {"chkCreate", &OptionSlots::strOptCreate, " /CREATE"},
    {"chkFat", &OptionSlots::strOptFat, " /FAT"},
    {"chkTbd", &OptionSlots::strOptTbd, " /TBD"},
    {"chkListOnly", &OptionSlots::strOptListOnly, " /L"},
    {"chkReportXtra", &OptionSlots::strOptReportXtra, " /X"},
    {"chkVerbose", &OptionSlots::strOptVerbose, " /V"},
    {"chkNp", &OptionSlots::strOptNp, " /NP"},
};

}  // namespace

// chkEta has no handler: it is not wired here or anywhere.
void FrmOptMain::WireToggles() {
  for (const Toggle& toggle : kToggles) {
    toolkit::CheckBox& box = Get<toolkit::CheckBox>(toggle.box);
    box.Click = [this, &box, &toggle] { Switch_Click(box, toggle.slot, toggle.text); };
  }
}

void FrmOptMain::Switch_Click(toolkit::CheckBox& box, OptionSlots::Slot slot, const char* text) {
  slots_.*slot = box.Value() == toolkit::kTicked ? text : "";
}

}  // namespace marquill
